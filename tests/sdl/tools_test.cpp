// The tools as commands: the pictures of worldrender and worlddiff read back pixel by pixel at
// two scales, the default world worldgen writes, and their exit statuses. That every file of
// the default world is valid for the editor is checked by worldcheck's tests, and that its art
// ends where the editor's lists end, by the start-up tests.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "test_support.h"
#include "world/defdir.h"

namespace {
const std::uint32_t MAGENTA = rgbaValue(255, 0, 255);

// OLD is the default world; NEW has an NPC at the corner of cell (20, 30) and cell (21, 30)
// changed. The pictures show the region of 6x5 cells from (18, 28).
class ToolsTest : public ::testing::Test {
protected:
    static inline TempDir* dir = nullptr;
    static inline std::string map;  // NEW's map file

    static void SetUpTestSuite() {
        dir = new TempDir;
        makeDefaultWorld(*dir / "old");
        std::filesystem::copy(*dir / "old", *dir / "new", std::filesystem::copy_options::recursive);
        Actor npc;
        npc.x = 20 * 48, npc.y = 30 * 48, npc.sprite = 2, npc.direction = 1;
        writeFile(npcDefPath(*dir / "new/data", 0), npc.serialize());
        map = readFile(*dir / "new/data/map.dat");
        map[30 * 351 + 21] = static_cast<char>('A' + (map[30 * 351 + 21] - 'A' + 1) % 47);
        writeFile(*dir / "new/data/map.dat", map);
    }
    static void TearDownTestSuite() { delete dir; }
    static PngPixels tile(int x, int y) {
        return loadPngPixels(*dir / ("new/data/assets/tiles/" + std::to_string(map[y * 351 + x] - 'A') + ".png"));
    }
    static ProcessResult run(const char* binary, std::vector<std::string> args) {
        args.insert(args.begin(), binary);
        return runProcess(args, dir->path, {}, 30000);
    }
};
}  // namespace

TEST_F(ToolsTest, CellsSpritesAndChangedCellsAtTwoScales) {
    const PngPixels plain = tile(19, 28), changed = tile(21, 30);
    const PngPixels sprite = loadPngPixels(*dir / "new/data/assets/sprites/2/1-0.png");
    int sx = 0, sy = 24;  // an opaque pixel of the sprite, inside the frame that marks it as changed
    while (sprite.alpha(sx, sy) != 255) sx = (sx + 1) % 48, sy += sx == 0;

    ProcessResult big = run(WORLDDIFF_BINARY, {"--png", "big.png", "--scale", "48", "--region", "18,28,6,5", "old", "new"});
    EXPECT_EQ(big.status, 1) << big.err;
    PngPixels p = loadPngPixels(*dir / "big.png");
    ASSERT_EQ(p.width, 6 * 48);
    EXPECT_EQ(p.at(48 + 20, 20), plain.at(20, 20));
    EXPECT_EQ(p.at(2 * 48 + sx, 2 * 48 + sy), sprite.at(sx, sy));
    EXPECT_EQ(p.at(3 * 48, 2 * 48 + 30), MAGENTA);
    EXPECT_EQ(p.at(3 * 48 + 24, 2 * 48 + 24), changed.at(24, 24));

    // At scale 8 each cell is its tile's 6x6 blocks averaged; the changed cell keeps its frame.
    ProcessResult small = run(WORLDDIFF_BINARY, {"old", "new", "--scale", "8", "--png", "small.png", "--region", "18,28,6,5"});
    EXPECT_EQ(small.status, 1) << small.err;
    p = loadPngPixels(*dir / "small.png");
    ASSERT_EQ(p.height, 5 * 8);
    unsigned sum[3] = {0, 0, 0};
    for (int y = 18; y < 24; ++y)
        for (int x = 18; x < 24; ++x)
            for (int k = 0; k < 3; ++k) sum[k] += plain.at(x, y) >> (8 * k) & 255;
    EXPECT_EQ(p.at(8 + 3, 3), rgbaValue((sum[0] + 18) / 36, (sum[1] + 18) / 36, (sum[2] + 18) / 36));
    EXPECT_EQ(p.at(3 * 8 + 7, 2 * 8 + 2), MAGENTA);
}

