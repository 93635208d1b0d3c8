// Saves cut short by a full disk or a killed process leave the previous world's files as they
// were, byte for byte, and say what was not written; the recovery copy is written whole.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <functional>
#include <memory>
#include <set>
#include <sstream>

#include "test_support.h"
#include "world/defdir.h"
#include "world/map.h"
#include "world/recovery.h"

namespace {
using Files = std::map<std::string, std::string>;

// A map, and numbered NPCs and items that tell the two worlds apart.
struct Tagged {
    std::unique_ptr<World> world = makeWorld();
    Tagged(int npcCount, int itemCount, const std::string& tag) {
        world->npcs.resize(static_cast<size_t>(npcCount));
        world->items.resize(static_cast<size_t>(itemCount));
        for (int i = 0; i < npcCount; ++i) world->npcs[i].name = tag + " npc " + std::to_string(i), world->npcs[i].hp = i;
        for (int i = 0; i < itemCount; ++i) world->items[i].name = tag + " item " + std::to_string(i), world->items[i].price = i;
    }
    bool save(const std::string& dir, Messages& said) const {
        int ownedNpcs = INT_MAX, ownedItems = INT_MAX;  // the world's own files were loaded
        bool saved = world->map.saveMap(dir, said);
        saved = saveActorFiles(dir, world->npcs, ownedNpcs, true, said) && saved;
        return saveItemFiles(dir, world->items, ownedItems, true, said) && saved;
    }
    bool save(const std::string& dir) const {
        Messages unsaid;
        return save(dir, unsaid);
    }
    // The files a save into an empty directory leaves, by path relative to it.
    Files files() const {
        TempDir empty;
        EXPECT_TRUE(save(empty.path));
        return filesUnder(empty.path);
    }
};

}  // namespace

TEST(SafeSave, FullDiskKeepsTheOldWorld) {
    TempDir dir;
    SmallDisk disk(dir.path, "1m");
    if (!disk.mounted) GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    Tagged before(20, 5, "old");
    ASSERT_TRUE(before.save(dir.path));
    const Files old = filesUnder(dir.path);
    // Room for a few small files: the map and each directory run out part-way.
    ASSERT_NO_FATAL_FAILURE(disk.fillLeaving(3 * 4096));

    Tagged after(25, 8, "new");
    after.world->map.tiles[7][7] = 3;
    {
        Messages said;
        EXPECT_FALSE(after.save(dir.path, said));
        EXPECT_EQ(said.outText(), "");
        std::string err = said.errText();
        EXPECT_EQ(err.rfind("***WARNING*** could not write " + dir / "map.dat: No space left on device\n", 0), 0u) << err;
        // Each directory stops at the first file that finds no room, whichever that is.
        EXPECT_NE(err.find("could not write " + dir / "npcdef/"), std::string::npos) << err;
        EXPECT_NE(err.find("could not write " + dir / "idef/"), std::string::npos) << err;
    }
    Files left = filesUnder(dir.path);
    left.erase("filler");
    EXPECT_TRUE(left == old) << "a save on a full disk changed the world";

    removeFile(dir / "filler");
    ASSERT_TRUE(after.save(dir.path));
    EXPECT_TRUE(filesUnder(dir.path) == after.files());
}

// A process killed in the middle of a save (a crash) leaves every file whole: old or new.
TEST(SafeSave, KilledSaveLeavesEachFileOldOrNew) {
    TempDir dir;
    Tagged before(500, 0, "old");
    Tagged after(500, 0, "renamed");
    const Files old = before.files(), updated = after.files();
    const std::string firstFile = npcDefPath(dir.path, 0);

    // Killed once while the temporaries are written, once while they are renamed.
    const std::vector<std::function<bool()>> moments = {
        [&] { return fileExists(firstFile + ".tmp"); },
        [&] { return readFile(firstFile) == updated.at("npcdef/0.def"); },
    };
    for (const auto& moment : moments) {
        ASSERT_TRUE(before.save(dir.path));
        pid_t pid = fork();
        if (pid == 0) {
            for (;;) after.save(dir.path);  // until killed
        }
        waitUntil(moment, 20000, 0);
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);

        Files left;
        for (const auto& [name, bytes] : filesUnder(dir.path))
            if (name.size() < 4 || name.compare(name.size() - 4, 4, ".tmp") != 0) left[name] = bytes;  // never loaded
        ASSERT_EQ(left.size(), old.size());
        for (const auto& [name, bytes] : left) {
            ASSERT_TRUE(old.count(name)) << name << " was not there before";
            EXPECT_TRUE(bytes == old.at(name) || bytes == updated.at(name))
                << name << " is neither its old nor its new self";
        }
    }
    // The next save takes the temporaries left behind.
    ASSERT_TRUE(after.save(dir.path));
    EXPECT_TRUE(filesUnder(dir.path) == updated);
}

