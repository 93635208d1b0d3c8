#pragma once
// Painting helpers for building the island.
#include "tile_names.h"
#include "world/map.h"

// Every cell from (x0, y0) to (x1, y1), both included.
inline void fillCells(Map& map, int x0, int y0, int x1, int y1, int tile) {
    for (int y = y0; y <= y1; y++)
        for (int x = x0; x <= x1; x++) map.setTileAt(x, y, tile);
}

inline void frameCells(Map& map, int x0, int y0, int x1, int y1, int tile) {
    fillCells(map, x0, y0, x1, y0, tile);
    fillCells(map, x0, y1, x1, y1, tile);
    fillCells(map, x0, y0, x0, y1, tile);
    fillCells(map, x1, y0, x1, y1, tile);
}

inline bool isWaterTile(int t) { return t == tile::POND || t == tile::SEA || t == tile::SHALLOWS; }
