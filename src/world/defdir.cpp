#include "world/defdir.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <unordered_set>

#include "world/defline.h"
#include "world/numbered.h"
#include "world/safe_file.h"

std::string npcDefPath(const std::string& dir, int n) { return dir + "/npcdef/" + std::to_string(n) + ".def"; }
std::string itemDefPath(const std::string& dir, int n) { return dir + "/idef/" + std::to_string(n) + ".def"; }

namespace {

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

// Kinds of definition file: where they lie and what a save says of them.
struct Kind {
    const char* subdir;
    PathFor pathFor;
    const char* notLoadedWarning;
    const char* noun;
};
const Kind NPC_FILES = {"npcdef", npcDefPath, "***WARNING*** NPCs not saved: press L to load the world's NPCs first\n", "NPCs"};
const Kind ITEM_FILES = {"idef", itemDefPath, "***WARNING*** items not saved: press L to load the world's items first\n", "items"};

template <typename Record>
bool saveAll(const std::string& dir, const Kind& kind, const std::vector<Record>& list, int& owned, bool worldLoaded,
             Messages& said, DiskRecord* record, HeldRecords<Record>* held) {
    const int count = static_cast<int>(list.size());
    const PathFor pathFor = kind.pathFor;
    // A number the list needs that holds a file this run never read nor wrote is someone
    // else's: writing over it would lose it, so the directory is not saved at all.
    for (int n = owned; n < count; ++n) {
        std::string path = pathFor(dir, n);
        if (!occupied(path)) continue;
        if (n == 0 && !worldLoaded)
            said.err(kind.notLoadedWarning);
        else
            said.err(std::string("***WARNING*** ") + kind.noun + " not saved: " + path +
                     " was never loaded; move it away or press L\n");
        return false;
    }
    if (count == 0 && owned == 0) return true;
    if (wouldHideAFile(dir, count, owned, pathFor, kind.noun, said)) return false;
    // Only the files whose bytes differ from what this run last read or wrote there are written
    // (or that were removed since), each once checked to be as this run left it; so is every
    // stale file before it goes. An object equal to the one its file was read or written from
    // is not even turned into bytes, and the directory is listed only when it changed since
    // this run last saw it: 10,000 files that did not change cost well under a millisecond.
    const std::string folder = dir + "/" + kind.subdir, prefix = folder + "/";
    const bool asLeft = record && record->directoryAsLeft(folder);
    const std::unordered_set<std::string> present = record && !asLeft ? namesIn(folder) : std::unordered_set<std::string>();
    auto there = [&](int n) { return asLeft || present.count(std::to_string(n) + ".def"); };
    std::vector<std::pair<int, std::string>> changed;
    std::string bytes;
    for (int n = 0; n < count; ++n) {
        const Record& object = list[static_cast<size_t>(n)];
        const bool same = held && n < static_cast<int>(held->size()) && (*held)[n] && (*held)[n]->sameFileAs(object);
        if (same && there(n)) continue;
        object.serialize(bytes);
        const std::string path = prefix + std::to_string(n) + ".def";
        if (record && record->holds(path, bytes) && there(n)) continue;
        if (changedOnDisk(path, record, said)) return false;
        changed.emplace_back(n, bytes);
    }
    for (int n = count; n < owned; ++n) {
        std::string path = pathFor(dir, n);
        if (!occupied(path)) break;  // the end of the run: removeOwned stops there too
        if (changedOnDisk(path, record, said)) return false;
    }
    // Failures to create show up below as files that could not be written.
    mkdir(dir.c_str(), 0777);
    mkdir(folder.c_str(), 0777);
    // All or nothing: a file that cannot be written (a full disk) leaves every old file as it was.
    FileBatch batch(changed.size());
    for (const auto& [n, fileBytes] : changed)
        if (!batch.add(pathFor(dir, n), fileBytes, said)) return false;
    const bool committed = batch.commit(said);
    // What was renamed into place is on disk now, whatever else failed.
    size_t next = 0;
    for (const auto& [n, fileBytes] : changed) {
        if (next == batch.committed.size() || batch.committed[next] != pathFor(dir, n)) continue;
        ++next;
        if (record) record->noteWritten(pathFor(dir, n), fileBytes);
        if (held && n >= static_cast<int>(held->size())) held->resize(static_cast<size_t>(n) + 1);
        if (held) (*held)[n] = list[static_cast<size_t>(n)];
    }
    if (!committed) return false;
    // Only a save whose every file was written makes them this run's own.
    if (!removeOwned(dir, count, owned, pathFor, said, record)) return false;  // the stale files left stay owned
    if (held && static_cast<int>(held->size()) > count) held->resize(static_cast<size_t>(count));
    if (record) record->noteDirectory(folder);
    owned = count;
    return true;
}

// Reads files 0, 1, ... into new records appended to the list, up to the first one that is
// missing or cannot be read, and says why it stopped.
template <typename Record, typename Parse>
NumberedEnd loadAll(const std::string& dir, std::vector<Record>& list, const Kind& kind,
                    std::string (*missingWarning)(const std::string&), Parse parse, Messages& said, DiskRecord* record,
                    HeldRecords<Record>* held) {
    auto path = [&](int n) { return kind.pathFor(dir, n); };
    std::string written;
    NumberedEnd end = readNumbered(path, DEF_FILE_LIMIT, [&](int n, const std::string& bytes) {
        list.emplace_back();
        parse(list.back(), bytes);
        if (record) record->noteRead(path(n), bytes, DEF_FILE_LIMIT);
        if (!held) return;
        // Only a file holding exactly the object's bytes may be judged by the object.
        list.back().serialize(written);
        held->resize(static_cast<size_t>(n) + 1);
        if (written == bytes) (*held)[n] = list.back();
    });
    if (record && end.stop == ReadStatus::Missing) record->noteMissing(path(end.count));
    if (record) record->noteDirectory(dir + "/" + kind.subdir);
    if (end.stop == ReadStatus::Missing) said.err(missingWarning(path(end.count)));
    else if (end.stop != ReadStatus::Read) said.err(unreadableWarning(path(end.count), end.reason));
    return end;
}
}  // namespace

