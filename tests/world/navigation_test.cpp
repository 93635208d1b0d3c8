// Finding one's way without a window: moving objects, the G prompt's answers and the findings
// of the tools' output, stepped through against files on disk.
#include <gtest/gtest.h>

#include "test_support.h"
#include "world/defdir.h"
#include "world/navigation.h"

namespace {

// The end of the map is 16,799 both ways; a move that ends where it began is no step.
TEST(Move, StaysOnTheMapAndIsOneStepOnlyWhenTheObjectEndsElsewhere) {
    const struct {
        float x, y;
        int dx, dy;
        float toX, toY;
    } cases[] = {
        {100, 200, 48, -10, 148, 190},      {100, 200, -150, -250, 0, 0},
        {16700, 5, 500, 0, 16799, 5},       {0, 16799, -1, 1, 0, 16799},  // held at the edge: no step
        {-40, 17000, 0, 0, -40, 17000},     // dropped where it was, even off the map
        {-40, 17000, 1, 0, 0, 16799},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y) + " by " + std::to_string(c.dx) + "," + std::to_string(c.dy));
        auto doc = std::make_unique<Document>();
        Actor npc;
        npc.x = c.x, npc.y = c.y;
        Item item;
        item.x = c.x, item.y = c.y;
        doc->placeNpc(npc);
        doc->placeNpc(Actor());
        doc->placeItem(item);
        const size_t steps = doc->history.stepCount();
        doc->moveNpc(0, c.dx, c.dy);
        doc->moveItem(0, c.dx, c.dy);
        EXPECT_EQ(std::make_pair(doc->npcs[0].x, doc->npcs[0].y), std::make_pair(c.toX, c.toY));
        EXPECT_EQ(std::make_pair(doc->items[0].x, doc->items[0].y), std::make_pair(c.toX, c.toY));
        EXPECT_EQ(doc->npcs[1].x, 0.0f);
        EXPECT_EQ(doc->history.stepCount(), steps + (c.toX != c.x || c.toY != c.y ? 2 : 0));
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
        {"0 349", "Go to: cell 0,349\n", 0, 349},
        {"400 20", "No cell 400,20: the map is 350x350\n"},
        {"-1 5", "No cell -1,5: the map is 350x350\n"},
        {"10 20 30", "Nothing named \"10 20 30\"\n"},
        {"   ", ""},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.answer);
        const Navigation n = search.goTo(*world, "d", s.answer);
        EXPECT_EQ(n.outcome.said.outText(), s.said);
        EXPECT_EQ(n.outcome.ok, n.to.has_value());
        if (n.to) {
            EXPECT_EQ(std::make_pair(n.to->cellX, n.to->cellY), std::make_pair(s.cellX, s.cellY));
        }
    }
    EXPECT_EQ(search.lastAnswer, "10 20 30");  // a blank answer is not remembered
}

// What worlddiff and worldcheck print, and lines that name no place.
const char* const TOOL_OUTPUT =
    "data/idef/2.def: removed \"Cup\" at 50,50\n"
    "data/map.dat:13: x=3..7: tile 0 -> 21\n"
    "data/npcdef/1.def:16: name \"Bob\" -> \"Bobby\"\n"
    "6 cells in 2 rows, 1 NPC added, 1 NPC changed, 2 items removed, 1 item changed\n"
    "data/map.dat:14: line 14 has 349 characters (expected 350); x=349 reads as tile 0\r\n"
    "data/map.dat:2: character '!' at x=5 reads as tile -32; the editor stores tile 0 there\n"
    "data/map.dat:350: max=9 before x= and x=7\n"
    "data/map.dat: has 300 lines (expected 350); the missing rows repeat the last line read\n"
    "data/map.dat:351: has 360 lines (expected 350); the editor ignores this line\n"
    "data/npcdef: not a directory\n"
    "data/assets/tiles/3.png: cannot be decoded\n"
    "data/npcdef/07.def: a name with a leading zero\n"
    "data/npcdef/sub/1.def: x\n"
    "5 problems in 4 files\n"
    "\n"
    "./data/npcdef/9.def:1: not a plain integer\n";

