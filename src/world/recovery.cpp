#include "world/recovery.h"

#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include "world/defdir.h"
#include "world/safe_file.h"
#include "world/world_paths.h"

const char* const RECOVERY_DATA_DIR = "recovery/data";

// Creates dir unless it is there as a real directory; a link or a file in its place is refused.
static bool realDirectory(const std::string& dir, Messages& said) {
    struct stat info;
    if (lstat(dir.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) return true;
        said.err("***WARNING*** could not write " + dir + ": not a directory\n");
        return false;
    }
    if (mkdir(dir.c_str(), 0777) == 0) return true;
    said.err("***WARNING*** could not write " + dir + ": " + strerror(errno) + "\n");
    return false;
}

bool writeWorldCopy(const std::string& dataDir, const World& world, Messages& said) {
    size_t slash = dataDir.rfind('/');
    if (slash != std::string::npos && !realDirectory(dataDir.substr(0, slash), said)) return false;
    if (!realDirectory(dataDir, said)) return false;
    for (const char* sub : {"/npcdef", "/idef"})
        if (!realDirectory(dataDir + sub, said)) return false;
    bool ok = writeFileAtomically(mapFilePath(dataDir), world.map.serialize(), said);
    // Every file of the copy is its own: an earlier and longer copy's files are all replaced or deleted.
    int ownedNpcs = INT_MAX, ownedItems = INT_MAX;
    ok = saveActorFiles(dataDir, world.npcs, ownedNpcs, true, said) && ok;
    ok = saveItemFiles(dataDir, world.items, ownedItems, true, said) && ok;
    return ok;
}
