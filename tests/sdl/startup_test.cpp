// Start-up of the real editor binary in a temporary world on the dummy video driver.
#include <gtest/gtest.h>

#include <algorithm>

#include "test_support.h"

namespace {

const std::vector<std::string> DUMMY_VIDEO = {"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy"};

class StartupTest : public ::testing::Test {
protected:
    TempDir world;
    void SetUp() override { makeDefaultWorld(world.path); }
    // Runs the editor; a healthy one never ends by itself, so it is stopped after a while.
    ProcessResult start(const std::vector<std::string>& env = DUMMY_VIDEO, int ms = 1500) {
        return runProcess({MAPED_BINARY}, world.path, env, ms);
    }
    int itemPictures() {
        int n = 0;
        while (fileExists(world / ("data/assets/items/" + std::to_string(n) + ".png"))) ++n;
        return n;
    }
};

TEST_F(StartupTest, DefaultWorldStartsAndReportsTheEndsOfItsNumberedArt) {
    ProcessResult run = start();
    EXPECT_TRUE(run.timedOut) << run.err;  // still running: start-up succeeded
    EXPECT_EQ(run.out, "Assets loaded.\nmap loaded....\n");
    int n = itemPictures();
    ASSERT_GT(n, 0);
    EXPECT_EQ(run.err, "Warning: data/assets/items/" + std::to_string(n) +
                           ".png doesn't exist (can be ignored)\ndata/assets/tiles/47.png doesn't exist\n");
}

TEST_F(StartupTest, GapsEndTheTileAndItemListsWithoutStopping) {
    removeFile(world / "data/assets/tiles/5.png");
    removeFile(world / "data/assets/items/0.png");
    ProcessResult run = start();
    EXPECT_TRUE(run.timedOut) << run.err;
    EXPECT_EQ(run.err,
              "Warning: data/assets/items/0.png doesn't exist (can be ignored)\n"
              "data/assets/tiles/5.png doesn't exist\n");
}

TEST_F(StartupTest, MissingFontEndsWithStatusOneAfterTheMapLoaded) {
    removeFile(world / "edfont.ttf");
    ProcessResult run = start();
    EXPECT_FALSE(run.timedOut);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "Assets loaded.\nmap loaded....\n");
    ASSERT_GE(run.err.size(), 23u);
    EXPECT_EQ(run.err.substr(run.err.size() - 23), "Could not locate font!\n");
}

TEST_F(StartupTest, MissingMapEndsWithStatusOne) {
    removeFile(world / "data/map.dat");
    ProcessResult run = start();
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "Assets loaded.\n");
    EXPECT_NE(run.err.find("map file data/map.dat is missing\n"), std::string::npos) << run.err;
}

TEST_F(StartupTest, MissingSpriteEndsBeforeAnyOtherArt) {
    removeFile(world / "data/assets/sprites/3/2-1.png");
    removeFile(world / "data/assets/items/0.png");  // would be reported if items were reached
    ProcessResult run = start();
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "***CRITICAL ERROR*** Sprite data/assets/sprites/3/2-1.png not found...\n");
}

TEST_F(StartupTest, MissingOrBrokenIconEndsWithStatusOne) {
    removeFile(world / "data/assets/icns/10.png");
    ProcessResult run = start();
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("data/assets/icns/10.png doesn't exist\n"), std::string::npos) << run.err;

    writeFile(world / "data/assets/icns/10.png", "not a picture");
    run = start();
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("data/assets/icns/10.png doesn't exist\n"), std::string::npos) << run.err;
}

TEST_F(StartupTest, NoDisplaySaysHowToRunUnderXvfb) {
    ProcessResult run = start({"DISPLAY", "SDL_VIDEODRIVER"}, 5000);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("xvfb-run"), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
}

}  // namespace