TEST(Findings, ToolLinesNameCellsOrFilesAndTheRestIsSkipped) {
    const std::vector<Finding> found = parseFindings(TOOL_OUTPUT);
    const struct {
        Finding::Kind kind;
        int x, y;
        const char* file;
    } expected[] = {{Finding::Kind::Item, 0, 0, "idef/2.def"}, {Finding::Kind::Cell, 3, 12, ""},
                    {Finding::Kind::Npc, 0, 0, "npcdef/1.def"},  {Finding::Kind::Cell, 349, 13, ""},
                    {Finding::Kind::Cell, 5, 1, ""},             {Finding::Kind::Cell, 7, 349, ""},
                    {Finding::Kind::Npc, 0, 0, "npcdef/07.def"}, {Finding::Kind::Npc, 0, 0, "npcdef/9.def"}};
    ASSERT_EQ(found.size(), std::size(expected));
    for (size_t i = 0; i < found.size(); ++i) {
        SCOPED_TRACE(found[i].line);
        EXPECT_EQ(found[i].kind, expected[i].kind);
        EXPECT_EQ(found[i].file, expected[i].file);
        if (found[i].kind == Finding::Kind::Cell) {
            EXPECT_EQ(std::make_pair(found[i].cellX, found[i].cellY), std::make_pair(expected[i].x, expected[i].y));
        }
    }
    EXPECT_EQ(found[3].line.back(), '0');  // the CR of a CR LF line end is not part of the line
}

// NPC and item files are read when the step is taken; past either end nothing moves.
TEST(Findings, StepsGoBothWaysReadingTheFilesAsTheyAreNow) {
    TempDir dir;
    const std::string data = dir / "data";
    Actor npc;
    npc.x = 490, npc.y = 100;
    writeFile(npcDefPath(data, 1), npc.serialize());
    Item item;
    item.x = 1000, item.y = 1001;
    writeFile(itemDefPath(data, 2), item.serialize());
    FindingSteps steps;
    const std::vector<Finding> found = parseFindings(TOOL_OUTPUT);
    steps.findings.assign(found.begin(), found.begin() + 3);
    makeDirs(data + "/npcdef/9.def");  // cannot be read
    steps.findings.push_back(parseFindings("data/npcdef/9.def:1: x\n").at(0));
    const struct {
        int direction;
        const char* out;
        const char* err;
        int cellX, cellY, boxX, boxY;  // -1: no place
    } taken[] = {
        {-1, "No more findings\n", "", -1, 0, 0, 0},
        {1, "1 of 4: data/idef/2.def: removed \"Cup\" at 50,50\n", "", 20, 20, 1000, 1001},
        {1, "2 of 4: data/map.dat:13: x=3..7: tile 0 -> 21\n", "", 3, 12, 144, 576},
        {1, "3 of 4: data/npcdef/1.def:16: name \"Bob\" -> \"Bobby\"\n", "", 10, 2, 490, 100},
        {1, "4 of 4: data/npcdef/9.def:1: x\n", "***WARNING*** could not read ", -1, 0, 0, 0},
        {1, "No more findings\n", "", -1, 0, 0, 0},
        {-1, "3 of 4: data/npcdef/1.def:16: name \"Bob\" -> \"Bobby\"\n", "", 10, 2, 490, 100},
    };
    for (const auto& t : taken) {
        SCOPED_TRACE(t.out);
        const Navigation n = steps.step(t.direction, data);
        EXPECT_EQ(n.outcome.said.outText(), t.out);
        EXPECT_EQ(n.outcome.said.errText().substr(0, 29), t.err);
        EXPECT_EQ(n.to.has_value(), t.cellX >= 0);
        if (n.to) {
            EXPECT_EQ(std::make_tuple(n.to->cellX, n.to->cellY, n.to->boxX, n.to->boxY),
                      std::make_tuple(t.cellX, t.cellY, t.boxX, t.boxY));
        }
    }
}

}  // namespace
