#pragma once
// The world being edited: the map, the NPCs and items, the edit history, which definition
// files this run may write, and whether the world's own files were loaded. Each operation a
// designer performs returns what happened (what to say, whether it worked) and prints
// nothing.
#include <string>
#include <vector>

#include "world/defdir.h"
#include "world/disk_record.h"
#include "world/edit_history.h"
#include "world/messages.h"
#include "world/recovery.h"
#include "world/world.h"
#include "world/world_lock.h"
#include "world/world_paths.h"

constexpr int CLICK_BOX = 2;    // a click covers 2x2 pixels
constexpr int OBJECT_BOX = 48;  // an NPC or item covers 48x48 pixels
constexpr int LAST_WORLD_PIXEL = MAP_SIZE * TILE_SIZE - 1;  // 16,799: an object's position stays within the map

// Two boxes overlap or touch: a box of extent 48 at 0 covers 0 to 48 inclusive.
bool collide(int x1, int y1, int w1, int h1, int x2, int y2, int w2, int h2);

// Cells copied for pasting: width by height tiles, row by row.
struct CellStamp {
    int width = 0, height = 0;
    std::vector<int> tiles;
};

struct Outcome {
    Messages said;
    bool ok = true;           // false when something was not done (the warnings say what)
    bool mapChanged = false;  // cells may have changed: the minimap is out of date
};

class Document : public World {
public:
    EditHistory history;
    bool dataLoaded = false;  // set by the first load; the load works once per run
    // Definition files 0..n-1 that this run loaded or wrote: the only ones a save may replace or delete.
    int ownedNpcFiles = 0, ownedItemFiles = 0;
    std::string dataDir = DATA_DIR;  // where the world's files are read and written
    // What this run last read or wrote there: a save writes only what changed, and never over a
    // file someone else changed since.
    DiskRecord disk;
    HeldRecords<Actor> npcFilesHeld;
    HeldRecords<Item> itemFilesHeld;
    // The lock on the world, beside data/ ("": none is taken, as for a document in a test).
    std::string lockPath;
    WorldLock lock;
    Recovery recovery;        // where the recovery copy goes, and the autosave worker
    int autosaveSeconds = 0;  // 0: no autosave
    CellStamp copied;  // the last copy, for the rest of the run (loading keeps it)

    // The map as the editor starts with it; false (having said why) when it cannot be read.
    bool openMap(Messages& said) { return map.loadMap(dataDir, said, &disk); }
    // Takes the world's lock, saying when another editor has it (this one will not save while
    // that one runs) or when none can be taken.
    Outcome lockWorld();
    // Says when the recovery copy beside the world holds edits of an earlier run that data/ does
    // not. This run's copies then go to a place of their own, and so they do when another
    // editor has the world: neither is ever written over.
    Outcome noticeEarlierEdits();
    // Reads the map again and appends the world's NPCs and items, once per run; loading cannot
    // be undone, and the world then matches the disk. A missing map keeps the current grid.
    Outcome load();
    // The map, then the NPCs, then the items: every part is written even when an earlier one
    // failed. ok only when all were; only then does the world count as saved. Nothing is
    // written while another editor has the world.
    Outcome save();
    bool saveActors(const std::string& dir, Messages& said);
    bool saveItems(const std::string& dir, Messages& said);
    void loadActors(const std::string& dir, Messages& said);
    void loadItems(const std::string& dir, Messages& said);

    // Paints one cell (off the map: nothing, but the cell is still echoed), or fills the
    // rectangle; one undo step when anything changed.
    Outcome paint(int cellX, int cellY, int tile);
    Outcome fill(int x1, int y1, int x2, int y2, int tile);
    // Paints the cell and every cell joined to it through its four neighbours by the same tile;
    // one undo step. Nothing off the map, or when that region already has the tile.
    Outcome bucketFill(int cellX, int cellY, int tile);
    // Copies the part of the rectangle that lies on the map ("Copied 5x3 cells"), or says
    // "Nothing selected" when none does. Cells only: NPCs and items are not copied.
    Outcome copy(int x1, int y1, int x2, int y2);
    // Pastes the copy with its top-left corner on the cell, leaving out what falls off the
    // map; one undo step of the cells it changed. "Nothing to paste" before any copy.
    Outcome paste(int cellX, int cellY);

    // Appends a new object (one undo step).
    Outcome placeNpc(const Actor& npc);
    Outcome placeItem(const Item& item);
    // The object a removal click at this world position takes (the earliest added; items not
    // removed), as its index in npcs or items, or -1.
    int npcIndexAt(int x, int y) const;
    int itemIndexAt(int x, int y) const;
    // Removes the NPC there from the list; marks the item there as removed (type 5).
    Outcome killNPCAt(int x, int y);
    Outcome killItemAt(int x, int y);
    // Replaces the object at index with its edited self; no step when its file would not change.
    Outcome editNpc(int index, const Actor& edited);
    Outcome editItem(int index, const Item& edited);
    // Moves the object by (dx, dy) world pixels, keeping its place in the list (and so its file
    // number); one undo step unless it ends where it was.
    Outcome moveNpc(int index, int dx, int dy);
    Outcome moveItem(int index, int dx, int dy);
    // Where a move by (dx, dy) takes a position: never off the map, 0 to 16,799 both ways.
    static void movedPosition(float& x, float& y, int dx, int dy);

    Outcome undo();
    Outcome redo();

    bool hasUnsavedEdits() const { return history.hasUnsavedEdits(); }
    // With unsaved edits, writes the world to the recovery copy (beside the world, else in the
    // per-user place) and says where (and what it holds), or why it could not (ok false); with
    // none, writes and says nothing, so an earlier copy stays (this run's own is no copy any more).
    Outcome keepUnsavedEdits();
    // Called often (every frame, and while idle): keeps the recovery copy up to date while there
    // are unsaved edits, at most every autosaveSeconds and first that long after the first
    // unsaved edit, never twice for one state. The copy is written on a worker thread from a
    // snapshot taken here. Says a failure once until an autosave succeeds again, and where the
    // copies go the first time they go to the per-user place.
    Outcome autosave(long long nowMs);
    // The world as it is now, for the recovery copy.
    Snapshot snapshot() const;

private:
    long long unsavedSince = -1;  // when the first unsaved edit was seen
    long long lastAutosave = 0;
    bool autosaved = false, autosaveFailed = false, userPlaceSaid = false;
};
