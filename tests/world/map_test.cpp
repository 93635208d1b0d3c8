// The tile grid, its solidity rules and the map.dat file on disk.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <limits>
#include <memory>
#include <sstream>

#include "test_support.h"
#include "world/map.h"

namespace {
std::unique_ptr<Map> zeroMap() {
    auto map = std::make_unique<Map>();
    map->Init();
    return map;
}

std::string rows(int count, const std::string& line, const std::string& end = "\n") {
    std::string bytes;
    for (int i = 0; i < count; ++i) bytes += line + end;
    return bytes;
}

// Loads bytes written as dir/map.dat; returns what went to standard error.
std::string loadBytes(Map& map, const std::string& bytes) {
    TempDir dir;
    writeFile(dir / "map.dat", bytes);
    CaptureOutput capture;
    EXPECT_TRUE(map.loadMap(dir.path));
    EXPECT_EQ(capture.out(), "map loaded....\n");
    return capture.err();
}
}  // namespace

TEST(MapGrid, CellAccessStaysInsideTheGrid) {
    auto map = zeroMap();
    map->setTileAt(349, 349, 7);
    map->setTileAt(0, 0, -3);  // any value is stored, negative ones included
    EXPECT_EQ(map->getTileAt(349, 349), 7);
    EXPECT_EQ(map->getTileAt(0, 0), -3);
    EXPECT_EQ(map->tiles[349][349], 7);
    for (auto [x, y] : {std::pair{-1, 0}, {350, 0}, {0, 350}, {0, -1}}) EXPECT_EQ(map->getTileAt(x, y), 0);

    auto before = std::make_unique<Map>(*map);
    map->setTileAt(350, 5, 9);
    map->setTileAt(5, -1, 9);
    EXPECT_EQ(memcmp(before->tiles, map->tiles, sizeof map->tiles), 0);
    map->setTileAt(3, 5, 9);  // row 5, column 3
    EXPECT_EQ(map->tiles[5][3], 9);
}

TEST(MapGrid, SolidTilesAreExactlyTheListedOnes) {
    const int solid[] = {1, 2, 4, 6, 7, 9, 10, 21, 33, 38, 39, 42, 44, 45, 46};
    for (int tile = -2; tile < 64; ++tile)
        EXPECT_EQ(isSolidTile(tile), std::find(std::begin(solid), std::end(solid), tile) != std::end(solid)) << tile;
    EXPECT_FALSE(isSolidTile(1 << 30));
}

TEST(MapGrid, SolidAndSeaFollowTheWorldPoint) {
    auto map = zeroMap();
    EXPECT_FALSE(map->isSolid(0.0f, 0.0f));
    EXPECT_TRUE(map->isSolid(-0.5f, 100.0f));  // cell 0 by truncation, but left of the grid
    EXPECT_TRUE(map->isSolid(100.0f, -47.9f));
    map->setTileAt(0, 0, SEA_TILE);
    EXPECT_TRUE(map->isSea(-10.0f, 0.0f));      // the sea test does not look at the sign
    EXPECT_TRUE(map->isSolid(-10.0f, 0.0f));
    EXPECT_FALSE(map->isSea(-48.0f, 0.0f));     // truncates to cell -1
    EXPECT_FALSE(map->isSea(48.0f, 0.0f));

    map->setTileAt(2, 3, 4);
    EXPECT_TRUE(map->isSolid(2 * 48 + 47.9f, 3 * 48.0f));
    EXPECT_FALSE(map->isSolid(3 * 48.0f, 3 * 48.0f));

    // Column and row 349 are solid and never sea whatever they hold; so is everything off the grid.
    map->setTileAt(349, 10, SEA_TILE);
    map->setTileAt(10, 349, SEA_TILE);
    for (float x : {16752.0f, 16799.9f}) {
        EXPECT_TRUE(map->isSolid(x, 480.0f) && map->isSolid(480.0f, x));
        EXPECT_FALSE(map->isSea(x, 480.0f) || map->isSea(480.0f, x));
    }
    EXPECT_FALSE(map->isSolid(16751.9f, 16751.9f));
    for (float far : {1e12f, -1e12f, std::numeric_limits<float>::quiet_NaN()}) {
        EXPECT_TRUE(map->isSolid(far, 0.0f));
        EXPECT_FALSE(map->isSea(0.0f, far));
    }
}

