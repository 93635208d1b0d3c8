#include "world/defdir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

#include "world/actor.h"
#include "world/item.h"
#include "world/safe_file.h"

std::string npcDefPath(const std::string& dir, int n) { return dir + "/npcdef/" + std::to_string(n) + ".def"; }
std::string itemDefPath(const std::string& dir, int n) { return dir + "/idef/" + std::to_string(n) + ".def"; }

namespace {

// Reads files 0, 1, ... into new objects appended to the list, up to the first one that is
// missing or cannot be read (stop says which: -1 or -2, as serializeFrom).
template <typename T, typename List>
int loadAll(const std::string& dir, List& list, PathFor pathFor, int& stop) {
    int count = 0;
    while (count < INT_MAX) {
        T* object = new T();
        stop = object->serializeFrom(pathFor(dir, count));
        if (stop != 0) {
            delete object;
            break;
        }
        list.push_back(object);
        ++count;
    }
    return count;
}

// Deletes the files numbered from first up to owned, left by an earlier and longer list. Files
// from owned upward were neither loaded nor written by this run: they are kept.
bool removeOwned(const std::string& dir, int first, int owned, PathFor pathFor) {
    for (int n = first; n < owned; ++n) {
        std::string path = pathFor(dir, n);
        if (unlink(path.c_str()) == 0) continue;
        if (errno == ENOENT || errno == ENOTDIR) return true;  // the end of the run
        // A stale file that stays would be loaded back after the saved ones.
        fprintf(stderr, "***WARNING*** could not remove %s: %s\n", path.c_str(), strerror(errno));
        return false;
    }
    return true;
}

bool occupied(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;  // a dangling link or a directory occupies the name too
}

template <typename List>
bool saveAll(const std::string& dir, const char* subdir, const List& list, int& owned, bool worldLoaded,
             PathFor pathFor, const char* notLoadedWarning, const char* noun) {
    const int count = static_cast<int>(list.size());
    // A number the list needs that holds a file this run never read nor wrote is someone
    // else's: writing over it would lose it, so the directory is not saved at all.
    for (int n = owned; n < count; ++n) {
        std::string path = pathFor(dir, n);
        if (!occupied(path)) continue;
        if (n == 0 && !worldLoaded)
            fputs(notLoadedWarning, stderr);
        else
            fprintf(stderr, "***WARNING*** %s not saved: %s was never loaded; move it away or press L\n", noun,
                    path.c_str());
        return false;
    }
    if (count == 0 && owned == 0) return true;
    // Failures to create show up below as files that could not be written.
    mkdir(dir.c_str(), 0777);
    mkdir((dir + "/" + subdir).c_str(), 0777);
    // All or nothing: a file that cannot be written (a full disk) leaves every old file as it was.
    FileBatch batch;
    int n = 0;
    for (const auto* object : list) {
        if (!batch.add(pathFor(dir, n), object->serialize())) return false;
        ++n;
    }
    if (!batch.commit()) return false;
    // Only a save whose every file was written makes them this run's own.
    if (!removeOwned(dir, count, owned, pathFor)) return false;  // the stale files left stay owned
    owned = count;
    return true;
}
}  // namespace

// The directory warning says "missing" only when 0.def is: one that is there but cannot be
// read has had its own warning, saying why.
int loadActorFiles(const std::string& dir, std::list<Actor*>& npcs) {
    int stop = 0;
    int count = loadAll<Actor>(dir, npcs, npcDefPath, stop);
    if (count == 0 && stop == -1)
        fprintf(stderr, "*** WARNING *** DATA DIR %s IS MISSING filename %s\n", dir.c_str(), npcDefPath(dir, 0).c_str());
    return count;
}

int loadItemFiles(const std::string& dir, std::vector<Item*>& items) {
    int stop = 0;
    int count = loadAll<Item>(dir, items, itemDefPath, stop);
    if (count == 0 && stop == -1)
        fprintf(stderr, "*** WARNING *** DATA DIR %s IS MISSING\n", dir.c_str());
    return count;
}

bool saveActorFiles(const std::string& dir, const std::list<Actor*>& npcs, int& owned, bool worldLoaded) {
    return saveAll(dir, "npcdef", npcs, owned, worldLoaded, npcDefPath,
                   "***WARNING*** NPCs not saved: press L to load the world's NPCs first\n", "NPCs");
}

bool saveItemFiles(const std::string& dir, const std::vector<Item*>& items, int& owned, bool worldLoaded) {
    return saveAll(dir, "idef", items, owned, worldLoaded, itemDefPath,
                   "***WARNING*** items not saved: press L to load the world's items first\n", "items");
}
