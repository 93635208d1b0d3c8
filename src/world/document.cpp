#include "world/document.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>

#include "world/defdir.h"
#include "world/defline.h"
#include "world/recovery.h"
#include "world/restore.h"

bool collide(int x1, int y1, int w1, int h1, int x2, int y2, int w2, int h2) {
    return y1 + h1 >= y2 && y2 + h2 >= y1 && x1 + w1 >= x2 && x2 + w2 >= x1;
}

// A save overwrites or deletes only the files this run loaded or wrote (see saveActorFiles), and
// only those whose bytes change.
bool Document::saveActors(const std::string& dir, Messages& said) {
    return saveActorFiles(dir, npcs, ownedNpcFiles, dataLoaded, said, &disk, &npcFilesHeld);
}
bool Document::saveItems(const std::string& dir, Messages& said) {
    return saveItemFiles(dir, items, ownedItemFiles, dataLoaded, said, &disk, &itemFilesHeld);
}
void Document::loadActors(const std::string& dir, Messages& said) {
    ownedNpcFiles = loadActorFiles(dir, npcs, said, &disk, &npcFilesHeld);
}
void Document::loadItems(const std::string& dir, Messages& said) {
    ownedItemFiles = loadItemFiles(dir, items, said, &disk, &itemFilesHeld);
}

Outcome Document::lockWorld() {
    Outcome outcome;
    const LockState state = lock.take(lockPath);
    if (state == LockState::Busy) {
        recovery.ownPlace = true;
        outcome.said.err("***WARNING*** " + lockedByText(lock.otherPid) + ": this one will not save it until that one ends\n");
    } else if (state == LockState::Unavailable) {
        outcome.said.err("***WARNING*** could not lock this world (" + lockPath + ": " + lock.reason +
                         "): another editor started on it would not know this one has it open\n");
    }
    outcome.ok = state == LockState::Held;
    return outcome;
}

Outcome Document::noticeEarlierEdits() {
    Outcome outcome;
    const RestoreCheck check = checkRecoveryCopy(recovery.root, dataDir);
    if (!check.found || (check.refusal.empty() && !check.changes)) return outcome;
    recovery.ownPlace = true;
    outcome.said.err("***WARNING*** " + recovery.root + "/data holds unsaved edits from an earlier run: maped --restore puts them in data/\n");
    return outcome;
}

Outcome Document::load() {
    Outcome outcome;
    if (dataLoaded) return outcome;
    map.loadMap(dataDir, outcome.said, &disk);  // a map missing now keeps the current grid
    loadActors(dataDir, outcome.said);
    loadItems(dataDir, outcome.said);
    dataLoaded = true;
    history.clear();
    outcome.mapChanged = true;
    return outcome;
}

Outcome Document::save() {
    Outcome outcome;
    if (!lockPath.empty() && lock.take(lockPath) == LockState::Busy) {
        outcome.said.err("***WARNING*** not saved: " + lockedByText(lock.otherPid) + "\n");
        outcome.ok = false;
        return outcome;
    }
    outcome.ok = map.saveMap(dataDir, outcome.said, &disk);
    outcome.ok = saveActors(dataDir, outcome.said) && outcome.ok;
    outcome.ok = saveItems(dataDir, outcome.said) && outcome.ok;
    if (outcome.ok) history.markSaved();
    return outcome;
}

Outcome Document::paint(int cellX, int cellY, int tile) {
    Outcome outcome;
    CellsEdit edit = paintCells(map, cellX, cellY, cellX, cellY, tile, false);
    outcome.mapChanged = !edit.cells.empty();
    applyCells(map, edit);
    history.record(std::move(edit));
    outcome.said.out(std::to_string(cellX) + "," + std::to_string(cellY) + "\n");
    return outcome;
}

Outcome Document::fill(int x1, int y1, int x2, int y2, int tile) {
    Outcome outcome;
    CellsEdit edit = paintCells(map, x1, y1, x2, y2, tile, true);
    outcome.mapChanged = !edit.cells.empty();
    applyCells(map, edit);
    history.record(std::move(edit));
    return outcome;
}

Outcome Document::bucketFill(int cellX, int cellY, int tile) {
    Outcome outcome;
    if (cellX < 0 || cellX >= MAP_SIZE || cellY < 0 || cellY >= MAP_SIZE) return outcome;
    const int from = map.tiles[cellY][cellX];
    if (from == tile) return outcome;
    CellsEdit edit{{}, CellsKind::Bucket};
    // Each cell takes the new tile as it is found, so none is found twice; the search keeps its
    // own stack, since a region may be the whole map.
    std::vector<int> found{cellY * MAP_SIZE + cellX};
    map.tiles[cellY][cellX] = tile;
    auto take = [&](int x, int y) {
        if (map.tiles[y][x] != from) return;
        map.tiles[y][x] = tile;
        found.push_back(y * MAP_SIZE + x);
    };
    while (!found.empty()) {
        const int cell = found.back();
        found.pop_back();
        edit.cells.push_back(CellChange{cell, static_cast<short>(from), static_cast<short>(tile)});
        const int x = cell % MAP_SIZE, y = cell / MAP_SIZE;
        if (x > 0) take(x - 1, y);
        if (x < MAP_SIZE - 1) take(x + 1, y);
        if (y > 0) take(x, y - 1);
        if (y < MAP_SIZE - 1) take(x, y + 1);
    }
    outcome.mapChanged = true;
    history.record(std::move(edit));
    return outcome;
}

