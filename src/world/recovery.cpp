#include "world/recovery.h"

#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

#include "world/defdir.h"
#include "world/safe_file.h"
#include "world/world_paths.h"

const char* const RECOVERY_DATA_DIR = "recovery/data";

// Creates dir unless it is there as a real directory; a link or a file in its place is refused.
static bool realDirectory(const std::string& dir) {
    struct stat info;
    if (lstat(dir.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) return true;
        fprintf(stderr, "***WARNING*** could not write %s: not a directory\n", dir.c_str());
        return false;
    }
    if (mkdir(dir.c_str(), 0777) == 0) return true;
    fprintf(stderr, "***WARNING*** could not write %s: %s\n", dir.c_str(), strerror(errno));
    return false;
}

bool writeWorldCopy(const std::string& dataDir, const Map& map, const std::list<Actor*>& npcs,
                    const std::vector<Item*>& items) {
    size_t slash = dataDir.rfind('/');
    if (slash != std::string::npos && !realDirectory(dataDir.substr(0, slash))) return false;
    if (!realDirectory(dataDir)) return false;
    for (const char* sub : {"/npcdef", "/idef"})
        if (!realDirectory(dataDir + sub)) return false;
    bool ok = writeFileAtomically(mapFilePath(dataDir), map.serialize());
    // Every file of the copy is its own: an earlier and longer copy's files are all replaced or deleted.
    int ownedNpcs = INT_MAX, ownedItems = INT_MAX;
    ok = saveActorFiles(dataDir, npcs, ownedNpcs, true) && ok;
    ok = saveItemFiles(dataDir, items, ownedItems, true) && ok;
    return ok;
}
