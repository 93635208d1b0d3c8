// Dirt paths between the landmarks. A path turns into a bridge over fresh water and into steps
// on cliffs and snow; it stops at the sea.
#include <cmath>
#include <vector>

#include "island.h"
#include "noise.h"
#include "paint.h"

static void pave(Map& map, int x, int y, bool acrossMostly) {
    int t = map.getTileAt(x, y);
    if (t == tile::SEA || t == tile::SHALLOWS) return;
    if (t == tile::BRIDGE_ACROSS || t == tile::BRIDGE_DOWN || t == tile::STEPS) return;
    if (t == tile::POND) t = acrossMostly ? tile::BRIDGE_ACROSS : tile::BRIDGE_DOWN;
    else if (t == tile::CLIFF || t == tile::SNOW) t = tile::STEPS;
    else t = tile::DIRT_PATH;
    map.setTileAt(x, y, t);
}

static void path(Map& map, const std::vector<Cell>& points, uint32_t seed) {
    for (size_t i = 0; i + 1 < points.size(); i++) {
        float x0 = points[i].x, y0 = points[i].y, x1 = points[i + 1].x, y1 = points[i + 1].y;
        float length = std::hypot(x1 - x0, y1 - y0);
        bool across = std::fabs(x1 - x0) >= std::fabs(y1 - y0);
        for (float s = 0; s <= length; s += 0.3f) {
            float t = s / length;
            float sway = (valueNoise(s / 8.0f, i + 0.5f, seed) - 0.5f) * 8 * std::sin(t * 3.14159f);
            int x = static_cast<int>(std::lround(x0 + (x1 - x0) * t - (y1 - y0) / length * sway));
            int y = static_cast<int>(std::lround(y0 + (y1 - y0) * t + (x1 - x0) / length * sway));
            for (int k = 0; k < 4; k++) pave(map, x + k % 2, y + k / 2, across);  // two cells wide
        }
    }
}

void buildPaths(Map& map) {
    path(map, {START_BEACH, {30, 28}, {56, 54}, VILLAGE_SQUARE}, 401);
    path(map, {VILLAGE_SQUARE, {108, 112}, {128, 146}, {147, 165}}, 402);           // to the west gate
    path(map, {{202, 165}, {230, 180}, {250, 208}, {258, 240}, {262, 260}}, 403);  // up the mountain
    path(map, {{230, 180}, {268, 188}, ORC_CAMP}, 404);
    path(map, {CASTLE_GATE, {176, 240}, {180, 290}, HARBOUR}, 405);
    path(map, {VILLAGE_SQUARE, {140, 72}, {200, 84}, RUINS}, 406);
    path(map, {{147, 167}, {110, 186}, {TOWER.x, TOWER.y + 7}}, 407);
}
