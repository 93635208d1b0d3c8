// The checker on the art and the font that the editor loads at start-up.
#include <gtest/gtest.h>

#include "check_world.h"

TEST(WorldCheckArt, FilesTheEditorCannotStartWithout) {
    for (const char* path : {"data/assets/sprites/3/2-1.png", "data/assets/sprites/8/3-2.png", "data/assets/icns/10.png",
                             "data/assets/icns/28.png", "edfont.ttf"}) {
        SCOPED_TRACE(path);
        FixtureWorld world;
        removeFile(world / path);
        expectReport(world, oneProblem(std::string(path) + ": missing (the editor will not start without it)"));
    }
}

TEST(WorldCheckArt, MapTilesAndItemIconsCountOnlyTheImagesBeforeAGap) {
    FixtureWorld world;  // tile 0 but for one cell, so that nothing else depends on missing images
    writeFile(world / "data/map.dat", joinLines(std::vector<std::string>(350, std::string(350, 'A'))));
    world.replaceLine("data/map.dat", 2, "B" + std::string(349, 'A'));
    Item item;
    item.icon = 1;
    world.setItems({item});
    removeFile(world / "data/assets/tiles/1.png");
    removeFile(world / "data/assets/items/1.png");
    std::vector<std::string> lines = splitAtLineFeeds(checkOutput(world));
    ASSERT_EQ(lines.size(), 5u);
    // The gaps themselves: the images after them are never loaded.
    EXPECT_EQ(lines[0].rfind("data/assets/items: files after the gap at 1.png are never loaded: 2.png", 0), 0u);
    EXPECT_EQ(lines[1].rfind("data/assets/tiles: files after the gap at 1.png are never loaded: 2.png", 0), 0u);
    EXPECT_EQ(lines[2], "data/idef/0.def:11: icon 1 has no picture in data/assets/items (drawn as the missing-image icon)");
    EXPECT_EQ(lines[3], "data/map.dat:2: tile 1 ('B') at x=0 has no image in data/assets/tiles (drawn as the "
                        "missing-image icon)");
    EXPECT_EQ(lines[4], "4 problems in 4 files");
}
