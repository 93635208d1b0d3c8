#include "world/defdir.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <unordered_set>

#include "world/defline.h"
#include "world/numbered.h"
#include "world/safe_file.h"

std::string npcDefPath(const std::string& dir, int n) { return dir + "/npcdef/" + std::to_string(n) + ".def"; }
std::string itemDefPath(const std::string& dir, int n) { return dir + "/idef/" + std::to_string(n) + ".def"; }

namespace {

using BytesOf = std::function<std::string(int n)>;

// Deletes the files numbered from first up to owned, left by an earlier and longer list. Files
// from owned upward were neither loaded nor written by this run: they are kept.
bool removeOwned(const std::string& dir, int first, int owned, PathFor pathFor, Messages& said, DiskRecord* record) {
    for (int n = first; n < owned; ++n) {
        std::string path = pathFor(dir, n);
        if (unlink(path.c_str()) == 0) {
            if (record) record->noteMissing(path);
            continue;
        }
        if (errno == ENOENT || errno == ENOTDIR) return true;  // the end of the run
        // A stale file that stays would be loaded back after the saved ones.
        said.err("***WARNING*** could not remove " + path + ": " + strerror(errno) + "\n");
        return false;
    }
    return true;
}

std::unordered_set<std::string> namesIn(const std::string& dir) {
    std::unordered_set<std::string> names;
    if (DIR* listing = opendir(dir.c_str())) {
        while (const dirent* entry = readdir(listing)) names.insert(entry->d_name);
        closedir(listing);
    }
    return names;
}

bool occupied(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;  // a dangling link or a directory occupies the name too
}

// The stale files a shorter list leaves, count..owned-1, are deleted; a file right after them
// that this run does not own would then follow a gap and never be loaded again. One that cannot
// be read is not loaded now either.
bool wouldHideAFile(const std::string& dir, int count, int owned, PathFor pathFor, const char* noun, Messages& said) {
    std::string nothing, reason;
    if (count >= owned || readFileUpTo(pathFor(dir, owned), 0, nothing, reason) != ReadStatus::Read) return false;
    said.err(std::string("***WARNING*** ") + noun + " not saved: removing " + pathFor(dir, count) + " would hide " +
             pathFor(dir, owned) + ", which this editor never loaded\n");
    return true;
}

bool changedOnDisk(const std::string& path, const DiskRecord* record, Messages& said) {
    if (!record || record->unchangedOnDisk(path)) return false;
    said.err(notSavedChangedWarning(path));
    return true;
}

bool saveNumbered(const std::string& dir, const char* subdir, int count, const BytesOf& bytesOf, int& owned,
                  bool worldLoaded, PathFor pathFor, const char* notLoadedWarning, const char* noun, Messages& said,
                  DiskRecord* record) {
    // A number the list needs that holds a file this run never read nor wrote is someone
    // else's: writing over it would lose it, so the directory is not saved at all.
    for (int n = owned; n < count; ++n) {
        std::string path = pathFor(dir, n);
        if (!occupied(path)) continue;
        if (n == 0 && !worldLoaded)
            said.err(notLoadedWarning);
        else
            said.err(std::string("***WARNING*** ") + noun + " not saved: " + path +
                     " was never loaded; move it away or press L\n");
        return false;
    }
    if (count == 0 && owned == 0) return true;
    if (wouldHideAFile(dir, count, owned, pathFor, noun, said)) return false;
    // Only the files whose bytes differ from what this run last read or wrote there are written
    // (or that were removed since), each once checked to be as this run left it; so is every
    // stale file before it goes. One listing of the directory costs far less than a look at
    // each of 10,000 files.
    const std::unordered_set<std::string> present = record ? namesIn(dir + "/" + subdir) : std::unordered_set<std::string>();
    std::vector<std::pair<std::string, std::string>> changed;
    for (int n = 0; n < count; ++n) {
        std::string path = pathFor(dir, n), bytes = bytesOf(n);
        if (record && record->holds(path, bytes) && present.count(path.substr(path.rfind('/') + 1))) continue;
        if (changedOnDisk(path, record, said)) return false;
        changed.emplace_back(std::move(path), std::move(bytes));
    }
    for (int n = count; n < owned; ++n) {
        std::string path = pathFor(dir, n);
        if (!occupied(path)) break;  // the end of the run: removeOwned stops there too
        if (changedOnDisk(path, record, said)) return false;
    }
    // Failures to create show up below as files that could not be written.
    mkdir(dir.c_str(), 0777);
    mkdir((dir + "/" + subdir).c_str(), 0777);
    // All or nothing: a file that cannot be written (a full disk) leaves every old file as it was.
    FileBatch batch(changed.size());
    for (const auto& [path, bytes] : changed)
        if (!batch.add(path, bytes, said)) return false;
    const bool committed = batch.commit(said);
    if (record) {
        // What was renamed into place is on disk now, whatever else failed.
        size_t next = 0;
        for (const auto& [path, bytes] : changed)
            if (next < batch.committed.size() && batch.committed[next] == path) record->noteWritten(path, bytes), ++next;
    }
    if (!committed) return false;
    // Only a save whose every file was written makes them this run's own.
    if (!removeOwned(dir, count, owned, pathFor, said, record)) return false;  // the stale files left stay owned
    owned = count;
    return true;
}

// Reads files 0, 1, ... into new records appended to the list, up to the first one that is
// missing or cannot be read, and says why it stopped.
template <typename Record, typename Parse>
NumberedEnd loadAll(const std::string& dir, std::vector<Record>& list, PathFor pathFor,
                    std::string (*missingWarning)(const std::string&), Parse parse, Messages& said, DiskRecord* record) {
    auto path = [&](int n) { return pathFor(dir, n); };
    NumberedEnd end = readNumbered(path, DEF_FILE_LIMIT, [&](int n, const std::string& bytes) {
        list.emplace_back();
        parse(list.back(), bytes);
        if (record) record->noteRead(path(n), bytes, DEF_FILE_LIMIT);
    });
    if (record && end.stop == ReadStatus::Missing) record->noteMissing(path(end.count));
    if (end.stop == ReadStatus::Missing) said.err(missingWarning(path(end.count)));
    else if (end.stop != ReadStatus::Read) said.err(unreadableWarning(path(end.count), end.reason));
    return end;
}
}  // namespace

