#pragma once
// The default island, built in memory: the map file is written from it and the sample NPCs
// and items are placed on it.
class Map;

struct Cell {
    int x, y;
};

// Places the sample NPCs and items look for (cells).
constexpr Cell START_BEACH{13, 11};  // in the view the editor opens on
constexpr Cell VILLAGE_SQUARE{82, 80};
constexpr Cell VILLAGE_FIELDS{82, 98};
constexpr Cell CASTLE_GATE{175, 188};  // outside the south gate
constexpr Cell MARKET{186, 174};
constexpr Cell THRONE{175, 153};
constexpr Cell RUINS{262, 92};
constexpr Cell TOWER{70, 205};
constexpr Cell ORC_CAMP{300, 196};
constexpr Cell HARBOUR{181, 294};

void buildIsland(Map& map);

// Steps of building it, in order.
void buildTerrain(Map& map);    // sea, beaches, meadows, forests, hills
void buildWaters(Map& map);     // the river and the lake
void buildPaths(Map& map);      // dirt paths and roads, with bridges
void buildSettlements(Map& map);  // castle, village, ruins, tower, camp, pier

// The cell nearest to `near` that a walker can stand on: not solid and not water.
Cell openCellNear(const Map& map, Cell near);
