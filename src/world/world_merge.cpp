#include "world/world_merge.h"

#include <sys/stat.h>

#include <algorithm>

#include "world/defdir.h"
#include "world/defline.h"
#include "world/record_layout.h"
#include "world/safe_file.h"
#include "world/text_order.h"
#include "world/world_paths.h"

void mergeMaps(const Map& base, const Map& ours, const Map& theirs, Map& merged, const std::string& path,
               std::vector<DiffLine>& conflicts) {
    for (int y = 0; y < MAP_SIZE; ++y)
        for (int x = 0; x < MAP_SIZE; ++x) {
            const int b = base.tiles[y][x], o = ours.tiles[y][x], t = theirs.tiles[y][x];
            if (o == b || o == t) {
                merged.tiles[y][x] = o == b ? t : o;
                continue;
            }
            merged.tiles[y][x] = o;
            if (t == b) continue;
            conflicts.push_back(DiffLine{path, y + 1,
                                         "x=" + std::to_string(x) + ": conflict: ours " + std::to_string(o) +
                                             ", theirs " + std::to_string(t) + ", base " + std::to_string(b)});
        }
}

namespace {
constexpr int GONE = -1;

// How one side changed the base's list, as the diff matches them: the side's record each base
// record became (GONE when removed), and the side's records added before each base record
// (added[n]: after the last).
class SideEdits {
public:
    std::vector<int> to;
    std::vector<std::vector<int>> added;
};

SideEdits sideEdits(const std::vector<std::string>& base, const std::vector<std::string>& side) {
    const int n = static_cast<int>(base.size());
    SideEdits s{std::vector<int>(base.size(), GONE), std::vector<std::vector<int>>(base.size() + 1)};
    int a = 0, b = 0;  // the next base record and side record; records between edits are kept
    for (const RecordEdit& e : matchRecords(base, side)) {
        if (e.change == RecordChange::Added) {
            while (b < e.newIndex) s.to[static_cast<size_t>(a++)] = b++;
            s.added[static_cast<size_t>(a)].push_back(b++);
            continue;
        }
        while (a < e.oldIndex) s.to[static_cast<size_t>(a++)] = b++;
        if (e.change == RecordChange::Changed) s.to[static_cast<size_t>(a)] = b++;
        ++a;
    }
    while (a < n) s.to[static_cast<size_t>(a++)] = b++;
    return s;
}

// An item turned to type 5 is gone as far as the game is concerned (the editor removes items so).
bool turnedRemoved(const Item& before, const Item& after) {
    return after.type == ITEM_TYPE_REMOVED && before.type != ITEM_TYPE_REMOVED;
}
bool turnedRemoved(const Actor&, const Actor&) { return false; }
void parseRecord(Actor& npc, const std::string& bytes) { npc.parse(bytes); }
void parseRecord(Item& item, const std::string& bytes) { item.parse(bytes); }

template <typename Record>
class RecordMerge {
public:
    const RecordLayout& layout;
    PathFor pathFor;
    std::vector<DiffLine>& conflicts;
    std::vector<Record> out;

    // Conflicts name the file the merged list writes next: the record's own, or for a removal
    // that was kept, the number the record would have had.
    void conflict(int line, const std::string& message) {
        conflicts.push_back(DiffLine{pathFor(DATA_DIR, static_cast<int>(out.size())), line, "conflict: " + message});
    }

    // Both sides changed the record: each line takes the side that changed it; a line changed
    // on both sides to different values keeps OURS's and is a conflict.
    Record mergeFields(const std::string& base, const std::string& ours, const std::string& theirs) {
        const std::vector<std::string> b = recordLines(base), o = recordLines(ours), t = recordLines(theirs);
        std::string merged;
        for (size_t i = 0; i < o.size(); ++i) {
            const bool known = i < b.size() && i < t.size() && i < static_cast<size_t>(layout.lines);
            if (known && o[i] == b[i]) {
                merged += t[i] + "\n";
                continue;
            }
            merged += o[i] + "\n";
            if (!known || t[i] == b[i] || t[i] == o[i]) continue;
            const FieldInfo& field = layout.at(static_cast<int>(i) + 1);
            const auto shown = [&](const std::string& value) { return shownValue(value, field.kind); };
            conflict(static_cast<int>(i) + 1,
                     std::string(field.name) + " ours " + shown(o[i]) + ", theirs " + shown(t[i]) + ", base " + shown(b[i]));
        }
        Record record;
        parseRecord(record, merged);
        return record;
    }

    void merge(const std::vector<Record>& base, const std::vector<Record>& ours, const std::vector<Record>& theirs) {
        std::vector<std::string> b, o, t;
        for (const Record& r : base) b.push_back(r.serialize());
        for (const Record& r : ours) o.push_back(r.serialize());
        for (const Record& r : theirs) t.push_back(r.serialize());
        const SideEdits os = sideEdits(b, o), ts = sideEdits(b, t);
        for (size_t p = 0; p <= b.size(); ++p) {
            // Additions at one place: OURS's, then THEIRS's. A record both sides added there alike
            // is taken once, so that merging the same work twice changes nothing.
            for (int j : os.added[p]) out.push_back(ours[static_cast<size_t>(j)]);
            for (int j : ts.added[p]) {
                auto same = [&](int k) { return o[static_cast<size_t>(k)] == t[static_cast<size_t>(j)]; };
                if (std::none_of(os.added[p].begin(), os.added[p].end(), same)) out.push_back(theirs[static_cast<size_t>(j)]);
            }
            if (p == b.size()) break;
            takeRecord(base[p], b[p], os.to[p], ours, o, ts.to[p], theirs, t);
        }
    }

