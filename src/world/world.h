#pragma once
// A world in memory: the map and the NPC and item lists, in file order. The editor edits one,
// the tools read, compare and draw them.
#include <string>
#include <vector>

#include "world/actor.h"
#include "world/item.h"
#include "world/map.h"
#include "world/numbered.h"

struct World {
    Map map;  // 490 kB: keep a World on the heap
    std::vector<Actor> npcs;
    std::vector<Item> items;
};

// Reads <root>/data as the editor's load reads it (regular files only, never blocking, no more
// of a file than its format holds), saying nothing. Returns "", or why the map file cannot be
// read ("No such file or directory", "a named pipe, not a regular file"): the editor does not
// start without it. Definition directories that are missing read as empty.
std::string readWorld(const std::string& root, World& world, const FileReader& read = readFileUpTo);
// A world directory named on a tool's command line: "" when it reads, or why not in one line
// ("no such directory: x", "x has no data directory", or the map file's path and reason).
std::string readWorldDirectory(const std::string& root, World& world);