TEST(MapFile, SavedFileHoldsOneCharacterPerCellAndLineFeeds) {
    TempDir dir;
    auto map = zeroMap();
    map->setTileAt(0, 0, 25);
    map->setTileAt(1, 0, 46);
    map->setTileAt(2, 0, 62);
    map->setTileAt(349, 349, 1);
    CaptureOutput capture;
    ASSERT_TRUE(map->saveMap(dir.path));
    EXPECT_EQ(capture.out(), "Written. closing\n");
    EXPECT_EQ(capture.err(), "");

    std::string bytes = readFile(dir / "map.dat");
    ASSERT_EQ(bytes.size(), 122850u);
    EXPECT_EQ(bytes.substr(0, 4), "Zo\x7f" "A");
    EXPECT_EQ(bytes.substr(350, 2), "\nA");
    EXPECT_EQ(bytes.substr(122848), "B\n");
    EXPECT_EQ(bytes, map->serialize());
    EXPECT_FALSE(fileExists(dir / "map.dat.tmp"));
}

TEST(MapFile, TilesZeroTo62SurviveSaveAndLoad) {
    TempDir dir;
    auto map = zeroMap();
    for (int y = 0; y < MAP_SIZE; ++y)
        for (int x = 0; x < MAP_SIZE; ++x) map->tiles[y][x] = (x * 7 + y) % 63;
    CaptureOutput capture;
    ASSERT_TRUE(map->saveMap(dir.path));
    auto loaded = std::make_unique<Map>();
    ASSERT_TRUE(loaded->loadMap(dir.path));
    EXPECT_EQ(capture.err(), "");
    EXPECT_EQ(memcmp(map->tiles, loaded->tiles, sizeof map->tiles), 0);
}

TEST(MapFile, TilesOutsideTheByteRangeComeBackAsZero) {
    TempDir dir;
    auto map = zeroMap();
    map->setTileAt(0, 0, 63);   // byte 0x80
    map->setTileAt(5, 2, -1);   // byte '@'
    map->setTileAt(6, 2, 256);  // byte 'A'
    map->setTileAt(7, 2, INT_MIN);  // only the low byte counts, without overflow
    std::string bytes = map->serialize();
    EXPECT_EQ(bytes[0], '\x80');
    EXPECT_EQ(bytes.substr(2 * 351 + 5, 2), "@A");
    auto loaded = zeroMap();
    EXPECT_EQ(loadBytes(*loaded, bytes), "negative tile at 0,0\nnegative tile at 5,2\n");
    EXPECT_EQ(loaded->getTileAt(0, 0), 0);
    EXPECT_EQ(loaded->getTileAt(5, 2), 0);
    EXPECT_EQ(loaded->getTileAt(6, 2), 0);
    EXPECT_EQ(bytes[2 * 351 + 7], 'A');
}

TEST(MapFile, LineFeedAndCrLfFilesLoadAlike) {
    for (const char* end : {"\n", "\r\n"}) {
        auto map = std::make_unique<Map>();
        memset(map->tiles, 0x55, sizeof map->tiles);  // every cell must be overwritten
        EXPECT_EQ(loadBytes(*map, rows(350, std::string(350, 'A'), end)), "") << end;
        EXPECT_EQ(map->getTileAt(17, 300), 0);
        EXPECT_EQ(map->getTileAt(349, 349), 0);
    }
    auto map = zeroMap();
    std::string noFinalLineFeed = rows(350, std::string(350, 'C'));
    noFinalLineFeed.pop_back();
    EXPECT_EQ(loadBytes(*map, noFinalLineFeed), "");
    EXPECT_EQ(map->getTileAt(349, 349), 2);
}

TEST(MapFile, ShortLineKeepsEarlierRowsCharactersAfterItsEnd) {
    auto map = zeroMap();
    std::string bytes = std::string(350, 'B') + "\n" + "DD\n" + rows(348, std::string(350, 'A'));
    EXPECT_EQ(loadBytes(*map, bytes), "negative tile at 2,1\n");
    EXPECT_EQ(map->getTileAt(1, 1), 3);
    EXPECT_EQ(map->getTileAt(2, 1), 0);
    EXPECT_EQ(map->getTileAt(3, 1), 1);  // left over from row 0
    EXPECT_EQ(map->getTileAt(349, 1), 1);
}