TEST_F(ToolsTest, ExitStatusesMessagesAndTheDefaultWorldTheSameEveryTime) {
    writeFile(*dir / "plain", "not a directory");
    // Outputs in the way are refused without being opened (a named pipe would hang the writer);
    // a link is replaced, as the editor's saves replace one, and its target left alone.
    ASSERT_EQ(mkfifo((*dir / "pipe.png").c_str(), 0644), 0);
    writeFile(*dir / "target.png", "keep");
    ASSERT_EQ(symlink("target.png", (*dir / "linked.png").c_str()), 0);
    // A tile whose header claims 12000x12000 pixels is never decoded (it is drawn as missing).
    std::filesystem::copy(*dir / "new", *dir / "bomb", std::filesystem::copy_options::recursive);
    writeFile(*dir / "bomb/data/assets/tiles/5.png", pngHeader(12000, 12000));
    const struct {
        const char* binary;
        std::vector<std::string> args;
        int status;
        std::string err;
    } cases[] = {
        {WORLDDIFF_BINARY, {"old", "old"}, 0, ""},
        {WORLDDIFF_BINARY, {"old", "nowhere"}, 2, "worlddiff: no such directory: nowhere\n"},
        {WORLDDIFF_BINARY, {"old", "new", "--scale", "0"}, 2, "worlddiff: --scale takes a whole number from 1 to 48, not 0\n"},
        {WORLDRENDER_BINARY, {"new", "whole.png", "--scale", "2"}, 0, ""},
        {WORLDRENDER_BINARY, {"--region", "300,0,51,1", "new", "x.png"}, 2,
         "worldrender: --region takes X,Y,W,H within the 350x350 map, not 300,0,51,1\n"},
        {WORLDGEN_BINARY, {"again"}, 0, ""},
        {WORLDGEN_BINARY, {}, 1, "usage: worldgen <root> (worldgen --help for details)\n"},
        {WORLDGEN_BINARY, {"plain/world"}, 1, "worldgen: could not create directory plain/world\n"},
        {MAPED_BINARY, {"--help", "--bogus"}, 2, "maped: unknown option --bogus (see maped --help)\n"},
        {MAPED_BINARY, {"--autosave", "1m"}, 2, "maped: --autosave takes a whole number of seconds, not \"1m\" (see maped --help)\n"},
        {MAPED_BINARY, {"--restore"}, 2, "maped: no recovery copy in recovery/data to restore\n"},
        {WORLDRENDER_BINARY, {"new", "pipe.png"}, 2, "worldrender: cannot write pipe.png: a named pipe, not a regular file\n"},
        {WORLDDIFF_BINARY, {"--png", "pipe.png", "old", "new"}, 2,
         "worlddiff: cannot write pipe.png: a named pipe, not a regular file\n"},
        {WORLDRENDER_BINARY, {"new", "old"}, 2, "worldrender: cannot write old: a directory, not a regular file\n"},
        {WORLDRENDER_BINARY, {"new", "linked.png", "--scale", "1"}, 0, ""},
        {WORLDRENDER_BINARY, {"bomb", "bomb.png", "--scale", "1"}, 0, ""},
        {MAPED_BINARY, {"--steps", "nowhere"}, 2, "maped: --steps nowhere: No such file or directory\n"},
        {MAPED_BINARY, {"--goto", "350,0"}, 2, "maped: --goto takes X,Y within the 350x350 map, not 350,0\n"},
    };
    for (const auto& c : cases) {
        ProcessResult result = run(c.binary, c.args);
        EXPECT_EQ(result.status, c.status) << c.binary << " " << (c.args.empty() ? "" : c.args[0]);
        EXPECT_EQ(result.err, c.err);
    }
    EXPECT_EQ(loadPngPixels(*dir / "whole.png").width, 700);
    EXPECT_EQ(loadPngPixels(*dir / "linked.png").width, 350);
    EXPECT_EQ(readFile(*dir / "target.png"), "keep");
    EXPECT_NE(run(WORLDDIFF_BINARY, {"--help"}).out.find("Out of scope: the art"), std::string::npos);
    EXPECT_EQ(run(WORLDGEN_BINARY, {"--help"}).out.rfind("usage: worldgen <root>\n", 0), 0u);
    const std::string help = run(MAPED_BINARY, {"--help"}).out;
    EXPECT_EQ(help.rfind("Usage: maped [OPTIONS]\n", 0), 0u);
    for (const char* line : {"\n  --goto X,Y ", "\n  N, Shift+N "}) EXPECT_NE(help.find(line), std::string::npos) << line;
    EXPECT_EQ(readFile(*dir / "again/data/map.dat"), readFile(*dir / "old/data/map.dat"));
    EXPECT_EQ(readFile(*dir / "again/edfont.ttf"), readFile(FONT_SOURCE));
}

// A picture that does not fit on the disk leaves the old one as it was, and says so in one line.
TEST_F(ToolsTest, AFullDiskKeepsTheOldPicture) {
    makeDirs(*dir / "disk");
    SmallDisk disk(*dir / "disk", "256k");
    if (!disk.mounted) GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    writeFile(*dir / "disk/old.png", "the old picture");
    ASSERT_NO_FATAL_FAILURE(disk.fillLeaving(4096));
    ProcessResult result = run(WORLDRENDER_BINARY, {"new", "disk/old.png", "--scale", "2"});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, "worldrender: cannot write disk/old.png: No space left on device\n");
    removeFile(*dir / "disk/filler");
    EXPECT_EQ(filesUnder(*dir / "disk"), (std::map<std::string, std::string>{{"old.png", "the old picture"}}));
}
