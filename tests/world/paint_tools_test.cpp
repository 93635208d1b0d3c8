// The bucket fill, copy and paste on the document: the cells each takes, what each says, and
// its undo step.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "test_support.h"
#include "world/document.h"

namespace {

// Cells as text, a row a line: '.' tile 0, '#' tile 1, '*' tile 5.
void draw(Map& map, int x0, int y0, const std::vector<std::string>& rows) {
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x) map.setTileAt(x0 + int(x), y0 + int(y), rows[y][x] == '.' ? 0 : rows[y][x] == '#' ? 1 : 5);
}
std::vector<std::string> shown(const Map& map, int x0, int y0, int w, int h) {
    std::vector<std::string> rows(static_cast<size_t>(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) rows[static_cast<size_t>(y)] += ".#?*"[std::min(map.getTileAt(x0 + x, y0 + y), 3)];
    return rows;
}

std::unique_ptr<Document> walledDocument() {
    auto doc = std::make_unique<Document>();
    for (auto& row : doc->map.tiles)
        for (int& tile : row) tile = 1;
    return doc;
}

// A region ends at the map's edges and at other tiles, and never leaks through a diagonal.
TEST(BucketFill, TakesTheCellsJoinedByTheirFourNeighboursWithTheSameTile) {
    const struct {
        const char* what;
        int x0, y0, atX, atY;
        std::vector<std::string> before, after;
    } cases[] = {
        {"the top-left corner; no leak through the diagonal", 0, 0, 0, 0,
         {"..#.", ".##.", "#...", "...."}, {"**#.", "*##.", "#...", "...."}},
        {"the bottom-right corner", 346, 346, 3, 3, {"...#", "#.#.", ".#..", "..#."}, {"...#", "#.#*", ".#**", "..#*"}},
        {"a ring keeps its inside and the way round it", 100, 100, 0, 0,
         {".....", ".###.", ".#.#.", ".###.", "....#"}, {"*****", "*###*", "*#.#*", "*###*", "****#"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto doc = walledDocument();
        draw(doc->map, c.x0, c.y0, c.before);
        const int w = int(c.before[0].size()), h = int(c.before.size());
        const std::string all = doc->map.serialize();
        EXPECT_TRUE(doc->bucketFill(c.x0 + c.atX, c.y0 + c.atY, 5).mapChanged);
        EXPECT_EQ(shown(doc->map, c.x0, c.y0, w, h), c.after);
        draw(doc->map, c.x0, c.y0, c.before);
        EXPECT_TRUE(doc->map.serialize() == all) << "cells outside the pattern changed";
    }
}

TEST(BucketFill, FillsTheWholeMapInOneStepAndNothingOffItOrOnItsOwnTile) {
    auto doc = std::make_unique<Document>();
    const std::string blank = doc->map.serialize();
    for (auto [x, y] : {std::pair{350, 0}, {0, 350}, {-1, 5}, {5, -1}}) EXPECT_FALSE(doc->bucketFill(x, y, 5).mapChanged);
    EXPECT_FALSE(doc->bucketFill(200, 100, 0).mapChanged);  // the region has the tile already
    EXPECT_EQ(doc->history.stepCount(), 0u);
    doc->bucketFill(200, 100, 5);
    EXPECT_EQ(shown(doc->map, 0, 0, 350, 350), std::vector<std::string>(350, std::string(350, '*')));
    const std::string filled = doc->map.serialize();
    EXPECT_EQ(doc->undo().said.outText(), "Undo: bucket fill of 122500 cells\n");
    EXPECT_TRUE(doc->map.serialize() == blank);
    EXPECT_EQ(doc->redo().said.outText(), "Redo: bucket fill of 122500 cells\n");
    EXPECT_TRUE(doc->map.serialize() == filled);
}

TEST(CopyPaste, CopiesTheSelectionOnTheMapAndSaysWhatItCopied) {
    auto doc = std::make_unique<Document>();
    EXPECT_EQ(doc->paste(0, 0).said.outText(), "Nothing to paste\n");
    const struct {
        int x1, y1, x2, y2;
        const char* said;
    } cases[] = {{-1, -1, -1, -1, "Nothing selected\n"},   // no corner given
                 {5, 3, -1, -1, "Nothing selected\n"},     // only the first
                 {350, 0, 360, 4, "Nothing selected\n"},   // wholly off the map
                 {346, 0, 360, 1, "Copied 4x2 cells\n"},   // cut at the map's edge
                 {2, 1, 6, 3, "Copied 5x3 cells\n"}};
    for (const auto& c : cases) EXPECT_EQ(doc->copy(c.x1, c.y1, c.x2, c.y2).said.outText(), c.said);
    EXPECT_EQ(doc->history.stepCount(), 0u);
}

// The copy's cells land from the cell given; what falls off the map is left out, and the step
// holds only the cells that changed.
TEST(CopyPaste, PastesFromTheCellClippedAtTheMapsEdgesAsOneStep) {
    auto doc = std::make_unique<Document>();
    draw(doc->map, 0, 0, {"#*#", "*.*"});
    doc->copy(0, 0, 2, 1);
    const struct {
        int x, y;
        const char* undo;  // empty: nothing changed, no step
        std::vector<std::string> after;  // the 4x3 cells from (x, y)
    } cases[] = {{10, 20, "Undo: paste of 5 cells\n", {"#*#.", "*.*.", "...."}},
                 {348, 347, "Undo: paste of 3 cells\n", {"#*??", "*.??", "..??"}},
                 {349, 348, "Undo: paste of 2 cells\n", {"#???", "*???", "????"}},
                 {349, 349, "Undo: paste of 1 cell\n", {"#???", "????", "????"}},
                 {350, 0, "", {"????", "????", "????"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        const std::string before = doc->map.serialize();
        const size_t steps = doc->history.stepCount();
        doc->paste(c.x, c.y);
        std::vector<std::string> after = shown(doc->map, c.x, c.y, 4, 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x)
                if (c.x + x >= MAP_SIZE || c.y + y >= MAP_SIZE) after[size_t(y)][size_t(x)] = '?';
        EXPECT_EQ(after, c.after);
        if (!*c.undo) {
            EXPECT_EQ(doc->history.stepCount(), steps);
            continue;
        }
        EXPECT_EQ(doc->undo().said.outText(), c.undo);
        EXPECT_TRUE(doc->map.serialize() == before);
        doc->redo();
    }
}

}  // namespace
