// The default world generator. That every file it writes is valid for the editor is checked by
// worldcheck's tests on the default world, and that the art ends where the editor's lists end,
// by the start-up tests.
#include <gtest/gtest.h>

#include <algorithm>

#include "png_pixels.h"
#include "test_support.h"
#include "world/map.h"
#include "worldgen.h"

TEST(Worldgen, TheSameMapEveryTimeAndTilesThatCanBeToldApart) {
    TempDir world, again;
    ASSERT_TRUE(generateWorld(world.path));
    ASSERT_TRUE(generateMap(again.path));
    EXPECT_EQ(readFile(again / "data/map.dat"), readFile(world / "data/map.dat"));
    std::vector<std::vector<Uint32>> tiles;
    for (int n = 0; n <= LAST_TILE; n++) tiles.push_back(loadPngPixels(world / ("data/assets/tiles/" + std::to_string(n) + ".png")).pixels);
    std::sort(tiles.begin(), tiles.end());
    EXPECT_EQ(std::adjacent_find(tiles.begin(), tiles.end()), tiles.end()) << "two tiles look the same";
}

TEST(Worldgen, CommandWritesTheWorldOrSaysWhyNot) {
    TempDir dir;
    writeFile(dir / "plain", "not a directory");
    const struct {
        std::vector<std::string> args;
        int status;
        const char* out;  // in the standard output
    } cases[] = {{{dir / "new/world"}, 0, "\n"}, {{"--help"}, 0, "usage: worldgen <root>"}, {{}, 1, ""}, {{dir / "plain/world"}, 1, ""}};
    for (const auto& c : cases) {
        std::vector<std::string> argv = {WORLDGEN_BINARY};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        ProcessResult run = runProcess(argv, "", {}, 30000);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_NE(run.out.find(c.out), std::string::npos) << run.out;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), c.status) << run.err;  // one clear line on failure
    }
    EXPECT_EQ(readFile(dir / "new/world/edfont.ttf"), readFile(FONT_SOURCE));
}
