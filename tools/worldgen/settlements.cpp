// What people built: the walled town with its keep, the village and its fields, the ruins in the
// north-eastern forest, the wizard's tower, the orc camp and the harbour pier.
#include <cmath>

#include "island.h"
#include "paint.h"
#include "rng.h"

namespace {

// A house seen from above: roof, then the front wall with a door in its middle.
void house(Map& map, int x, int y, int w, int h) {
    fillCells(map, x, y, x + w - 1, y + h - 2, tile::ROOF);
    fillCells(map, x, y + h - 1, x + w - 1, y + h - 1, tile::HOUSE_WALL);
    map.setTileAt(x + w / 2, y + h - 1, tile::WOOD_FLOOR);
}

void fencedField(Map& map, int x0, int y0, int x1, int y1, int crop) {
    fillCells(map, x0, y0, x1, y1, crop);
    frameCells(map, x0, y0, x1, y1, tile::FENCE);
    int gate = (x0 + x1) / 2;
    fillCells(map, gate, y0, gate + 1, y0, tile::DIRT_PATH);
}

// Open ground around a building site; the paths that lead there stay.
void clearGround(Map& map, int x0, int y0, int x1, int y1) {
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++) {
            int t = map.getTileAt(x, y);
            if (!isWaterTile(t) && t != tile::DIRT_PATH && t != tile::BRIDGE_ACROSS && t != tile::BRIDGE_DOWN)
                map.setTileAt(x, y, tile::GRASS);
        }
}

void castle(Map& map) {
    clearGround(map, 146, 142, 204, 190);
    fillCells(map, 150, 146, 200, 186, tile::COBBLES);
    frameCells(map, 150, 146, 200, 186, tile::CASTLE_WALL);
    frameCells(map, 151, 147, 199, 185, tile::CASTLE_WALL);
    for (int cx : {149, 198})
        for (int cy : {145, 184}) fillCells(map, cx, cy, cx + 3, cy + 3, tile::CASTLE_WALL);  // corner towers
    fillCells(map, 150, 165, 151, 167, tile::GATEWAY);
    fillCells(map, 199, 165, 200, 167, tile::GATEWAY);
    fillCells(map, 174, 185, 176, 186, tile::GATEWAY);
    fillCells(map, 146, 165, 149, 167, tile::DIRT_PATH);  // the paths' last steps to the gates
    fillCells(map, 201, 165, 204, 167, tile::DIRT_PATH);
    fillCells(map, 174, 187, 176, 190, tile::DIRT_PATH);
    fillCells(map, 152, 165, 198, 167, tile::BRICK_ROAD);
    fillCells(map, 174, 164, 176, 184, tile::BRICK_ROAD);

    // The keep: a hall of pillars with a carpet up to the throne.
    frameCells(map, 160, 149, 190, 163, tile::STONE_WALL);
    fillCells(map, 161, 150, 189, 162, tile::CHEQUER_FLOOR);
    fillCells(map, 170, 150, 180, 151, tile::MOSAIC);
    fillCells(map, 174, 152, 176, 162, tile::CARPET);
    for (int y = 153; y <= 161; y += 4) {
        map.setTileAt(168, y, tile::PILLAR);
        map.setTileAt(182, y, tile::PILLAR);
    }
    fillCells(map, 174, 163, 176, 163, tile::GATEWAY);
    map.setTileAt(172, 164, tile::PILLAR);  // statues by the door
    map.setTileAt(178, 164, tile::PILLAR);

    // Garden west of the keep, stables east of it.
    fillCells(map, 152, 148, 158, 163, tile::GRASS);
    for (int y = 149; y <= 162; y += 3) {
        map.setTileAt(153, y, tile::RED_FLOWERS);
        map.setTileAt(157, y, tile::BLUE_FLOWERS);
        map.setTileAt(155, y + 1, tile::BUSH);
    }
    frameCells(map, 192, 149, 198, 160, tile::HOUSE_WALL);
    fillCells(map, 193, 150, 197, 159, tile::STRAW);
    map.setTileAt(195, 160, tile::WOOD_FLOOR);

    for (int x : {154, 163})
        for (int y : {170, 178}) house(map, x, y, 7, 5);
    // Market by the east road.
    for (int x : {180, 181, 188, 196}) map.setTileAt(x, 170, tile::CRATES);
    map.setTileAt(184, 172, tile::CRATES);
    house(map, 186, 177, 6, 5);
    house(map, 193, 177, 5, 5);
}

