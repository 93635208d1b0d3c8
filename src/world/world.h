#pragma once
// A whole world read as the editor's load reads it (map, NPCs, items), with the readers'
// notes kept instead of printed: the tools compare and draw exactly what the editor holds.
#include <climits>
#include <string>
#include <vector>

#include "world/actor.h"
#include "world/defline.h"
#include "world/item.h"
#include "world/map.h"
#include "world/read_notes.h"
#include "world/safe_file.h"

class WorldRecords {
public:
    Map map;  // 490 kB: keep a WorldRecords on the heap
    std::vector<Actor> npcs;
    std::vector<Item> items;
    ReadNotes notes;
};

// Reads <root>/data as the editor's loaders do (regular files only, never blocking, no more
// of a file than its format holds). Returns "", or why the map file cannot be read ("No
// such file or directory", "a named pipe, not a regular file"): the editor does not start
// without it. Definition directories that are missing read as empty.
std::string readWorldRecords(const std::string& root, WorldRecords& world);

// Calls read(n, bytes) for definition files 0, 1, ... of a numbered directory up to the
// first that does not read, as the editor's loaders stop there. Returns how many were read.
template <typename Read>
int readNumbered(const std::string& dataDir, std::string (*pathFor)(const std::string&, int), Read read) {
    std::string bytes, reason;
    int n = 0;
    for (; n < INT_MAX; ++n) {
        if (readFileUpTo(pathFor(dataDir, n), DEF_FILE_LIMIT, bytes, reason) != ReadStatus::Read) break;
        read(n, bytes);
    }
    return n;
}
