// Moving objects, the G prompt's answers and the tools' findings, without a window.
#include <gtest/gtest.h>

#include "test_support.h"
#include "world/navigation.h"

namespace {

// Kept within 0..16,799 both ways; a move that ends where it began is no step.
TEST(Move, StaysOnTheMapAndIsAStepOnlyWhenTheObjectEndsElsewhere) {
    // x, y, by dx, dy, to x, y
    const float cases[][6] = {{100, 200, 48, -10, 148, 190}, {100, 200, -150, -250, 0, 0}, {16700, 5, 500, 0, 16799, 5},
                              {0, 16799, -1, 1, 0, 16799},   {-40, 17000, 0, 0, -40, 17000}, {-40, 17000, 1, 0, 0, 16799}};
    for (const auto& c : cases) {
        Actor npc;
        Item item;
        npc.x = item.x = c[0], npc.y = item.y = c[1];
        auto doc = std::make_unique<Document>();
        doc->placeNpc(npc), doc->placeItem(item);
        doc->moveNpc(0, static_cast<int>(c[2]), static_cast<int>(c[3]));
        doc->moveItem(0, static_cast<int>(c[2]), static_cast<int>(c[3]));
        const size_t steps = c[4] != c[0] || c[5] != c[1] ? 4 : 2;
        EXPECT_EQ(std::make_tuple(doc->npcs[0].x, doc->npcs[0].y, doc->items[0].x, doc->items[0].y, doc->history.stepCount()),
                  std::make_tuple(c[4], c[5], c[4], c[5], steps))
            << c[0] << "," << c[1] << " by " << c[2] << "," << c[3];
    }
}

// NPCs before items in file order, each answer after the one found last for the same text,
// round to the first after the last; removed items are not found.
TEST(GoTo, CellsAndNamesInFileOrderRoundAndRound) {
    auto world = makeWorld({"Guard", "Bob", "old GUARD"}, 3);
    world->npcs[2].x = 480.7f, world->npcs[2].y = 960;
    world->items[0].name = "Guard's cup", world->items[0].x = -1;
    world->items[1].name = "guard post", world->items[1].type = ITEM_TYPE_REMOVED;
    world->items[2].name = "Bob's hat";
    GoToSearch search;
    const struct {
        const char* answer;
        const char* said;
        int cellX = -1, cellY = -1;
    } steps[] = {
        {"guard", "Go to: NPC \"Guard\" (d/npcdef/0.def) at cell 0,0, 1 of 3\n", 0, 0},
        {"guard", "Go to: NPC \"old GUARD\" (d/npcdef/2.def) at cell 10,20, 2 of 3\n", 10, 20},
        {"GUARD", "Go to: item \"Guard's cup\" (d/idef/0.def) at cell -1,0, 3 of 3\n", -1, 0},
        {"guard", "Go to: NPC \"Guard\" (d/npcdef/0.def) at cell 0,0, 1 of 3\n", 0, 0},
        {"bob", "Go to: NPC \"Bob\" (d/npcdef/1.def) at cell 0,0, 1 of 2\n", 0, 0},
        {"guard", "Go to: NPC \"Guard\" (d/npcdef/0.def) at cell 0,0, 1 of 3\n", 0, 0},  // a new text starts over
        {"xyz", "Nothing named \"xyz\"\n"},
        {"  10 20 ", "Go to: cell 10,20\n", 10, 20},
        {"400 20", "No cell 400,20: the map is 350x350\n"},
        {"-1 5", "No cell -1,5: the map is 350x350\n"},
        {"   ", ""},
    };
    for (const auto& s : steps) {
        const Navigation n = search.goTo(*world, "d", s.answer);
        EXPECT_EQ(n.outcome.said.outText(), s.said);
        EXPECT_EQ(n.to ? std::make_pair(n.to->cellX, n.to->cellY) : std::make_pair(-1, -1), std::make_pair(s.cellX, s.cellY))
            << s.answer;
    }
    EXPECT_EQ(search.lastAnswer, "-1 5");  // a blank answer is not remembered
}

// What worlddiff and worldcheck print, with lines that name no place: summaries, other files,
// map lines without a line number or past the map's last row.
TEST(Findings, ToolLinesNameCellsOrFilesThatAreReadWhenTheStepIsTaken) {
    TempDir dir;
    Actor npc;
    npc.x = 490, npc.y = 100;
    writeFile(dir / "data/npcdef/1.def", npc.serialize());
    writeFile(dir / "data/npcdef/07.def", npc.serialize());
    Item item;
    item.x = 1000, item.y = 1001;
    writeFile(dir / "data/idef/2.def", item.serialize());
    makeDirs(dir / "data/npcdef/9.def");  // cannot be read: the step goes nowhere
    FindingSteps steps;
    steps.findings = parseFindings(
        "data/idef/2.def: removed \"Cup\" at 50,50\n"
        "data/map.dat:13: x=3..7: tile 0 -> 21\n"
        "data/npcdef/1.def:16: name \"Bob\" -> \"Bobby\"\n"
        "6 cells in 2 rows, 1 NPC added, 1 NPC changed, 2 items removed, 1 item changed\ndata/map.dat:14: line 14 has 349 characters (expected 350); x=349 reads as tile 0\r\n"
        "data/map.dat:2: character '!' at x=5 reads as tile -32; the editor stores tile 0 there\n"
        "data/map.dat:350: max=9 before x= and x=7\n"
        "data/map.dat: has 300 lines (expected 350)\ndata/map.dat:351: has 360 lines (expected 350)\n"
        "data/npcdef: not a directory\ndata/assets/tiles/3.png: cannot be decoded\ndata/npcdef/sub/1.def: x\n"
        "data/npcdef/07.def: a name with a leading zero\n"
        "5 problems in 4 files\n\n"
        "./data/npcdef/9.def:1: not a plain integer\n");
    const struct {
        const char* line;
        int cellX, cellY, boxX, boxY;  // cellX -1: nowhere
    } places[] = {{"data/idef/2.def: removed", 20, 20, 1000, 1001},       {"data/map.dat:13: x=3..7", 3, 12, 144, 576},
                  {"data/npcdef/1.def:16:", 10, 2, 490, 100},              {"data/map.dat:14: line", 349, 13, 16752, 624},
                  {"data/map.dat:2: character", 5, 1, 240, 48},            {"data/map.dat:350: max", 7, 349, 336, 16752},
                  {"data/npcdef/07.def: a name", 10, 2, 490, 100},         {"./data/npcdef/9.def:1:", -1, 0, 0, 0}};
    ASSERT_EQ(steps.findings.size(), std::size(places));
    EXPECT_EQ(steps.step(-1, dir / "data").outcome.said.outText(), "No more findings\n");
    for (size_t i = 0; i < std::size(places); ++i) {
        const auto& p = places[i];
        const Navigation n = steps.step(1, dir / "data");
        EXPECT_EQ(n.outcome.said.outText().rfind(std::to_string(i + 1) + " of 8: " + p.line, 0), 0u) << p.line;
        EXPECT_EQ(n.to ? std::make_tuple(n.to->cellX, n.to->cellY, n.to->boxX, n.to->boxY) : std::make_tuple(-1, 0, 0, 0),
                  std::make_tuple(p.cellX, p.cellY, p.boxX, p.boxY)) << p.line;
        EXPECT_EQ(n.outcome.said.errText().empty(), n.to.has_value()) << n.outcome.said.errText();
    }
    EXPECT_EQ(steps.findings[3].line.back(), '0');  // a CR LF line end is no part of the line
    EXPECT_EQ(steps.step(1, dir / "data").outcome.said.outText(), "No more findings\n");
    EXPECT_EQ(steps.step(-1, dir / "data").outcome.said.outText(), "7 of 8: data/npcdef/07.def: a name with a leading zero\n");
}

}  // namespace