Outcome Document::copy(int x1, int y1, int x2, int y2) {
    Outcome outcome;
    // A selection may reach past the map's right or bottom edge: only cells are copied.
    x1 = std::max(x1, 0), y1 = std::max(y1, 0);
    x2 = std::min(x2, MAP_SIZE - 1), y2 = std::min(y2, MAP_SIZE - 1);
    if (x1 > x2 || y1 > y2) {
        outcome.ok = false;
        outcome.said.out("Nothing selected\n");
        return outcome;
    }
    copied.width = x2 - x1 + 1;
    copied.height = y2 - y1 + 1;
    copied.tiles.clear();
    for (int y = y1; y <= y2; ++y) copied.tiles.insert(copied.tiles.end(), &map.tiles[y][x1], &map.tiles[y][x2] + 1);
    outcome.said.out("Copied " + std::to_string(copied.width) + "x" + std::to_string(copied.height) + " cells\n");
    return outcome;
}

Outcome Document::paste(int cellX, int cellY) {
    Outcome outcome;
    if (copied.tiles.empty()) {
        outcome.ok = false;
        outcome.said.out("Nothing to paste\n");
        return outcome;
    }
    // As with a fill, the step holds only the cells that change.
    CellsEdit edit{{}, CellsKind::Paste};
    for (int row = 0; row < copied.height; ++row)
        for (int column = 0; column < copied.width; ++column) {
            const int x = cellX + column, y = cellY + row;
            const int tile = copied.tiles[static_cast<size_t>(row * copied.width + column)];
            if (x < 0 || x >= MAP_SIZE || y < 0 || y >= MAP_SIZE || map.tiles[y][x] == tile) continue;
            edit.cells.push_back(
                CellChange{y * MAP_SIZE + x, static_cast<short>(map.tiles[y][x]), static_cast<short>(tile)});
        }
    outcome.mapChanged = !edit.cells.empty();
    applyCells(map, edit);
    history.record(std::move(edit));
    return outcome;
}

Outcome Document::placeNpc(const Actor& npc) {
    npcs.push_back(npc);
    history.record(NpcPresence{static_cast<int>(npcs.size()) - 1, std::make_unique<Actor>(npc), false});
    return Outcome();
}

Outcome Document::placeItem(const Item& item) {
    items.push_back(item);
    history.record(ItemPlaced{static_cast<int>(items.size()) - 1, std::make_unique<Item>(item)});
    return Outcome();
}

int Document::npcIndexAt(int x, int y) const {
    for (size_t i = 0; i < npcs.size(); ++i) {
        int ax = truncateToInt(npcs[i].x), ay = truncateToInt(npcs[i].y);
        if (collide(x, y, CLICK_BOX, CLICK_BOX, ax, ay, OBJECT_BOX, OBJECT_BOX)) return static_cast<int>(i);
    }
    return -1;
}

int Document::itemIndexAt(int x, int y) const {
    for (size_t i = 0; i < items.size(); ++i) {
        const Item& item = items[i];
        if (item.type == ITEM_TYPE_REMOVED) continue;
        int ix = truncateToInt(item.x), iy = truncateToInt(item.y);
        if (collide(x, y, CLICK_BOX, CLICK_BOX, ix, iy, OBJECT_BOX, OBJECT_BOX)) return static_cast<int>(i);
    }
    return -1;
}

Outcome Document::killNPCAt(int x, int y) {
    const int index = npcIndexAt(x, y);
    if (index < 0) return Outcome();
    // The earliest added NPC under the click goes; undo puts it back at the same place.
    auto at = npcs.begin() + index;
    history.record(NpcPresence{index, std::make_unique<Actor>(*at), true});
    npcs.erase(at);
    return Outcome();
}

Outcome Document::killItemAt(int x, int y) {
    const int index = itemIndexAt(x, y);
    if (index < 0) return Outcome();
    // Removed items stay in the list and in the files, marked with their type.
    Item& item = items[static_cast<size_t>(index)];
    history.record(ItemRemoved{index, item.type});
    item.type = ITEM_TYPE_REMOVED;
    return Outcome();
}

// The editing questions touch only members the file holds, so equal bytes mean no change.
Outcome Document::editNpc(int index, const Actor& edited) {
    Actor& npc = npcs.at(static_cast<size_t>(index));
    if (edited.serialize() == npc.serialize()) return Outcome();
    history.record(NpcEdit{index, std::make_unique<Actor>(npc), std::make_unique<Actor>(edited)});
    npc = edited;
    return Outcome();
}

