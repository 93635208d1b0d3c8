// The tile grid, its solidity rules and the map.dat file on disk.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <memory>
#include <sstream>
#include <tuple>

#include "test_support.h"
#include "world/map.h"

TEST(MapGrid, CellsAndWorldPointsStayInsideTheGrid) {
    auto map = std::make_unique<Map>();
    map->setTileAt(3, 5, 9);  // row 5, column 3
    EXPECT_EQ(map->tiles[5][3], 9);
    auto before = std::make_unique<Map>(*map);
    map->setTileAt(350, 5, 9);
    map->setTileAt(5, -1, 9);
    EXPECT_EQ(memcmp(before->tiles, map->tiles, sizeof map->tiles), 0);
    for (auto [x, y] : {std::pair{-1, 0}, {350, 0}, {0, 350}, {0, -1}}) EXPECT_EQ(map->getTileAt(x, y), 0);

    map->setTileAt(0, 0, SEA_TILE);
    map->setTileAt(2, 3, 4);
    map->setTileAt(349, 10, SEA_TILE);  // column and row 349 are solid and never sea whatever they hold
    const float far = 1e12f, nan = std::nanf("");
    const struct {
        float x, y;
        bool solid, sea;
    } points[] = {
        {240, 240, false, false},    {-0.5f, 100, true, false},  // cell 0 by truncation, but off the grid
        {-10, 0, true, true},        {-48, 0, true, false},      // the sea test does not look at the sign
        {143.9f, 144, true, false},  {144, 144, false, false},   // the solid cell (2, 3) and its neighbour
        {16752, 480, true, false},   {16751.9f, 16751.9f, false, false},
        {far, 0, true, false},       {0, nan, true, false},
    };
    for (const auto& p : points) {
        EXPECT_EQ(map->isSolid(p.x, p.y), p.solid) << p.x << "," << p.y;
        EXPECT_EQ(map->isSea(p.x, p.y), p.sea) << p.x << "," << p.y;
    }
}

TEST(MapFile, SavedFileHoldsOneCharacterPerCellAndLoadsBack) {
    TempDir dir;
    auto map = std::make_unique<Map>();
    for (int y = 0; y < MAP_SIZE; ++y)
        for (int x = 0; x < MAP_SIZE; ++x) map->tiles[y][x] = (x * 7 + y) % 63;
    // The cells read below, then tiles outside the byte range: only the low byte counts, without
    // overflow, and bytes below 'A' or over 127 come back as tile 0 (63 is byte 0x80, -1 is '@', 256
    // and INT_MIN are 'A').
    for (auto [x, y, tile] : {std::tuple{0, 0, 25}, {1, 0, 46}, {2, 0, 62}, {0, 1, 0}, {349, 349, 1}, {3, 0, 63},
                              {5, 2, -1}, {6, 2, 256}, {7, 2, INT_MIN}})
        map->setTileAt(x, y, tile);
    Messages said;
    ASSERT_TRUE(map->saveMap(dir.path, said));
    std::string bytes = readFile(dir / "map.dat");
    ASSERT_EQ(bytes.size(), 122850u);
    EXPECT_EQ(bytes.substr(0, 4), "Zo\x7f\x80");
    EXPECT_EQ(bytes.substr(350, 2), "\nA");
    EXPECT_EQ(bytes.substr(2 * 351 + 5, 3), "@AA");
    EXPECT_EQ(bytes.substr(122848), "B\n");
    EXPECT_EQ(bytes, map->serialize());
    EXPECT_FALSE(fileExists(dir / "map.dat.tmp"));
    auto loaded = std::make_unique<Map>();
    memset(loaded->tiles, 0x55, sizeof loaded->tiles);  // junk that every cell must overwrite
    ASSERT_TRUE(loaded->loadMap(dir.path, said));
    EXPECT_EQ(said.outText(), "Written. closing\nmap loaded....\n");
    EXPECT_EQ(said.errText(), "negative tile at 3,0\nnegative tile at 5,2\n");
    for (auto [x, y] : {std::pair{3, 0}, {5, 2}, {6, 2}, {7, 2}}) map->setTileAt(x, y, 0);
    EXPECT_EQ(memcmp(map->tiles, loaded->tiles, sizeof map->tiles), 0);
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
                expected->tiles[y][x] = std::max(tile, 0);
            }
        }
        auto map = std::make_unique<Map>();
        Messages said;
        map->parse(bytes.data(), bytes.size(), &said);
        ASSERT_EQ(said.errText(), expectedErr) << round;
        ASSERT_EQ(memcmp(map->tiles, expected->tiles, sizeof map->tiles), 0) << round;
    }
}

TEST(MapFile, MissingFileOrFailedSaveWarnsAndKeepsWhatWasThere) {
    TempDir dir;
    auto map = std::make_unique<Map>();
    map->setTileAt(4, 4, 9);
    makeDirs(dir / "map.dat");  // a directory cannot be read, nor replaced by the file
    Messages said;
    EXPECT_FALSE(map->loadMap(dir / "data", said));
    EXPECT_FALSE(map->saveMap(dir.path, said));
    EXPECT_EQ(said.outText(), "");
    EXPECT_EQ(said.errText(), "map file " + dir.path + "/data/map.dat is missing\n***WARNING*** could not write " +
                                 dir.path + "/map.dat: Is a directory\n");
    EXPECT_EQ(map->getTileAt(4, 4), 9);
    EXPECT_FALSE(fileExists(dir / "map.dat.tmp"));
}
