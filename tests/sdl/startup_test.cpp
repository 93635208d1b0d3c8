// Start-up of the real editor binary in a temporary world on the dummy video driver.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>

#include "test_support.h"

namespace {

const std::vector<std::string> DUMMY_VIDEO = {"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy"};
const char* const LOADED = "Assets loaded.\nmap loaded....\n";

TEST(Startup, TheEndsOfTheNumberedArtMissingOrBrokenFilesAndNoDisplay) {
    const struct {
        const char* what;
        std::vector<std::string> removed;
        std::string broken;  // written with bytes that are no picture
        int status;          // -1: still running after 1.5 s, as a healthy editor is
        std::string out, err;
        bool wholeErr;       // else err must be in the output
        std::vector<std::string> env = DUMMY_VIDEO;
        bool pipes = false;  // the removed files replaced by named pipes, which must not block
        std::string bomb = "";  // written with the header of a 12000x12000 picture
    } cases[] = {
        {"default world", {}, "", -1, LOADED,
         "Warning: data/assets/items/12.png doesn't exist (can be ignored)\ndata/assets/tiles/47.png doesn't exist\n", true},
        // Pipes in place of art count as missing and never block.
        {"gaps end the tile and item lists", {"data/assets/tiles/5.png", "data/assets/items/0.png"}, "", -1, LOADED,
         "Warning: data/assets/items/0.png doesn't exist (can be ignored)\ndata/assets/tiles/5.png doesn't exist\n", true,
         DUMMY_VIDEO, true},
        {"a pipe as the font", {"edfont.ttf"}, "", 1, LOADED, "Could not locate font!\n", false, DUMMY_VIDEO, true},
        {"map", {"data/map.dat"}, "", 1, "Assets loaded.\n", "map file data/map.dat is missing\n", false},
        // Sprites come first: the missing item picture is never reached.
        {"sprite", {"data/assets/sprites/3/2-1.png", "data/assets/items/0.png"}, "", 1, "",
         "***CRITICAL ERROR*** Sprite data/assets/sprites/3/2-1.png not found...\n", true},
        {"broken icon", {}, "data/assets/icns/10.png", 1, "", "data/assets/icns/10.png doesn't exist\n", false},
        {"a tile too large to decode", {}, "", -1, LOADED,
         "Warning: data/assets/items/12.png doesn't exist (can be ignored)\n***WARNING*** data/assets/tiles/5.png is "
         "12000x12000 pixels, over the 1024x1024 the editor loads: treated as missing\ndata/assets/tiles/5.png doesn't exist\n",
         true, DUMMY_VIDEO, false, "data/assets/tiles/5.png"},
        {"no display", {}, "", 1, "", "xvfb-run", false, {"DISPLAY", "SDL_VIDEODRIVER"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir world;
        makeDefaultWorld(world.path);
        for (const std::string& path : c.removed) {
            removeFile(world / path);
            if (c.pipes) mkfifo((world / path).c_str(), 0644);
        }
        if (!c.broken.empty()) writeFile(world / c.broken, "not a picture");
        if (!c.bomb.empty()) writeFile(world / c.bomb, pngHeader(12000, 12000));
        ProcessResult run = runProcess({MAPED_BINARY}, world.path, c.env, c.status == -1 ? 1500 : 20000);
        EXPECT_EQ(run.timedOut, c.status == -1) << run.err;
        EXPECT_EQ(run.status, c.status);  // -1 for one that was stopped
        EXPECT_EQ(run.out, c.out);
        EXPECT_TRUE(c.wholeErr ? run.err == c.err : run.err.find(c.err) != std::string::npos) << run.err;
        EXPECT_TRUE(c.env == DUMMY_VIDEO || std::count(run.err.begin(), run.err.end(), '\n') == 1) << "one clear line";
    }
}

// A second editor started on a world another one has open says so, and runs on.
TEST(Startup, ASecondEditorOnAWorldAnotherHasOpenSaysSo) {
    TempDir world, logs;
    makeDefaultWorld(world.path);
    ChildProcess first;
    ASSERT_TRUE(first.start({MAPED_BINARY}, world.path, DUMMY_VIDEO, logs / "out", logs / "err"));
    ASSERT_TRUE(waitUntil([&] { return first.out() == LOADED || first.poll(); }, 20000)) << first.err();
    const ProcessResult second = runProcess({MAPED_BINARY}, world.path, DUMMY_VIDEO, 1500);
    EXPECT_TRUE(second.timedOut);
    EXPECT_NE(second.err.find("***WARNING*** another editor (pid " + std::to_string(first.pid) +
                              ") has this world open: this one will not save it until that one ends\n"),
              std::string::npos)
        << second.err;
}

}  // namespace
