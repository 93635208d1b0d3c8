#include "world/world_reader.h"

#include <cerrno>

#include "world/defdir.h"
#include "world/world_paths.h"

int readWorldRecords(const std::string& root, WorldRecords& world) {
    std::string dataDir = root + "/" + DATA_DIR;
    std::string bytes;
    errno = 0;
    if (!readWholeFile(mapFilePath(dataDir), bytes)) return errno != 0 ? errno : EIO;
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
    return 0;
}
