#pragma once
// The edit history: every edit as a small command that can be undone and redone, keeping only
// what changed. It also knows whether the world differs from what was last read or written.
#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "world/world.h"

struct CellChange {
    int cell;  // y * MAP_SIZE + x
    short before, after;  // tiles read from a file are 0..62
};

// What changed the cells; the undo and redo lines name it.
enum class CellsKind { Paint, Fill, Bucket, Paste };

// A paint click, a fill, a bucket fill or a paste: the cells it changed.
struct CellsEdit {
    std::vector<CellChange> cells;
    CellsKind kind;
};

// An NPC placed (removed: false) or removed (removed: true) at a position in the list.
struct NpcPresence {
    int index;
    std::unique_ptr<Actor> npc;
    bool removed;
};

struct ItemPlaced {
    int index;
    std::unique_ptr<Item> item;
};

// Removal marks the item with type 5; undoing gives its type back.
struct ItemRemoved {
    int index;
    int typeBefore;
};

struct NpcEdit {
    int index;
    std::unique_ptr<Actor> before, after;
};

struct ItemEdit {
    int index;
    std::unique_ptr<Item> before, after;
};

// An NPC or item dragged to a new position; it keeps its place in the list.
struct ObjectMoved {
    bool npc;  // else an item
    int index;
    float fromX, fromY, toX, toY;
};

using EditStep = std::variant<CellsEdit, NpcPresence, ItemPlaced, ItemRemoved, NpcEdit, ItemEdit, ObjectMoved>;

class EditHistory {
public:
    static constexpr size_t MAX_STEPS = 10000;
    static constexpr size_t MAX_BYTES = 64u << 20;

    // Records a step that has already been applied to the world; drops the steps that could
    // have been redone, and the oldest ones beyond the bounds. A cell edit without cells is no step.
    void record(EditStep step);
    // Take back or re-apply one step; the text says what was done, for the user.
    // False (with "Nothing to undo" / "Nothing to redo") when there is no step to take.
    bool undo(World& world, std::string& said);
    bool redo(World& world, std::string& said);
    // Forgets every step (after loading the world) and counts the world as unchanged.
    void clear();

    // The world as it is now is the one on disk (after a load or a complete save).
    void markSaved() { savedState = currentState(); }
    bool hasUnsavedEdits() const { return currentState() != savedState; }
    // Identifies the world's state: equal values, equal worlds (within one run).
    unsigned long state() const { return currentState(); }

    size_t stepCount() const { return steps.size(); }
    size_t bytes() const { return totalBytes; }

private:
    struct Entry {
        EditStep step;
        size_t bytes;
        unsigned long serial;  // identifies the world state right after this step
    };
    std::deque<Entry> steps;
    size_t applied = 0;              // steps[0, applied) are in effect
    size_t totalBytes = 0;
    unsigned long nextSerial = 1;
    unsigned long baseState = 0;     // the state before steps[0]
    unsigned long savedState = 0;

    unsigned long currentState() const { return applied ? steps[applied - 1].serial : baseState; }
};

// The cells that painting `tile` over the given cells would change (none when it changes nothing).
CellsEdit paintCells(const Map& map, int x1, int y1, int x2, int y2, int tile, bool fill);
// Writes a step's "after" cells into the map.
void applyCells(Map& map, const CellsEdit& edit);
