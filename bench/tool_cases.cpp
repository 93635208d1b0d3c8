#include "tool_cases.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "world/defdir.h"
#include "world/world_diff.h"
#include "world/world_merge.h"
#include "world/world_paths.h"

extern char** environ;

namespace {
constexpr double MS = 1e6;
constexpr int SLOW_ROUNDS = 5;

// Runs a command to its end with its output sent to /dev/null; false when it failed to run.
bool runQuietly(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(&a[0]);
    argv.push_back(nullptr);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid;
    int started = posix_spawn(&pid, argv[0], &files, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&files);
    int status = 0;
    if (started != 0 || waitpid(pid, &status, 0) != pid) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) <= 1;
}

Batch command(std::vector<std::string> args) {
    return [args](long calls) {
        double start = nowNs();
        for (long i = 0; i < calls; ++i)
            if (!runQuietly(args)) fprintf(stderr, "%s failed\n", args[0].c_str());
        return nowNs() - start;
    };
}

// A copy of the world's map and definitions with 300 cells changed (one in three along ten
// rows, each its own run), the third NPC removed, one NPC added and one item's owner changed.
void writeChangedCopy(const std::string& root, const std::string& copy) {
    auto world = std::make_unique<World>();
    readWorld(root, *world);
    for (int y = 100; y < 110; ++y)
        for (int x = 0; x < 90; x += 3) world->map.tiles[y][x] = (world->map.tiles[y][x] + 1) % (LAST_TILE + 1);
    world->npcs.erase(world->npcs.begin() + 2);
    world->npcs.push_back(world->npcs.front());
    world->npcs.back().name = "Guard";
    world->items[1].owner = 3;
    std::string data = copy + "/data";
    mkdir(copy.c_str(), 0777);
    mkdir(data.c_str(), 0777);
    mkdir((data + "/npcdef").c_str(), 0777);
    mkdir((data + "/idef").c_str(), 0777);
    Messages unsaid;
    writeFileAtomically(mapFilePath(data), world->map.serialize(), unsaid);
    for (size_t n = 0; n < world->npcs.size(); ++n)
        writeFileAtomically(npcDefPath(data, static_cast<int>(n)), world->npcs[n].serialize(), unsaid);
    for (size_t n = 0; n < world->items.size(); ++n)
        writeFileAtomically(itemDefPath(data, static_cast<int>(n)), world->items[n].serialize(), unsaid);
}

// Writes a world's map and definition files as they are (set-up, not timed, not synced),
// removing a few stale numbers after each list.
void writePlain(const std::string& root, const World& world) {
    const std::string data = root + "/data";
    for (const char* dir : {"", "/data", "/data/npcdef", "/data/idef"}) mkdir((root + dir).c_str(), 0777);
    auto put = [](const std::string& path, const std::string& bytes) {
        FILE* f = fopen(path.c_str(), "wb");
        if (f) fwrite(bytes.data(), 1, bytes.size(), f), fclose(f);
    };
    put(mapFilePath(data), world.map.serialize());
    for (size_t n = 0; n < world.npcs.size() + 8; ++n) {
        std::string path = npcDefPath(data, static_cast<int>(n));
        n < world.npcs.size() ? put(path, world.npcs[n].serialize()) : static_cast<void>(remove(path.c_str()));
    }
    for (size_t n = 0; n < world.items.size() + 8; ++n) {
        std::string path = itemDefPath(data, static_cast<int>(n));
        n < world.items.size() ? put(path, world.items[n].serialize()) : static_cast<void>(remove(path.c_str()));
    }
}

// The sides of a merge: each the world with 300 cells changed in ten rows of its own, an NPC
// added and one changed; THEIRS also with an NPC removed and an item changed.
std::unique_ptr<World> mergeSide(const std::string& root, int side) {
    auto world = std::make_unique<World>();
    readWorld(root, *world);
    for (int y = 100 + 50 * side; y < 110 + 50 * side; ++y)
        for (int x = 0; x < 90; x += 3) world->map.tiles[y][x] = (world->map.tiles[y][x] + 1) % (LAST_TILE + 1);
    world->npcs.push_back(world->npcs.front());
    world->npcs.back().name = side == 0 ? "Guard" : "Smith";
    world->npcs[1].hp += 1 + side;
    if (side == 1) world->npcs.erase(world->npcs.begin() + 3), world->items[2].price = 7;
    return world;
}
}  // namespace

void addToolCases(Harness& harness, const std::string& root) {
    const std::string copy = root + "/bench-changed";
    writeChangedCopy(root, copy);
    harness.add("worlddiff: read both, compare, format (304 lines)", [root, copy](long calls) {
        auto olds = std::make_unique<World>(), news = std::make_unique<World>();
        size_t length = 0;
        double start = nowNs();
        for (long i = 0; i < calls; ++i) {
            readWorld(root, *olds);
            readWorld(copy, *news);
            length += diffWorlds(*olds, *news).text().size();
        }
        double took = nowNs() - start;
        keepMemory(&length);
        return took;
    });
    harness.add("worlddiff command, the same two worlds", command({WORLDDIFF_BINARY, root, copy}), 50 * MS);
    harness.add("worldrender command: whole world, scale 8",
                command({WORLDRENDER_BINARY, root, root + "/bench-whole.png"}), 1000 * MS, SLOW_ROUNDS);
    harness.add("worldrender command: 50x50 cells at scale 48",
                command({WORLDRENDER_BINARY, "--scale", "48", "--region", "150,150,50,50", root,
                         root + "/bench-block.png"}),
                500 * MS, SLOW_ROUNDS);

    // Each call merges into OURS as it was before the merge: put back (untimed) before each.
    const std::string ours = root + "/bench-ours", theirs = root + "/bench-theirs";
    std::shared_ptr<World> oursWorld = mergeSide(root, 0);
    writePlain(theirs, *mergeSide(root, 1));
    harness.add("worldmerge command: three default worlds, about 300 changes a side, into OURS",
                [root, ours, theirs, oursWorld](long calls) {
                    double took = 0;
                    for (long i = 0; i < calls; ++i) {
                        writePlain(ours, *oursWorld);
                        sync();  // or the merge's own syncs would also flush what the set-up wrote
                        took += command({WORLDMERGE_BINARY, root, ours, theirs, "--into", ours})(1);
                    }
                    return took;
                },
                100 * MS);
    harness.add("worldmerge: read BASE and THEIRS, merge (in the process)", [root, ours, theirs, oursWorld](long calls) {
        auto base = std::make_unique<World>(), other = std::make_unique<World>(), merged = std::make_unique<World>();
        size_t conflicts = 0;
        double start = nowNs();
        for (long i = 0; i < calls; ++i) {
            readWorld(root, *base);
            readWorld(theirs, *other);
            conflicts += mergeWorlds(*base, *oursWorld, *other, *merged).conflicts.size();
        }
        double took = nowNs() - start;
        keepMemory(&conflicts);
        return took;
    });
    const std::string zero(40, '0');
    harness.add("worldgit diff driver on map.dat (300 changed cells)",
                command({WORLDGIT_BINARY, "diff", "map", "world/data/map.dat", mapFilePath(root + "/data"), zero, "100644",
                         mapFilePath(root + "/bench-changed/data"), zero, "100644"}),
                30 * MS);
    harness.add("worldgit textconv of map.dat (a line per cell, for git log -p)",
                command({WORLDGIT_BINARY, "textconv", "map", mapFilePath(root + "/data")}));
}
