#include <cstdlib>
#include <memory>

#include "files.h"
#include "island.h"
#include "paint.h"
#include "world/safe_file.h"
#include "worldgen.h"

void buildIsland(Map& map) {
    map.Init();
    buildTerrain(map);
    buildWaters(map);
    buildPaths(map);
    buildSettlements(map);
    // Nothing built may reach the two outermost rings: the island is surrounded by sea.
    for (int y = 0; y < MAP_SIZE; y++)
        for (int x = 0; x < MAP_SIZE; x++)
            if (x < 2 || y < 2 || x >= MAP_SIZE - 2 || y >= MAP_SIZE - 2) map.setTileAt(x, y, tile::SEA);
}

Cell openCellNear(const Map& map, Cell near) {
    for (int r = 0; r < MAP_SIZE; r++)
        for (int dy = -r; dy <= r; dy++)
            for (int dx = -r; dx <= r; dx++) {
                if (std::abs(dx) != r && std::abs(dy) != r) continue;  // only the ring at distance r
                int x = near.x + dx, y = near.y + dy;
                if (x < 1 || y < 1 || x >= MAP_SIZE - 1 || y >= MAP_SIZE - 1) continue;
                int t = map.getTileAt(x, y);
                if (!isSolidTile(t) && !isWaterTile(t)) return Cell{x, y};
            }
    return near;
}

bool generateMap(const std::string& root) {
    if (!makeDirectory(root + "/data")) return false;
    std::unique_ptr<Map> map(new Map);  // too big for the stack
    buildIsland(*map);
    return saveFile(root + "/data/map.dat", map->serialize());
}
