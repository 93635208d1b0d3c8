// Saves cut short by a full disk or a killed process leave the previous world's files as they
// were, byte for byte, and say what was not written; the recovery copy is written whole.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <functional>
#include <memory>

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

TEST(RecoveryCopy, HoldsTheWholeWorldReplacesAnEarlierCopyWholeAndFollowsNoLink) {
    TempDir dir;
    const std::string copy = dir / "recovery/data";
    auto w = makeWorld({"a", "b"}, 1);
    w->map.tiles[3][4] = 9;
    Messages said;
    ASSERT_TRUE(writeWorldCopy(copy, *w, said));
    w->npcs.pop_back();
    w->items.clear();
    ASSERT_TRUE(writeWorldCopy(copy, *w, said));  // the second copy has less in it
    EXPECT_TRUE(filesUnder(copy) == (Files{{"map.dat", w->map.serialize()}, {"npcdef/0.def", w->npcs.front().serialize()}}));

    TempDir other, elsewhere;
    ASSERT_EQ(symlink(elsewhere.path.c_str(), (other / "recovery").c_str()), 0);
    Messages refused;
    EXPECT_FALSE(writeWorldCopy(other / "recovery/data", *w, refused));
    EXPECT_EQ(refused.errText(), "***WARNING*** could not write " + other / "recovery" + ": not a directory\n");
    EXPECT_FALSE(fileExists(elsewhere / "data"));
}