// The directory warning says "missing" only when 0.def is: one that is there but cannot be
// read has had its own warning, saying why.
int loadActorFiles(const std::string& dir, std::vector<Actor>& npcs, Messages& said, DiskRecord* record) {
    NumberedEnd end = loadAll(dir, npcs, npcDefPath, actorMissingWarning,
                              [](Actor& npc, const std::string& bytes) { npc.parse(bytes); }, said, record);
    if (end.count == 0 && end.stop == ReadStatus::Missing)
        said.err("*** WARNING *** DATA DIR " + dir + " IS MISSING filename " + npcDefPath(dir, 0) + "\n");
    return end.count;
}

int loadItemFiles(const std::string& dir, std::vector<Item>& items, Messages& said, DiskRecord* record) {
    NumberedEnd end = loadAll(dir, items, itemDefPath, itemMissingWarning,
                              [&](Item& item, const std::string& bytes) { item.parse(bytes, &said); }, said, record);
    if (end.count == 0 && end.stop == ReadStatus::Missing) said.err("*** WARNING *** DATA DIR " + dir + " IS MISSING\n");
    return end.count;
}

const char* const NPC_NOT_LOADED = "***WARNING*** NPCs not saved: press L to load the world's NPCs first\n";
const char* const ITEM_NOT_LOADED = "***WARNING*** items not saved: press L to load the world's items first\n";

bool saveActorFiles(const std::string& dir, const std::vector<Actor>& npcs, int& owned, bool worldLoaded,
                    Messages& said, DiskRecord* record) {
    BytesOf bytesOf = [&](int n) { return npcs[static_cast<size_t>(n)].serialize(); };
    return saveNumbered(dir, "npcdef", static_cast<int>(npcs.size()), bytesOf, owned, worldLoaded, npcDefPath,
                        NPC_NOT_LOADED, "NPCs", said, record);
}

bool saveItemFiles(const std::string& dir, const std::vector<Item>& items, int& owned, bool worldLoaded,
                   Messages& said, DiskRecord* record) {
    BytesOf bytesOf = [&](int n) { return items[static_cast<size_t>(n)].serialize(); };
    return saveNumbered(dir, "idef", static_cast<int>(items.size()), bytesOf, owned, worldLoaded, itemDefPath,
                        ITEM_NOT_LOADED, "items", said, record);
}

bool saveDefinitionBytes(const std::string& dir, DefKind kind, const std::vector<std::string>& files, int& owned,
                         Messages& said, DiskRecord* record) {
    BytesOf bytesOf = [&](int n) { return files[static_cast<size_t>(n)]; };
    const bool npcs = kind == DefKind::Npcs;
    return saveNumbered(dir, npcs ? "npcdef" : "idef", static_cast<int>(files.size()), bytesOf, owned, true,
                        npcs ? npcDefPath : itemDefPath, npcs ? NPC_NOT_LOADED : ITEM_NOT_LOADED,
                        npcs ? "NPCs" : "items", said, record);
}
