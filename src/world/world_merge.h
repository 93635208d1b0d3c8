#pragma once
// Merging two worlds that both started from a third: the map cell by cell, NPCs and items
// matched against the base as sequences (as the diff matches them) and merged record by
// record, field by field. A conflict keeps OURS's side and is reported as a path:line: line.
#include <string>
#include <vector>

#include "world/world_diff.h"

// Merges the maps into merged (which may be ours): a cell changed on one side takes that side's
// tile, changed on both to one tile that tile, to two tiles OURS's, with a conflict line
// "<path>:<row+1>: x=<x>: conflict: ours 21, theirs 25, base 2" appended for it.
void mergeMaps(const Map& base, const Map& ours, const Map& theirs, Map& merged, const std::string& path,
               std::vector<DiffLine>& conflicts);

class WorldMerge {
public:
    std::vector<DiffLine> conflicts;  // one per cell, field or record, sorted by path and line
    // Every conflict line, then "merged: 40 cells, 2 NPCs added, 1 item changed; 1 conflict",
    // where the counts are what the merge changed in OURS.
    std::string text(const World& ours, const World& merged) const;
};

// Merges ours and theirs, which both started from base, into merged. Conflicts name files as
// they are numbered in merged (a record whose removal was kept, by the number it would have).
WorldMerge mergeWorlds(const World& base, const World& ours, const World& theirs, World& merged);

// Writes the merged world's map and definition files into <root>/data with the editor's safe
// writing, as a save that loaded the files 0..owned-1 of each directory: only those are
// replaced or deleted, and a file the list needs beyond them stops that directory's save.
bool saveMergedWorld(const std::string& root, const World& merged, int ownedNpcs, int ownedItems, Messages& said);
