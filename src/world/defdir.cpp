#include "world/defdir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "world/defline.h"
#include "world/numbered.h"
#include "world/safe_file.h"

std::string npcDefPath(const std::string& dir, int n) { return dir + "/npcdef/" + std::to_string(n) + ".def"; }
std::string itemDefPath(const std::string& dir, int n) { return dir + "/idef/" + std::to_string(n) + ".def"; }

namespace {

// Deletes the files numbered from first up to owned, left by an earlier and longer list. Files
// from owned upward were neither loaded nor written by this run: they are kept.
bool removeOwned(const std::string& dir, int first, int owned, PathFor pathFor, Messages& said) {
    for (int n = first; n < owned; ++n) {
        std::string path = pathFor(dir, n);
        if (unlink(path.c_str()) == 0) continue;
        if (errno == ENOENT || errno == ENOTDIR) return true;  // the end of the run
        // A stale file that stays would be loaded back after the saved ones.
        said.err("***WARNING*** could not remove " + path + ": " + strerror(errno) + "\n");
        return false;
    }
    return true;
}

bool occupied(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;  // a dangling link or a directory occupies the name too
}

template <typename Record>
bool saveAll(const std::string& dir, const char* subdir, const std::vector<Record>& list, int& owned,
             bool worldLoaded, PathFor pathFor, const char* notLoadedWarning, const char* noun, Messages& said) {
    const int count = static_cast<int>(list.size());
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
    // Failures to create show up below as files that could not be written.
    mkdir(dir.c_str(), 0777);
    mkdir((dir + "/" + subdir).c_str(), 0777);
    // All or nothing: a file that cannot be written (a full disk) leaves every old file as it was.
    FileBatch batch;
    for (int n = 0; n < count; ++n)
        if (!batch.add(pathFor(dir, n), list[static_cast<size_t>(n)].serialize(), said)) return false;
    if (!batch.commit(said)) return false;
    // Only a save whose every file was written makes them this run's own.
    if (!removeOwned(dir, count, owned, pathFor, said)) return false;  // the stale files left stay owned
    owned = count;
    return true;
}

// Reads files 0, 1, ... into new records appended to the list, up to the first one that is
// missing or cannot be read, and says why it stopped.
template <typename Record, typename Parse>
NumberedEnd loadAll(const std::string& dir, std::vector<Record>& list, PathFor pathFor,
                    std::string (*missingWarning)(const std::string&), Parse parse, Messages& said) {
    auto path = [&](int n) { return pathFor(dir, n); };
    NumberedEnd end = readNumbered(path, DEF_FILE_LIMIT, [&](int, const std::string& bytes) {
        list.emplace_back();
        parse(list.back(), bytes);
    });
    if (end.stop == ReadStatus::Missing) said.err(missingWarning(path(end.count)));
    else if (end.stop != ReadStatus::Read) said.err(unreadableWarning(path(end.count), end.reason));
    return end;
}
}  // namespace

// The directory warning says "missing" only when 0.def is: one that is there but cannot be
// read has had its own warning, saying why.
int loadActorFiles(const std::string& dir, std::vector<Actor>& npcs, Messages& said) {
    NumberedEnd end = loadAll(dir, npcs, npcDefPath, actorMissingWarning,
                              [](Actor& npc, const std::string& bytes) { npc.parse(bytes); }, said);
    if (end.count == 0 && end.stop == ReadStatus::Missing)
        said.err("*** WARNING *** DATA DIR " + dir + " IS MISSING filename " + npcDefPath(dir, 0) + "\n");
    return end.count;
}

int loadItemFiles(const std::string& dir, std::vector<Item>& items, Messages& said) {
    NumberedEnd end = loadAll(dir, items, itemDefPath, itemMissingWarning,
                              [&](Item& item, const std::string& bytes) { item.parse(bytes, &said); }, said);
    if (end.count == 0 && end.stop == ReadStatus::Missing) said.err("*** WARNING *** DATA DIR " + dir + " IS MISSING\n");
    return end.count;
}

bool saveActorFiles(const std::string& dir, const std::vector<Actor>& npcs, int& owned, bool worldLoaded,
                    Messages& said) {
    return saveAll(dir, "npcdef", npcs, owned, worldLoaded, npcDefPath,
                   "***WARNING*** NPCs not saved: press L to load the world's NPCs first\n", "NPCs", said);
}

bool saveItemFiles(const std::string& dir, const std::vector<Item>& items, int& owned, bool worldLoaded,
                   Messages& said) {
    return saveAll(dir, "idef", items, owned, worldLoaded, itemDefPath,
                   "***WARNING*** items not saved: press L to load the world's items first\n", "items", said);
}
