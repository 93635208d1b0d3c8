#include "world/world_reader.h"

#include "world/defdir.h"
#include "world/world_paths.h"

std::string readWorldRecords(const std::string& root, WorldRecords& world) {
    std::string dataDir = root + "/" + DATA_DIR;
    std::string bytes, reason;
    if (readFileUpTo(mapFilePath(dataDir), MAP_FILE_LIMIT, bytes, reason) != ReadStatus::Read) return reason;
    world.map.parse(bytes.data(), bytes.size(), &world.notes);
    world.npcs.clear();
    world.items.clear();
    readNumbered(dataDir, npcDefPath, [&](int, const std::string& record) {
        world.npcs.emplace_back();
        world.npcs.back().parse(record, &world.notes);
    });
    readNumbered(dataDir, itemDefPath, [&](int, const std::string& record) {
        world.items.emplace_back();
        world.items.back().parse(record, &world.notes);
    });
    return "";
}
