#include "world/world.h"

#include <sys/stat.h>

#include "world/defdir.h"
#include "world/defline.h"
#include "world/world_paths.h"

std::string readWorld(const std::string& root, World& world, const FileReader& read) {
    std::string dataDir = root + "/" + DATA_DIR;
    std::string bytes, reason;
    if (read(mapFilePath(dataDir), MAP_FILE_LIMIT, bytes, reason) != ReadStatus::Read) return reason;
    world.map.parse(bytes.data(), bytes.size());
    world.npcs.clear();
    world.items.clear();
    auto npcPath = [&](int n) { return npcDefPath(dataDir, n); };
    auto itemPath = [&](int n) { return itemDefPath(dataDir, n); };
    readNumbered(npcPath, DEF_FILE_LIMIT, [&](int, const std::string& record) {
        world.npcs.emplace_back();
        world.npcs.back().parse(record);
    }, read);
    readNumbered(itemPath, DEF_FILE_LIMIT, [&](int, const std::string& record) {
        world.items.emplace_back();
        world.items.back().parse(record);
    }, read);
    return "";
}

namespace {
bool isDirectory(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}
}  // namespace

std::string readWorldDirectory(const std::string& root, World& world) {
    if (!isDirectory(root)) return "no such directory: " + root;
    if (!isDirectory(root + "/" + DATA_DIR)) return root + " has no data directory";
    std::string reason = readWorld(root, world);
    if (!reason.empty()) return "cannot read " + mapFilePath(root + "/" + DATA_DIR) + ": " + reason;
    return "";
}