// The directory warning says "missing" only when 0.def is: one that is there but cannot be
// read has had its own warning, saying why.
int loadActorFiles(const std::string& dir, std::vector<Actor>& npcs, Messages& said, DiskRecord* record,
                   HeldRecords<Actor>* held) {
    NumberedEnd end = loadAll(dir, npcs, NPC_FILES, actorMissingWarning,
                              [](Actor& npc, const std::string& bytes) { npc.parse(bytes); }, said, record, held);
    if (end.count == 0 && end.stop == ReadStatus::Missing)
        said.err("*** WARNING *** DATA DIR " + dir + " IS MISSING filename " + npcDefPath(dir, 0) + "\n");
    return end.count;
}

int loadItemFiles(const std::string& dir, std::vector<Item>& items, Messages& said, DiskRecord* record,
                  HeldRecords<Item>* held) {
    NumberedEnd end = loadAll(dir, items, ITEM_FILES, itemMissingWarning,
                              [&](Item& item, const std::string& bytes) { item.parse(bytes, &said); }, said, record, held);
    if (end.count == 0 && end.stop == ReadStatus::Missing) said.err("*** WARNING *** DATA DIR " + dir + " IS MISSING\n");
    return end.count;
}

bool saveActorFiles(const std::string& dir, const std::vector<Actor>& npcs, int& owned, bool worldLoaded,
                    Messages& said, DiskRecord* record, HeldRecords<Actor>* held) {
    return saveAll(dir, NPC_FILES, npcs, owned, worldLoaded, said, record, held);
}

bool saveItemFiles(const std::string& dir, const std::vector<Item>& items, int& owned, bool worldLoaded,
                   Messages& said, DiskRecord* record, HeldRecords<Item>* held) {
    return saveAll(dir, ITEM_FILES, items, owned, worldLoaded, said, record, held);
}
