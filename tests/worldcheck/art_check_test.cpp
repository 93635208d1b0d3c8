// The checker on the art and the font that the editor loads at start-up.
#include <gtest/gtest.h>

#include "check_world.h"

namespace {
// Numbered images present from 0 without a gap, as the editor counts them.
int countFrom0(const FixtureWorld& world, const std::string& dir) {
    int n = 0;
    while (fileExists(world / (dir + "/" + std::to_string(n) + ".png"))) ++n;
    return n;
}

// Only tile 0 on the map and no items, so that nothing else depends on missing images.
void plainWorld(const FixtureWorld& world) {
    writeFile(world / "data/map.dat", joinLines(std::vector<std::string>(350, std::string(350, 'A'))));
    world.setItems({});
}
}  // namespace

TEST(WorldCheckArt, FilesTheEditorCannotStartWithout) {
    for (const char* path : {"data/assets/sprites/3/2-1.png", "data/assets/sprites/8/3-2.png", "data/assets/icns/10.png",
                             "data/assets/icns/28.png", "edfont.ttf"}) {
        SCOPED_TRACE(path);
        FixtureWorld world;
        removeFile(world / path);
        expectReport(world, oneProblem(std::string(path) + ": missing (the editor will not start without it)"));
    }
}

TEST(WorldCheckArt, ImagesAfterAGapAreNeverLoaded) {
    FixtureWorld world;
    plainWorld(world);
    int tiles = countFrom0(world, "data/assets/tiles"), pictures = countFrom0(world, "data/assets/items");
    ASSERT_GE(std::min(tiles, pictures), 3);
    removeFile(world / ("data/assets/tiles/" + std::to_string(tiles - 3) + ".png"));
    removeFile(world / ("data/assets/items/" + std::to_string(pictures - 2) + ".png"));
    auto n = [](int number) { return std::to_string(number) + ".png"; };
    expectReport(world, "data/assets/items: files after the gap at " + n(pictures - 2) + " are never loaded: " +
                            n(pictures - 1) + "\ndata/assets/tiles: files after the gap at " + n(tiles - 3) +
                            " are never loaded: " + n(tiles - 2) + ", " + n(tiles - 1) + "\n2 problems in 2 files\n");
}

TEST(WorldCheckArt, MapTilesAndItemIconsCountOnlyTheImagesBeforeAGap) {
    FixtureWorld world;
    plainWorld(world);
    world.replaceLine("data/map.dat", 2, "B" + std::string(349, 'A'));
    Item item;
    item.icon = 1;
    world.setItems({item});
    removeFile(world / "data/assets/tiles/1.png");
    removeFile(world / "data/assets/items/1.png");
    std::vector<std::string> lines = splitAtLineFeeds(checkOutput(world));
    ASSERT_EQ(lines.size(), 5u);
    // The gaps themselves, as above.
    EXPECT_EQ(lines[0].rfind("data/assets/items: files after the gap at 1.png are never loaded: 2.png", 0), 0u);
    EXPECT_EQ(lines[1].rfind("data/assets/tiles: files after the gap at 1.png are never loaded: 2.png", 0), 0u);
    EXPECT_EQ(lines[2], "data/idef/0.def:11: icon 1 has no picture in data/assets/items (drawn as the missing-image icon)");
    EXPECT_EQ(lines[3], "data/map.dat:2: tile 1 ('B') at x=0 has no image in data/assets/tiles (drawn as the "
                        "missing-image icon)");
    EXPECT_EQ(lines[4], "4 problems in 4 files");
}