// A save survives a power cut only in this order: a file's data reaches the disk before it is
// renamed over its old name, and its directory is synced after the rename. A shim records the
// calls a program makes that saves as the editor does (a few files, many files, the recovery copy).
TEST(SafeSave, DataIsSyncedBeforeItsRenameAndTheDirectoryAfter) {
    TempDir world, logs;
    makeDirs(world / "data");
    ASSERT_TRUE(Tagged(3, 2, "old").save(world / "data"));
    const char* asan = getenv("ASAN_OPTIONS");  // the shim is loaded before the sanitizer's runtime
    const ProcessResult run = runProcess({SAVE_PROBE_BINARY}, world.path,
                                         {std::string("LD_PRELOAD=") + FS_TRACE_LIBRARY, "FS_TRACE_LOG=" + logs / "calls",
                                          std::string("ASAN_OPTIONS=") + (asan ? asan : "") + ":verify_asan_link_order=0"},
                                         60000);
    ASSERT_EQ(run.status, 0) << run.err;
    std::istringstream calls(readFile(logs / "calls"));
    std::map<std::string, bool> dataSynced;  // by temporary
    std::set<std::string> directoriesToSync;
    int renames = 0, syncfsCalls = 0;
    for (std::string call, path, to; calls >> call;) {
        if (call == "syncfs") {
            ++syncfsCalls;
            for (auto& [temp, synced] : dataSynced) synced = true;
            continue;
        }
        calls >> path;
        if (call == "create") dataSynced[path] = false;
        if (call == "sync") dataSynced[path] = true, directoriesToSync.erase(path);
        if (call != "rename") continue;
        calls >> to;
        ++renames;
        EXPECT_TRUE(dataSynced[path]) << path << " renamed over " << to << " before its data was synced";
        directoriesToSync.insert(to.substr(0, to.rfind('/')));
    }
    EXPECT_GT(renames, 35);
    EXPECT_GT(syncfsCalls, 0) << "no directory of many files saved";
    EXPECT_TRUE(directoriesToSync.empty()) << "not synced after its renames: " << *directoriesToSync.begin();
}

TEST(RecoveryCopy, HoldsTheWholeWorldReplacesAnEarlierCopyWholeAndFollowsNoLink) {
    TempDir dir;
    CopyPlace place;
    place.root = dir / "recovery";
    auto w = makeWorld({"a", "b"}, 1);
    w->map.tiles[3][4] = 9;
    Messages said;
    ASSERT_TRUE(place.write(Snapshot{std::make_unique<World>(*w), {}, 1}, said));
    w->npcs.pop_back();
    w->items.clear();
    ASSERT_TRUE(place.write(Snapshot{std::make_unique<World>(*w), {}, 2}, said));  // the second copy has less in it
    EXPECT_TRUE(filesUnder(place.root + "/data") ==
                (Files{{"map.dat", w->map.serialize()}, {"npcdef/0.def", w->npcs.front().serialize()}}));
    EXPECT_EQ(readFile(place.root + "/manifest"), manifestText(CopyManifest()));

    TempDir other, elsewhere;
    ASSERT_EQ(symlink(elsewhere.path.c_str(), (other / "recovery").c_str()), 0);
    CopyPlace linked;
    linked.root = other / "recovery";
    Messages refused;
    EXPECT_FALSE(linked.write(Snapshot{std::make_unique<World>(*w), {}, 1}, refused));
    EXPECT_EQ(refused.errText(), "***WARNING*** could not write " + other / "recovery" + ": not a directory\n");
    EXPECT_FALSE(fileExists(elsewhere / "data"));
}