TEST(MapFile, OverLongLineStopsReadingTheRest) {
    auto map = zeroMap();
    // 351 characters still fit the line buffer; the 352nd does not.
    std::string bytes = std::string(351, 'B') + "\n" + std::string(352, 'C') + "\n" + rows(348, std::string(350, 'D'));
    std::string err = loadBytes(*map, bytes);
    std::string expected;
    for (int y = 2; y < 350; ++y) expected += "negative tile at 0," + std::to_string(y) + "\n";
    EXPECT_EQ(err, expected);
    EXPECT_EQ(map->getTileAt(349, 0), 1);
    EXPECT_EQ(map->getTileAt(349, 1), 2);
    EXPECT_EQ(map->getTileAt(0, 2), 0);
    EXPECT_EQ(map->getTileAt(1, 200), 2);  // the buffer still holds the over-long line
    EXPECT_EQ(map->getTileAt(349, 349), 2);
}

TEST(MapFile, TruncatedFileRepeatsTheLastRowRead) {
    auto map = zeroMap();
    std::string bytes = rows(9, std::string(350, 'A')) + std::string(350, 'F') + "\n";
    std::string err = loadBytes(*map, bytes);
    EXPECT_EQ(err.substr(0, 22), "negative tile at 0,10\n");
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 340);
    EXPECT_EQ(map->getTileAt(0, 9), 5);
    EXPECT_EQ(map->getTileAt(0, 10), 0);
    EXPECT_EQ(map->getTileAt(1, 10), 5);
    EXPECT_EQ(map->getTileAt(349, 349), 5);
}

TEST(MapFile, EmptyFileReadsAsZerosAndReportsEveryCell) {
    auto map = std::make_unique<Map>();
    memset(map->tiles, 0x55, sizeof map->tiles);
    std::string err = loadBytes(*map, "");
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 122500);
    EXPECT_EQ(err.substr(0, 42), "negative tile at 0,0\nnegative tile at 1,0\n");
    EXPECT_EQ(map->getTileAt(200, 100), 0);
}

// The in-memory parser must match a real line reader with a zeroed 352-byte buffer.
TEST(MapFile, ParseMatchesAStreamLineReader) {
    unsigned seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7fff; };
    for (int round = 0; round < 20; ++round) {
        std::string bytes;
        int lines = static_cast<int>(next() % 400);
        for (int i = 0; i < lines; ++i) {
            int length = next() % 10 == 0 ? static_cast<int>(next() % 360) : 350 + static_cast<int>(next() % 3) - 1;
            for (int c = 0; c < length; ++c) bytes += static_cast<char>(next() % 8 == 0 ? next() % 256 : 'A' + next() % 40);
            if (next() % 50) bytes += next() % 5 ? "\n" : "\r\n";
        }
        auto expected = std::make_unique<Map>();
        std::string expectedErr;
        std::istringstream in(bytes);
        char line[352] = {};
        for (int y = 0; y < MAP_SIZE; ++y) {
            in.getline(line, sizeof line);
            for (int x = 0; x < MAP_SIZE; ++x) {
                int tile = static_cast<signed char>(line[x]) - 65;
                if (tile < 0) expectedErr += "negative tile at " + std::to_string(x) + "," + std::to_string(y) + "\n";
                expected->tiles[y][x] = tile < 0 ? 0 : tile;
            }
        }
        auto map = std::make_unique<Map>();
        CaptureOutput capture;
        map->parse(bytes.data(), bytes.size());
        ASSERT_EQ(capture.err(), expectedErr) << round;
        ASSERT_EQ(memcmp(map->tiles, expected->tiles, sizeof map->tiles), 0) << round;
    }
}

TEST(MapFile, MissingFileLeavesTheGridAndReports) {
    TempDir dir;
    auto map = zeroMap();
    map->setTileAt(4, 4, 9);
    CaptureOutput capture;
    EXPECT_FALSE(map->loadMap(dir / "data"));
    EXPECT_EQ(capture.err(), "map file " + dir.path + "/data/map.dat is missing\n");
    EXPECT_EQ(capture.out(), "");
    EXPECT_EQ(map->getTileAt(4, 4), 9);
}

TEST(MapFile, FailedSaveWarnsAndKeepsWhatWasThere) {
    TempDir dir;
    makeDirs(dir / "map.dat");  // a directory cannot be replaced by the file
    auto map = zeroMap();
    CaptureOutput capture;
    EXPECT_FALSE(map->saveMap(dir.path));
    EXPECT_EQ(capture.out(), "");
    EXPECT_EQ(capture.err(), "***WARNING*** could not write " + dir.path + "/map.dat\n");
    EXPECT_FALSE(fileExists(dir / "map.dat.tmp"));
}
