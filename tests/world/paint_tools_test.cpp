// The bucket fill, copy and paste on the document: the cells each takes, what it says, its undo step.
#include <gtest/gtest.h>

#include "test_support.h"
#include "world/document.h"

namespace {

// Cells from (x0, y0), a row a line: '.' tile 0, '#' tile 1, '*' tile 5, '?' off the map.
void draw(Map& map, int x0, int y0, const std::vector<std::string>& rows) {
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            map.setTileAt(x0 + int(x), y0 + int(y), rows[y][x] == '.' ? 0 : rows[y][x] == '#' ? 1 : 5);
}
std::vector<std::string> shown(const Map& map, int x0, int y0, int w, int h) {
    std::vector<std::string> rows(size_t(h), std::string(size_t(w), '?'));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w && x0 + x < MAP_SIZE && y0 + y < MAP_SIZE; ++x) rows[size_t(y)][size_t(x)] = ".#???*"[map.getTileAt(x0 + x, y0 + y)];
    return rows;
}

// A region ends at the map's edges and at other tiles, and never leaks through a diagonal.
TEST(BucketFill, TakesTheCellsJoinedThroughTheirFourNeighboursByTheSameTile) {
    const struct {
        int x0, y0, atX, atY;
        std::vector<std::string> before, after;
    } cases[] = {{0, 0, 0, 0, {"..#.", ".##.", "#...", "...."}, {"**#.", "*##.", "#...", "...."}},
                 {346, 346, 3, 3, {"...#", "#.#.", ".#..", "..#."}, {"...#", "#.#*", ".#**", "..#*"}}};
    for (const auto& c : cases) {
        auto doc = std::make_unique<Document>();
        for (auto& row : doc->map.tiles) std::fill(std::begin(row), std::end(row), 1);
        draw(doc->map, c.x0, c.y0, c.before);
        EXPECT_TRUE(doc->bucketFill(c.x0 + c.atX, c.y0 + c.atY, 5).mapChanged);
        EXPECT_EQ(shown(doc->map, c.x0, c.y0, int(c.before[0].size()), int(c.before.size())), c.after);
    }
}

TEST(BucketFill, FillsTheWholeMapAsOneStepAndNothingOffItOrOnItsOwnTile) {
    auto doc = std::make_unique<Document>();
    for (auto [x, y, tile] : {std::tuple{350, 0, 5}, {0, 350, 5}, {-1, 5, 5}, {5, -1, 5}, {200, 100, 0}})
        EXPECT_FALSE(doc->bucketFill(x, y, tile).mapChanged);
    doc->bucketFill(200, 100, 5);
    EXPECT_EQ(shown(doc->map, 0, 0, MAP_SIZE, MAP_SIZE), std::vector<std::string>(MAP_SIZE, std::string(MAP_SIZE, '*')));
    EXPECT_EQ(doc->undo().said.outText(), "Undo: bucket fill of 122500 cells\n");
    EXPECT_EQ(doc->undo().said.outText(), "Nothing to undo\n");
}

// The copy is the selection's part on the map; a paste leaves out what falls off the map, and
// its step holds only the cells that changed.
TEST(CopyPaste, CopiesTheSelectionOnTheMapAndPastesItClippedAtTheEdgesAsOneStep) {
    auto doc = std::make_unique<Document>();
    EXPECT_EQ(doc->paste(0, 0).said.outText(), "Nothing to paste\n");
    for (auto [x1, y1, x2, y2, said] : {std::tuple{-1, -1, -1, -1, "Nothing selected\n"}, {5, 3, -1, -1, "Nothing selected\n"},
                                        {350, 0, 360, 4, "Nothing selected\n"}, {346, 0, 360, 1, "Copied 4x2 cells\n"}})
        EXPECT_EQ(doc->copy(x1, y1, x2, y2).said.outText(), said);
    draw(doc->map, 0, 0, {"#*#", "*.*"});
    EXPECT_EQ(doc->copy(0, 0, 2, 1).said.outText(), "Copied 3x2 cells\n");
    const struct {
        int x, y;
        const char* undo;  // empty: no step
        std::vector<std::string> after;
    } cases[] = {{10, 20, "Undo: paste of 5 cells\n", {"#*#.", "*.*.", "...."}},
                 {348, 347, "Undo: paste of 3 cells\n", {"#*??", "*.??", "..??"}},
                 {349, 349, "Undo: paste of 1 cell\n", {"#???", "????", "????"}},
                 {350, 0, "", {"????", "????", "????"}}};
    for (const auto& c : cases) {
        const std::string before = doc->map.serialize();
        EXPECT_EQ(doc->paste(c.x, c.y).mapChanged, *c.undo != '\0');
        EXPECT_EQ(shown(doc->map, c.x, c.y, 4, 3), c.after) << c.x << "," << c.y;
        if (!*c.undo) continue;
        EXPECT_EQ(doc->undo().said.outText(), c.undo);
        EXPECT_TRUE(doc->map.serialize() == before);
        doc->redo();
    }
}

}  // namespace