    void takeRecord(const Record& base, const std::string& b, int oi, const std::vector<Record>& ours,
                    const std::vector<std::string>& o, int ti, const std::vector<Record>& theirs,
                    const std::vector<std::string>& t) {
        const bool oursChanged = oi != GONE && o[static_cast<size_t>(oi)] != b;
        const bool theirsChanged = ti != GONE && t[static_cast<size_t>(ti)] != b;
        if (oi == GONE || ti == GONE) {
            // A removal stands unless the other side changed the record (and did not remove it too).
            const bool byOurs = oi == GONE;
            const Record* other = byOurs ? (ti == GONE ? nullptr : &theirs[static_cast<size_t>(ti)])
                                         : &ours[static_cast<size_t>(oi)];
            if (!other || !(byOurs ? theirsChanged : oursChanged) || turnedRemoved(base, *other)) return;
            conflict(0, byOurs ? "removed by ours, changed by theirs" : "removed by theirs, changed by ours");
            if (!byOurs) out.push_back(*other);
            return;
        }
        const Record& mine = ours[static_cast<size_t>(oi)];
        const Record& other = theirs[static_cast<size_t>(ti)];
        if (!theirsChanged || !oursChanged) {
            out.push_back(theirsChanged ? other : mine);
            return;
        }
        const bool oursRemoved = turnedRemoved(base, mine), theirsRemoved = turnedRemoved(base, other);
        if (oursRemoved != theirsRemoved) {
            conflict(0, oursRemoved ? "removed by ours, changed by theirs" : "removed by theirs, changed by ours");
            out.push_back(mine);
            return;
        }
        out.push_back(mergeFields(b, o[static_cast<size_t>(oi)], t[static_cast<size_t>(ti)]));
    }
};

template <typename Record>
std::vector<Record> mergeRecords(const std::vector<Record>& base, const std::vector<Record>& ours,
                                 const std::vector<Record>& theirs, const RecordLayout& layout, PathFor pathFor,
                                 std::vector<DiffLine>& conflicts) {
    RecordMerge<Record> merge{layout, pathFor, conflicts, {}};
    merge.merge(base, ours, theirs);
    return std::move(merge.out);
}
}  // namespace

WorldMerge mergeWorlds(const World& base, const World& ours, const World& theirs, World& merged) {
    WorldMerge result;
    mergeMaps(base.map, ours.map, theirs.map, merged.map, mapFilePath(DATA_DIR), result.conflicts);
    // Built aside first: merged may be ours itself.
    std::vector<Actor> npcs = mergeRecords(base.npcs, ours.npcs, theirs.npcs, NPC_LAYOUT, npcDefPath, result.conflicts);
    std::vector<Item> items =
        mergeRecords(base.items, ours.items, theirs.items, ITEM_LAYOUT, itemDefPath, result.conflicts);
    merged.npcs = std::move(npcs);
    merged.items = std::move(items);
    std::stable_sort(result.conflicts.begin(), result.conflicts.end(), [](const DiffLine& a, const DiffLine& b) {
        int order = comparePaths(a.path, b.path);
        return order != 0 ? order < 0 : a.line < b.line;
    });
    return result;
}

std::string WorldMerge::text(const World& ours, const World& merged) const {
    std::string out;
    for (const DiffLine& l : conflicts) {
        out += l.path;
        if (l.line > 0) out += ":" + std::to_string(l.line);
        out += ": " + l.message + "\n";
    }
    const WorldDiff brought = diffWorlds(ours, merged);
    int cells = 0;
    for (const CellRun& run : brought.cells) cells += run.lastX - run.firstX + 1;
    std::vector<std::string> parts;
    if (cells > 0) parts.push_back(counted(cells, "cell", "cells"));
    const std::pair<int, const char*> counts[] = {
        {brought.npcsAdded, " added"},  {brought.npcsRemoved, " removed"},  {brought.npcsChanged, " changed"},
        {brought.itemsAdded, " added"}, {brought.itemsRemoved, " removed"}, {brought.itemsChanged, " changed"},
    };
    for (int i = 0; i < 6; ++i)
        if (counts[i].first > 0)
            parts.push_back((i < 3 ? counted(counts[i].first, "NPC", "NPCs") : counted(counts[i].first, "item", "items")) +
                            counts[i].second);
    out += "merged: ";
    if (parts.empty()) out += "nothing to change";
    for (size_t i = 0; i < parts.size(); ++i) out += (i ? ", " : "") + parts[i];
    const int count = static_cast<int>(conflicts.size());
    return out + "; " + (count == 0 ? std::string("no conflicts") : counted(count, "conflict", "conflicts")) + "\n";
}

// The one place the merge writes a world, with the editor's save functions and their rules.
bool saveMergedWorld(const std::string& root, const World& merged, int ownedNpcs, int ownedItems, Messages& said) {
    const std::string data = root + "/" + DATA_DIR;
    mkdir(data.c_str(), 0777);  // a new world; a failure shows as the map not written
    // As the editor's save: every part is written even when an earlier one failed.
    bool ok = writeFileAtomically(mapFilePath(data), merged.map.serialize(), said);
    ok = saveActorFiles(data, merged.npcs, ownedNpcs, true, said) && ok;
    ok = saveItemFiles(data, merged.items, ownedItems, true, said) && ok;
    return ok;
}
