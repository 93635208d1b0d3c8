#include "world/world_diff.h"

#include <algorithm>

#include "world/defdir.h"
#include "world/defline.h"
#include "world/record_layout.h"
#include "world/text_order.h"
#include "world/world_paths.h"

std::vector<CellRun> diffCells(const Map& olds, const Map& news) {
    std::vector<CellRun> runs;
    for (int y = 0; y < MAP_SIZE; ++y) {
        const int* a = olds.tiles[y];
        const int* b = news.tiles[y];
        for (int x = 0; x < MAP_SIZE; ++x) {
            if (a[x] == b[x]) continue;
            int last = x;
            while (last + 1 < MAP_SIZE && a[last + 1] == a[x] && b[last + 1] == b[x]) ++last;
            runs.push_back(CellRun{y, x, last, a[x], b[x]});
            x = last;
        }
    }
    return runs;
}

namespace {
bool isRemovedItem(const Item& item) { return item.type == ITEM_TYPE_REMOVED; }
bool isRemovedItem(const Actor&) { return false; }

std::string defPath(std::string (*pathFor)(const std::string&, int), int n) { return pathFor(DATA_DIR, n); }

// Records are compared as the editor would write them back: what the readers made of the
// files, not their bytes (a stray "12abc" reads and compares as 12).
template <typename Record>
void diffRecords(const std::vector<Record>& olds, const std::vector<Record>& news, const RecordLayout& layout,
                 std::string (*pathFor)(const std::string&, int), WorldDiff& diff, int& added, int& removed,
                 int& changed) {
    std::vector<std::string> oldBytes, newBytes;
    for (const Record& r : olds) oldBytes.push_back(r.serialize());
    for (const Record& r : news) newBytes.push_back(r.serialize());
    auto place = [](const Record& r) {
        return quoted(r.name) + " at " + std::to_string(truncateToInt(r.x)) + "," + std::to_string(truncateToInt(r.y));
    };
    for (const RecordEdit& edit : matchRecords(oldBytes, newBytes)) {
        if (edit.change == RecordChange::Added) {
            const Record& r = news[static_cast<size_t>(edit.newIndex)];
            diff.lines.push_back(DiffLine{defPath(pathFor, edit.newIndex), 0, "added " + place(r)});
            diff.marks.push_back(ObjectMark{RecordChange::Added, r.x, r.y});
            ++added;
            continue;
        }
        if (edit.change == RecordChange::Removed) {
            const Record& r = olds[static_cast<size_t>(edit.oldIndex)];
            diff.lines.push_back(DiffLine{defPath(pathFor, edit.oldIndex), 0, "removed " + place(r)});
            diff.marks.push_back(ObjectMark{RecordChange::Removed, r.x, r.y});
            ++removed;
            continue;
        }
        const Record& before = olds[static_cast<size_t>(edit.oldIndex)];
        const Record& after = news[static_cast<size_t>(edit.newIndex)];
        std::string path = defPath(pathFor, edit.newIndex);
        if (isRemovedItem(after) && !isRemovedItem(before)) {
            // The game treats a type 5 item as gone: its other fields no longer matter.
            diff.lines.push_back(DiffLine{path, 0, "removed (type " + std::to_string(ITEM_TYPE_REMOVED) + ")"});
            diff.marks.push_back(ObjectMark{RecordChange::Removed, before.x, before.y});
            ++removed;
            continue;
        }
        std::vector<std::string> a = recordLines(oldBytes[static_cast<size_t>(edit.oldIndex)]);
        std::vector<std::string> b = recordLines(newBytes[static_cast<size_t>(edit.newIndex)]);
        bool any = false;
        for (int line = 1; line <= layout.lines; ++line) {
            const std::string& was = a[static_cast<size_t>(line - 1)];
            const std::string& is = b[static_cast<size_t>(line - 1)];
            if (was == is) continue;
            const FieldInfo& field = layout.at(line);
            const std::string change = shownValue(was, field.kind) + " -> " + shownValue(is, field.kind);
            diff.lines.push_back(DiffLine{path, line, std::string(field.name) + " " + change});
            any = true;
        }
        if (!any) continue;
        diff.marks.push_back(ObjectMark{RecordChange::Changed, after.x, after.y});
        ++changed;
    }
}
}  // namespace

WorldDiff diffWorlds(const World& olds, const World& news) {
    WorldDiff diff;
    diff.cells = diffCells(olds.map, news.map);
    const std::string mapPath = mapFilePath(DATA_DIR);
    for (const CellRun& run : diff.cells) {
        std::string where = "x=" + std::to_string(run.firstX);
        if (run.lastX > run.firstX) where += ".." + std::to_string(run.lastX);
        diff.lines.push_back(DiffLine{mapPath, run.row + 1,
                                      where + ": tile " + std::to_string(run.oldTile) + " -> " + std::to_string(run.newTile)});
    }
    diffRecords(olds.npcs, news.npcs, NPC_LAYOUT, npcDefPath, diff, diff.npcsAdded, diff.npcsRemoved, diff.npcsChanged);
    diffRecords(olds.items, news.items, ITEM_LAYOUT, itemDefPath, diff, diff.itemsAdded, diff.itemsRemoved,
                diff.itemsChanged);
    std::stable_sort(diff.lines.begin(), diff.lines.end(), [](const DiffLine& a, const DiffLine& b) {
        int order = comparePaths(a.path, b.path);
        return order != 0 ? order < 0 : a.line < b.line;
    });
    return diff;
}

std::string WorldDiff::summary() const {
    if (lines.empty()) return "no differences";
    std::vector<std::string> parts;
    if (!cells.empty()) {
        int count = 0, rows = 0;
        for (size_t i = 0; i < cells.size(); ++i) {
            count += cells[i].lastX - cells[i].firstX + 1;
            if (i == 0 || cells[i].row != cells[i - 1].row) ++rows;
        }
        parts.push_back(counted(count, "cell", "cells") + " in " + counted(rows, "row", "rows"));
    }
    const std::pair<int, const char*> counts[] = {
        {npcsAdded, " added"},   {npcsRemoved, " removed"},   {npcsChanged, " changed"},
        {itemsAdded, " added"},  {itemsRemoved, " removed"},  {itemsChanged, " changed"},
    };
    for (int i = 0; i < 6; ++i) {
        if (counts[i].first == 0) continue;
        parts.push_back((i < 3 ? counted(counts[i].first, "NPC", "NPCs") : counted(counts[i].first, "item", "items")) +
                        counts[i].second);
    }
    std::string text;
    for (size_t i = 0; i < parts.size(); ++i) text += (i ? ", " : "") + parts[i];
    return text;
}

std::string WorldDiff::text() const {
    std::string out;
    for (const DiffLine& l : lines) {
        out += l.path;
        if (l.line > 0) out += ":" + std::to_string(l.line);
        out += ": " + l.message + "\n";
    }
    return out + summary() + "\n";
}
