// worldrender and worlddiff as commands: their pictures read back pixel by pixel at two
// scales, and their exit statuses.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "png_pixels.h"
#include "test_support.h"
#include "world/defdir.h"
#include "world/world_reader.h"

namespace {
constexpr int NPC_CELL_X = 20, NPC_CELL_Y = 30, CHANGED_X = 21, CHANGED_Y = 30;
const char* const REGION = "18,28,6,5";

class WorldPictureTest : public ::testing::Test {
protected:
    static TempDir* dir;
    // OLD is the default world; NEW has an NPC at a cell's corner and one cell changed.
    static void SetUpTestSuite() {
        dir = new TempDir;
        makeDefaultWorld(*dir / "old");
        std::filesystem::copy(*dir / "old", *dir / "new", std::filesystem::copy_options::recursive);
        Actor npc;
        npc.x = NPC_CELL_X * 48, npc.y = NPC_CELL_Y * 48, npc.sprite = 2, npc.direction = 1;
        writeFile(npcDefPath(*dir / "new/data", 0), npc.serialize());
        auto world = std::make_unique<WorldRecords>();
        readWorldRecords(*dir / "new", *world);
        world->map.tiles[CHANGED_Y][CHANGED_X] = (world->map.tiles[CHANGED_Y][CHANGED_X] + 1) % 47;
        writeFile(*dir / "new/data/map.dat", world->map.serialize());
    }
    static void TearDownTestSuite() { delete dir; }
    static int tileAt(int x, int y) {
        auto world = std::make_unique<WorldRecords>();
        readWorldRecords(*dir / "new", *world);
        return world->map.tiles[y][x];
    }
    static PngPixels art(const std::string& relative) { return loadPngPixels(*dir / ("new/data/assets/" + relative)); }
    static ProcessResult run(const char* binary, std::vector<std::string> args) {
        args.insert(args.begin(), binary);
        return runProcess(args, dir->path, {}, 30000);
    }
    // The average of a block of an image, as one pixel of a picture drawn smaller.
    static Uint32 average(const PngPixels& image, int x0, int y0, int size) {
        unsigned sum[3] = {0, 0, 0};
        for (int y = y0; y < y0 + size; ++y)
            for (int x = x0; x < x0 + size; ++x)
                for (int k = 0; k < 3; ++k) sum[k] += image.at(x, y) >> (8 * k) & 255;
        unsigned n = static_cast<unsigned>(size * size);
        return rgbaValue((sum[0] + n / 2) / n, (sum[1] + n / 2) / n, (sum[2] + n / 2) / n);
    }
};
TempDir* WorldPictureTest::dir = nullptr;

const Uint32 MAGENTA = rgbaValue(255, 0, 255);
}  // namespace

TEST_F(WorldPictureTest, CellsSpritesAndChangedCellsAtTwoScales) {
    PngPixels plainTile = art("tiles/" + std::to_string(tileAt(19, 28)) + ".png");
    PngPixels changedTile = art("tiles/" + std::to_string(tileAt(CHANGED_X, CHANGED_Y)) + ".png");
    PngPixels sprite = art("sprites/2/1-0.png");
    int sx = 0, sy = 24;  // an opaque pixel of the sprite, inside the frame that marks it as changed
    while (sprite.alpha(sx, sy) != 255) sx = (sx + 1) % 48, sy += sx == 0;
    const int nx = (NPC_CELL_X - 18), ny = (NPC_CELL_Y - 28), cx = CHANGED_X - 18, cy = CHANGED_Y - 28;

    ProcessResult big = run(WORLDDIFF_BINARY, {"--png", "big.png", "--scale", "48", "--region", REGION, "old", "new"});
    EXPECT_EQ(big.status, 1) << big.err;
    PngPixels p = loadPngPixels(*dir / "big.png");
    ASSERT_EQ(p.width, 6 * 48);
    EXPECT_EQ(p.at(48 + 20, 20), plainTile.at(20, 20));
    EXPECT_EQ(p.at(nx * 48 + sx, ny * 48 + sy), sprite.at(sx, sy));
    EXPECT_EQ(p.at(cx * 48, cy * 48 + 30), MAGENTA);
    EXPECT_EQ(p.at(cx * 48 + 24, cy * 48 + 24), changedTile.at(24, 24));

    // At scale 8 each cell is its tile's 6x6 blocks averaged; the changed cell keeps its frame.
    ProcessResult small = run(WORLDDIFF_BINARY, {"old", "new", "--scale", "8", "--png", "small.png", "--region", REGION});
    EXPECT_EQ(small.status, 1) << small.err;
    p = loadPngPixels(*dir / "small.png");
    ASSERT_EQ(p.height, 5 * 8);
    EXPECT_EQ(p.at(8 + 3, 3), average(plainTile, 18, 18, 6));
    EXPECT_EQ(p.at(cx * 8 + 7, cy * 8 + 2), MAGENTA);
}

TEST_F(WorldPictureTest, ExitStatusesAndMessages) {
    struct Case {
        const char* binary;
        std::vector<std::string> args;
        int status;
        std::string err;
    };
    const Case cases[] = {
        {WORLDDIFF_BINARY, {"old", "old"}, 0, ""},
        {WORLDDIFF_BINARY, {"old", "nowhere"}, 2, "worlddiff: no such directory: nowhere\n"},
        {WORLDDIFF_BINARY, {"old", "new", "--scale", "0"}, 2, "worlddiff: --scale takes a whole number from 1 to 48, not 0\n"},
        {WORLDRENDER_BINARY, {"new", "whole.png", "--scale", "2"}, 0, ""},
        {WORLDRENDER_BINARY, {"--region", "300,0,51,1", "new", "x.png"}, 2,
         "worldrender: --region takes X,Y,W,H within the 350x350 map, not 300,0,51,1\n"},
    };
    for (const Case& c : cases) {
        ProcessResult result = run(c.binary, c.args);
        EXPECT_EQ(result.status, c.status) << c.args[0] << " " << c.args[1];
        EXPECT_EQ(result.err, c.err);
    }
    EXPECT_EQ(run(WORLDDIFF_BINARY, {"old", "old"}).out, "no differences\n");
    EXPECT_EQ(loadPngPixels(*dir / "whole.png").width, 700);
    EXPECT_NE(run(WORLDDIFF_BINARY, {"--help"}).out.find("Out of scope: the art"), std::string::npos);
}
