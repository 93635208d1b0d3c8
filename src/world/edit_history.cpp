#include "world/edit_history.h"

#include <type_traits>

namespace {

template <typename... F>
struct Overload : F... {
    using F::operator()...;
};
template <typename... F>
Overload(F...) -> Overload<F...>;

std::string quotedName(const std::string& name) { return "\"" + name + "\""; }

size_t stringBytes(const std::string& s) { return s.capacity() > 15 ? s.capacity() + 1 : 0; }
size_t actorBytes(const Actor* a) {
    return a ? sizeof(Actor) + stringBytes(a->name) + stringBytes(a->firstConvo) + stringBytes(a->secondConvo) : 0;
}
size_t itemBytes(const Item* i) {
    return i ? sizeof(Item) + stringBytes(i->name) + stringBytes(i->shortName) + stringBytes(i->description) : 0;
}

// What a step holds, roughly as the heap counts it, for the history's bound.
size_t stepBytes(const EditStep& step) {
    return std::visit(Overload{
                          [](const CellsEdit& e) { return e.cells.capacity() * sizeof(CellChange); },
                          [](const NpcPresence& e) { return actorBytes(e.npc.get()); },
                          [](const ItemPlaced& e) { return itemBytes(e.item.get()); },
                          [](const ItemRemoved&) { return size_t{0}; },
                          [](const NpcEdit& e) { return actorBytes(e.before.get()) + actorBytes(e.after.get()); },
                          [](const ItemEdit& e) { return itemBytes(e.before.get()) + itemBytes(e.after.get()); },
                          [](const ObjectMoved&) { return size_t{0}; },
                      },
                      step) +
           sizeof(EditStep);
}

std::string cellsText(const CellsEdit& e) {
    if (e.kind == CellsKind::Paint) {
        const int cell = e.cells.front().cell;
        return "paint of cell " + std::to_string(cell % MAP_SIZE) + "," + std::to_string(cell / MAP_SIZE);
    }
    const char* what = e.kind == CellsKind::Bucket ? "bucket fill of " : e.kind == CellsKind::Paste ? "paste of " : "fill of ";
    return what + std::to_string(e.cells.size()) + (e.cells.size() == 1 ? " cell" : " cells");
}

void setCells(Map& map, const CellsEdit& e, bool after) {
    for (const CellChange& c : e.cells) map.tiles[c.cell / MAP_SIZE][c.cell % MAP_SIZE] = after ? c.after : c.before;
}

// Applies a step forward (redo) or backward (undo) and says what it did.
std::string apply(World& w, const EditStep& step, bool forward) {
    return std::visit(
        Overload{
            [&](const CellsEdit& e) {
                setCells(w.map, e, forward);
                return cellsText(e);
            },
            [&](const NpcPresence& e) {
                const std::string what = "NPC " + quotedName(e.npc->name) + (e.removed ? " removed" : " placed");
                if (forward != e.removed)  // put it back into the list
                    w.npcs.insert(w.npcs.begin() + e.index, *e.npc);
                else
                    w.npcs.erase(w.npcs.begin() + e.index);
                return what;
            },
            [&](const ItemPlaced& e) {
                if (forward)
                    w.items.insert(w.items.begin() + e.index, *e.item);
                else
                    w.items.erase(w.items.begin() + e.index);
                return "item " + quotedName(e.item->name) + " placed";
            },
            [&](const ItemRemoved& e) {
                Item& item = w.items[static_cast<size_t>(e.index)];
                item.type = forward ? ITEM_TYPE_REMOVED : e.typeBefore;
                return "item " + quotedName(item.name) + " removed";
            },
            [&](const NpcEdit& e) {
                w.npcs[static_cast<size_t>(e.index)] = forward ? *e.after : *e.before;
                return "NPC " + quotedName(e.after->name) + " edited";
            },
            [&](const ItemEdit& e) {
                w.items[static_cast<size_t>(e.index)] = forward ? *e.after : *e.before;
                return "item " + quotedName(e.after->name) + " edited";
            },
            [&](const ObjectMoved& e) {
                const float x = forward ? e.toX : e.fromX, y = forward ? e.toY : e.fromY;
                if (e.npc) {
                    Actor& npc = w.npcs[static_cast<size_t>(e.index)];
                    npc.x = x, npc.y = y;
                    return "NPC " + quotedName(npc.name) + " moved";
                }
                Item& item = w.items[static_cast<size_t>(e.index)];
                item.x = x, item.y = y;
                return "item " + quotedName(item.name) + " moved";
            },
        },
        step);
}

}  // namespace

void EditHistory::record(EditStep step) {
    if (auto* cells = std::get_if<CellsEdit>(&step); cells && cells->cells.empty()) return;
    while (steps.size() > applied) {  // a new edit ends what could have been redone
        totalBytes -= steps.back().bytes;
        steps.pop_back();
    }
    const size_t bytes = stepBytes(step);
    steps.push_back(Entry{std::move(step), bytes, nextSerial++});
    totalBytes += bytes;
    applied = steps.size();
    while (steps.size() > 1 && (steps.size() > MAX_STEPS || totalBytes > MAX_BYTES)) {
        baseState = steps.front().serial;
        totalBytes -= steps.front().bytes;
        steps.pop_front();
        --applied;
    }
}

bool EditHistory::undo(World& world, std::string& said) {
    if (applied == 0) {
        said = "Nothing to undo";
        return false;
    }
    --applied;
    said = "Undo: " + apply(world, steps[applied].step, false);
    return true;
}

bool EditHistory::redo(World& world, std::string& said) {
    if (applied == steps.size()) {
        said = "Nothing to redo";
        return false;
    }
    said = "Redo: " + apply(world, steps[applied].step, true);
    ++applied;
    return true;
}

void EditHistory::clear() {
    steps.clear();
    applied = 0;
    totalBytes = 0;
    baseState = savedState = nextSerial++;
}

CellsEdit paintCells(const Map& map, int x1, int y1, int x2, int y2, int tile, bool fill) {
    CellsEdit edit{{}, fill ? CellsKind::Fill : CellsKind::Paint};
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x) {
            if (x < 0 || x >= MAP_SIZE || y < 0 || y >= MAP_SIZE || map.tiles[y][x] == tile) continue;
            edit.cells.push_back(CellChange{y * MAP_SIZE + x, static_cast<short>(map.tiles[y][x]),
                                            static_cast<short>(tile)});
        }
    return edit;
}

void applyCells(Map& map, const CellsEdit& edit) { setCells(map, edit, true); }
