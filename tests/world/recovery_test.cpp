// The recovery copy's files: the whole world, replacing an earlier copy, never through a link.
#include <gtest/gtest.h>
#include <unistd.h>

#include "test_support.h"
#include "world/defdir.h"
#include "world/recovery.h"

TEST(RecoveryCopy, HoldsTheWholeWorldAndReplacesAnEarlierCopyWhole) {
    TempDir dir;
    const std::string copy = dir / "recovery/data";
    OwnedWorld w({"a", "b"}, 1);
    Map& map = *w.map;
    std::list<Actor*>& npcs = w.npcs;
    map.tiles[3][4] = 9;
    ASSERT_TRUE(writeWorldCopy(copy, map, npcs, w.items));
    delete npcs.back();
    npcs.pop_back();
    ASSERT_TRUE(writeWorldCopy(copy, map, npcs, {}));  // the second copy has less in it
    EXPECT_EQ(readFile(copy + "/map.dat"), map.serialize());
    EXPECT_EQ(readFile(npcDefPath(copy, 0)), npcs.front()->serialize());
    EXPECT_FALSE(fileExists(npcDefPath(copy, 1)));
    EXPECT_FALSE(fileExists(itemDefPath(copy, 0)));

    // A link in place of the copy's directory is not followed.
    TempDir other, elsewhere;
    ASSERT_EQ(symlink(elsewhere.path.c_str(), (other / "recovery").c_str()), 0);
    CaptureOutput capture;
    EXPECT_FALSE(writeWorldCopy(other / "recovery/data", map, npcs, w.items));
    EXPECT_EQ(capture.err(), "***WARNING*** could not write " + other / "recovery" + ": not a directory\n");
    EXPECT_FALSE(fileExists(elsewhere / "data"));
}
