#pragma once
// What differs between two worlds as the editor reads them: map cells in runs along a row,
// NPCs and items matched as sequences, each change as a `path:line: message` line.
#include <string>
#include <vector>

#include "world/record_match.h"
#include "world/world.h"

class CellRun {
public:
    int row;
    int firstX, lastX;  // inclusive
    int oldTile, newTile;
};

// Runs of neighbouring cells in one row whose old tiles are all one tile and new tiles all
// another, row by row and left to right.
std::vector<CellRun> diffCells(const Map& olds, const Map& news);

class DiffLine {
public:
    std::string path;  // relative to the world, e.g. "data/npcdef/4.def"
    int line = 0;      // 0: none
    std::string message;
};

// Where the picture marks an object: its world pixels (NEW's place, OLD's for a removed one).
class ObjectMark {
public:
    RecordChange change;
    float x, y;
};

class WorldDiff {
public:
    std::vector<DiffLine> lines;  // sorted by path (numbers by value), then line
    std::vector<CellRun> cells;
    std::vector<ObjectMark> marks;
    int npcsAdded = 0, npcsRemoved = 0, npcsChanged = 0;
    int itemsAdded = 0, itemsRemoved = 0, itemsChanged = 0;  // an item turned to type 5 is removed

    bool empty() const { return lines.empty(); }
    // "no differences", or "12 cells in 3 rows, 1 NPC added, 1 item removed".
    std::string summary() const;
    // Every line as path:line: message, then the summary.
    std::string text() const;
};

WorldDiff diffWorlds(const World& olds, const World& news);