void village(Map& map) {
    clearGround(map, 62, 62, 104, 108);
    for (int y = -4; y <= 4; y++)
        for (int x = -4; x <= 4; x++)
            if (x * x + y * y <= 17) map.setTileAt(VILLAGE_SQUARE.x + x, VILLAGE_SQUARE.y + y, tile::DIRT_PATH);
    map.setTileAt(VILLAGE_SQUARE.x, VILLAGE_SQUARE.y, tile::POND);  // the well
    const int houses[][2] = {{68, 68}, {77, 66}, {86, 68}, {68, 84}, {91, 84}};
    for (auto& h : houses) {
        house(map, h[0], h[1], 6, 5);
        fillCells(map, h[0] + 3, h[1] + 5, h[0] + 3, h[1] + 6, tile::DIRT_PATH);
        map.setTileAt(h[0], h[1] + 5, tile::RED_FLOWERS);
        map.setTileAt(h[0] + 5, h[1] + 5, tile::BLUE_FLOWERS);
    }
    frameCells(map, 95, 70, 102, 77, tile::HOUSE_WALL);  // barn
    fillCells(map, 96, 71, 101, 76, tile::STRAW);
    fillCells(map, 98, 77, 99, 77, tile::WOOD_FLOOR);
    fencedField(map, 66, 93, 79, 104, tile::FARMLAND);
    fencedField(map, 84, 93, 98, 104, tile::WHEAT);
    fillCells(map, 80, 85, 83, 105, tile::DIRT_PATH);
}

void ruins(Map& map, Rng& rng) {
    int x0 = RUINS.x - 8, y0 = RUINS.y - 7, x1 = RUINS.x + 8, y1 = RUINS.y + 7;
    fillCells(map, x0 - 1, y0 - 1, x1 + 1, y1 + 1, tile::FOREST_FLOOR);
    fillCells(map, x0, y0, x1, y1, tile::MOSSY_FLOOR);
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++) {
            bool onWall = x == x0 || x == x1 || y == y0 || y == y1;
            if (onWall && rng.chance(0.65f)) map.setTileAt(x, y, tile::STONE_WALL);  // broken walls
        }
    for (int x = x0 + 3; x <= x1 - 3; x += 5) {
        map.setTileAt(x, y0 + 3, tile::PILLAR);
        map.setTileAt(x, y1 - 3, tile::PILLAR);
    }
    fillCells(map, RUINS.x - 1, RUINS.y - 1, RUINS.x, RUINS.y, tile::ASH);  // an old fire
}

void tower(Map& map) {
    for (int y = -9; y <= 9; y++)
        for (int x = -9; x <= 9; x++) {
            float d = std::sqrt(static_cast<float>(x * x + y * y));
            int t = d < 4 ? tile::MOSAIC : d < 5.3f ? tile::STONE_WALL : d < 8 ? tile::FOREST_FLOOR : -1;
            if (t >= 0) map.setTileAt(TOWER.x + x, TOWER.y + y, t);
        }
    fillCells(map, TOWER.x, TOWER.y + 4, TOWER.x, TOWER.y + 5, tile::GATEWAY);
}

void orcCamp(Map& map) {
    for (int y = -9; y <= 9; y++)
        for (int x = -9; x <= 9; x++) {
            float d = std::sqrt(static_cast<float>(x * x + y * y));
            int cx = ORC_CAMP.x + x, cy = ORC_CAMP.y + y;
            if (isWaterTile(map.getTileAt(cx, cy))) continue;
            if (d < 7.5f) map.setTileAt(cx, cy, d < 2 ? tile::ASH : tile::STONY_DIRT);
            else if (d < 8.5f && x > -6) map.setTileAt(cx, cy, tile::FENCE);  // open to the west
        }
    const int tents[][2] = {{-4, -5}, {2, -5}, {-1, 3}};
    for (auto& t : tents) {
        fillCells(map, ORC_CAMP.x + t[0], ORC_CAMP.y + t[1], ORC_CAMP.x + t[0] + 2, ORC_CAMP.y + t[1] + 1, tile::ROOF);
        map.setTileAt(ORC_CAMP.x + t[0] + 1, ORC_CAMP.y + t[1] + 2, tile::STRAW);
    }
}

void pier(Map& map) {
    int y = HARBOUR.y;
    while (y < MAP_SIZE - 12 && !isWaterTile(map.getTileAt(HARBOUR.x, y))) y++;
    fillCells(map, HARBOUR.x - 1, y - 1, HARBOUR.x + 1, y + 8, tile::WOOD_FLOOR);
    map.setTileAt(HARBOUR.x + 1, y + 7, tile::CRATES);
    map.setTileAt(HARBOUR.x + 1, y + 8, tile::CRATES);
}

}  // namespace

void buildSettlements(Map& map) {
    Rng rng(505);
    castle(map);
    village(map);
    ruins(map, rng);
    tower(map);
    orcCamp(map);
    pier(map);
}