Outcome Document::editItem(int index, const Item& edited) {
    Item& item = items.at(static_cast<size_t>(index));
    if (edited.serialize() == item.serialize()) return Outcome();
    history.record(ItemEdit{index, std::make_unique<Item>(item), std::make_unique<Item>(edited)});
    item = edited;
    return Outcome();
}

void Document::movedPosition(float& x, float& y, int dx, int dy) {
    const auto moved = [](float from, int by) {
        const float to = from + static_cast<float>(by);
        return to < 0 ? 0.0f : to > LAST_WORLD_PIXEL ? static_cast<float>(LAST_WORLD_PIXEL) : to;
    };
    x = moved(x, dx);
    y = moved(y, dy);
}

// A drop where the object was picked up, or one the map's edge holds where it was, is no step.
// (An object outside the map, from a file, stays there when dropped where it was picked up.)
template <typename T>
static void moveObject(EditHistory& history, bool npc, int index, T& object, int dx, int dy) {
    float x = object.x, y = object.y;
    if (dx == 0 && dy == 0) return;
    Document::movedPosition(x, y, dx, dy);
    if (x == object.x && y == object.y) return;
    history.record(ObjectMoved{npc, index, object.x, object.y, x, y});
    object.x = x, object.y = y;
}

Outcome Document::moveNpc(int index, int dx, int dy) {
    moveObject(history, true, index, npcs.at(static_cast<size_t>(index)), dx, dy);
    return Outcome();
}

Outcome Document::moveItem(int index, int dx, int dy) {
    moveObject(history, false, index, items.at(static_cast<size_t>(index)), dx, dy);
    return Outcome();
}

Outcome Document::undo() {
    Outcome outcome;
    std::string said;
    outcome.mapChanged = history.undo(*this, said);
    outcome.said.out(said + "\n");
    return outcome;
}

Outcome Document::redo() {
    Outcome outcome;
    std::string said;
    outcome.mapChanged = history.redo(*this, said);
    outcome.said.out(said + "\n");
    return outcome;
}

// Before the load command the lists hold only what this run placed, not the world's own: a
// copy of them would hold only those, unless the world had none.
static DirHolding holding(bool loaded, size_t count, int owned, const std::string& firstFile) {
    struct stat info;
    const bool whole = loaded || owned > 0 || lstat(firstFile.c_str(), &info) != 0;
    return DirHolding{whole ? Holding::Whole : count ? Holding::Placed : Holding::Nothing, static_cast<int>(count), owned};
}

Snapshot Document::snapshot() const {
    Snapshot taken;
    taken.world = std::make_unique<World>(static_cast<const World&>(*this));
    taken.state = history.state();
    char* real = realpath(dataDir.c_str(), nullptr);
    taken.holds.world = real ? std::string(real) : dataDir;
    free(real);
    taken.holds.world = taken.holds.world.substr(0, taken.holds.world.rfind('/'));
    taken.holds.npcs = holding(dataLoaded, npcs.size(), ownedNpcFiles, npcDefPath(dataDir, 0));
    taken.holds.items = holding(dataLoaded, items.size(), ownedItemFiles, itemDefPath(dataDir, 0));
    return taken;
}

Outcome Document::keepUnsavedEdits() {
    Outcome outcome;
    recovery.wait();  // an autosave under way finishes first; what it said is superseded
    bool kept = false;
    Messages superseded;
    recovery.collect(kept, superseded);
    if (!hasUnsavedEdits()) {
        recovery.retire();  // an earlier run's copy stays as it is
        return outcome;
    }
    outcome.ok = recovery.keep(snapshot(), outcome.said);
    return outcome;
}

Outcome Document::autosave(long long nowMs) {
    Outcome outcome;
    bool ok = false;
    Messages said;
    if (recovery.collect(ok, said)) {
        if (!ok && !autosaveFailed) outcome.said = said, outcome.ok = false;
        if (ok && recovery.lastKeptInUserPlace() && !userPlaceSaid) outcome.said = said, userPlaceSaid = true;
        autosaveFailed = !ok;
    }
    if (recovery.busy()) return outcome;
    if (!hasUnsavedEdits()) {
        unsavedSince = -1;
        if (recovery.holdsCopy()) recovery.retire();  // saved, or undone: the copy is out of date
        return outcome;
    }
    if (autosaveSeconds <= 0 || history.state() == recovery.copiedState()) return outcome;
    if (unsavedSince < 0) unsavedSince = nowMs;
    const long long interval = autosaveSeconds * 1000LL;
    if (nowMs < unsavedSince + interval || (autosaved && nowMs < lastAutosave + interval)) return outcome;
    autosaved = true;
    lastAutosave = nowMs;
    recovery.keepInBackground(snapshot());
    return outcome;
}
