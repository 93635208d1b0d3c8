// The checker on the NPC and item definition files and their numbering.
#include <gtest/gtest.h>

#include <filesystem>

#include "check_world.h"

namespace {
// Two NPCs as the editor writes them, the second with line lineNo replaced (and cut to
// keepLines lines when given).
Change npcLine(int lineNo, const std::string& text, int keepLines = 0) {
    return [=](const FixtureWorld& world) {
        world.setNpcs({Actor(), Actor()});
        world.replaceLine("data/npcdef/1.def", lineNo, text, keepLines);
    };
}
// Two items, the second of this type with lines replaced and then kept to keepLines.
Change itemLines(int type, std::vector<std::pair<int, std::string>> changes, int keepLines = 12) {
    return [=](const FixtureWorld& world) {
        Item item;
        item.type = type;
        item.range = 6;
        world.setItems({Item(), item});
        std::vector<std::string> lines = splitAtLineFeeds(item.serialize());
        for (const auto& [lineNo, text] : changes) lines.at(static_cast<size_t>(lineNo - 1)) = text;
        lines.resize(static_cast<size_t>(keepLines), "0");
        writeFile(world / "data/idef/1.def", joinLines(lines));
    };
}
std::string npc1(const std::string& problem) { return oneProblem("data/npcdef/1.def:" + problem); }
std::string item1(const std::string& problem) { return oneProblem("data/idef/1.def" + problem); }
const std::string CUT = " characters long; the editor reads only 400 and everything after it is lost";
const std::string MISSING_IMAGE = " (drawn as the missing-image icon)";
}  // namespace

TEST(WorldCheckDefinitions, NpcLinesTheEditorMisreads) {
    const std::string CLEAN = "0 problems\n";
    expectReports({
        {"12abc", npcLine(1, "12abc"), npc1("1: a number line holds \"12abc\" (read as 12)")},
        {"empty", npcLine(3, ""), npc1("3: a number line is empty (read as 0)")},
        {"leading spaces", npcLine(4, "  42"), npc1("4: a number line holds \"  42\" (read as 42)")},
        {"letters", npcLine(5, "abc"), npc1("5: a number line holds \"abc\" (read as 0)")},
        {"plus sign", npcLine(6, "+5"), npc1("6: a number line holds \"+5\" (read as 5)")},
        {"minus alone", npcLine(7, "-"), npc1("7: a number line holds \"-\" (read as 0)")},
        {"over the int range", npcLine(9, "99999999999"),
         npc1("9: a number line holds \"99999999999\", outside the int range (read as 2147483647)")},
        {"under the int range", npcLine(10, "-2147483649"),
         npc1("10: a number line holds \"-2147483649\", outside the int range (read as -2147483648)")},
        {"a tab", npcLine(13, "1\t"), npc1("13: a number line holds \"1\\x09\" (read as 1)")},
        // Plain integers at the ends of the range, flags other than 0 and 1, and any text on
        // string lines read as written.
        {"int max", npcLine(9, "2147483647"), CLEAN},
        {"int min", npcLine(10, "-2147483648"), CLEAN},
        {"flag 7", npcLine(13, "7"), CLEAN},
        {"text", npcLine(14, "12abc"), CLEAN},
        {"empty name", npcLine(16, ""), CLEAN},
        {"400 characters", npcLine(16, std::string(400, 'n')), CLEAN},
        {"401 characters", npcLine(16, std::string(401, 'n')), npc1("16: line is 401" + CUT)},
        {"a long number", npcLine(1, std::string(450, '1')), npc1("1: line is 450" + CUT)},
        {"sprite 8", npcLine(18, "8"), CLEAN},
        {"sprite 9", npcLine(18, "9"), npc1("18: sprite 9 is outside 0..8" + MISSING_IMAGE)},
        {"sprite -1", npcLine(18, "-1"), npc1("18: sprite -1 is outside 0..8" + MISSING_IMAGE)},
        {"direction 3", npcLine(19, "3"), CLEAN},
        {"direction 4", npcLine(19, "4"), npc1("19: direction 4 is outside 0..3" + MISSING_IMAGE)},
        {"19 lines", npcLine(1, "0", 19),
         oneProblem("data/npcdef/1.def: has 19 lines (expected 20); the missing values read as 0 or empty")},
        {"21 lines", npcLine(20, "0\n0"),
         npc1("21: has 21 lines (expected 20); the editor ignores line 21 and the ones after it")},
        // Written on Windows: CR LF line ends are what the reader expects there.
        {"CR LF",
         [](const FixtureWorld& w) {
             std::string crlf;
             for (const std::string& line : splitAtLineFeeds(Actor().serialize())) crlf += line + "\r\n";
             writeFile(w / "data/npcdef/0.def", crlf);
         },
         CLEAN},
    });
}

TEST(WorldCheckDefinitions, ItemLinesTheEditorMisreads) {
    const int PLAIN = 0;
    expectReports({
        // The range line is read only for a ranged weapon.
        {"11 lines", itemLines(PLAIN, {}, 11), "0 problems\n"},
        {"11 lines, ranged", itemLines(ITEM_TYPE_RANGED, {}, 11),
         item1(": has 11 lines (expected 12); this ranged weapon (type 8) has no range line and gets range 0")},
        {"10 lines", itemLines(PLAIN, {}, 10),
         item1(": has 10 lines (expected 12); the missing values read as 0 or empty")},
        {"empty", itemLines(PLAIN, {}, 0), item1(": has 0 lines (expected 12); the missing values read as 0 or empty")},
        {"13 lines", itemLines(PLAIN, {}, 13),
         item1(":13: has 13 lines (expected 12); the editor ignores line 13 and the ones after it")},
        {"7x", itemLines(PLAIN, {{2, "7x"}}), item1(":2: a number line holds \"7x\" (read as 7)")},
        {"401 characters", itemLines(PLAIN, {{9, std::string(401, 'd')}}), item1(":9: line is 401" + CUT)},
        {"negative owner", itemLines(PLAIN, {{4, "-4"}}), item1(":4: owner -4 is negative (read as 4)")},
        {"icon 999", itemLines(PLAIN, {{11, "999"}}),
         item1(":11: icon 999 has no picture in data/assets/items" + MISSING_IMAGE)},
        {"icon -1", itemLines(PLAIN, {{11, "-1"}}), item1(":11: icon -1 has no picture in data/assets/items" + MISSING_IMAGE)},
        {"removed, icon 999", itemLines(ITEM_TYPE_REMOVED, {{11, "999"}}), "0 problems\n"},  // never drawn
        {"range zz", itemLines(PLAIN, {{12, "zz"}}), "0 problems\n"},                        // never read
        {"ranged, range zz", itemLines(ITEM_TYPE_RANGED, {{12, "zz"}}),
         item1(":12: a number line holds \"zz\" (read as 0)")},
    });
}

TEST(WorldCheckDefinitions, FilesTheLoaderNeverReaches) {
    Actor bad;
    bad.sprite = 99;  // never loaded, so never checked
    expectReports({
        {"a gap",
         [&](const FixtureWorld& w) {
             w.setNpcs({Actor(), Actor(), bad, Actor(), Actor(), Actor(), Actor(), Actor(), Actor()});
             removeFile(w / "data/npcdef/1.def");
         },
         oneProblem("data/npcdef: files after the gap at 1.def are never loaded: 2.def, 3.def, 4.def, 5.def, 6.def and 2 "
                    "more")},
        {"no 0.def, and a name the loader never forms",
         [](const FixtureWorld& w) {
             w.setItems({Item(), Item()});
             removeFile(w / "data/idef/0.def");
             writeFile(w / "data/npcdef/01.def", Actor().serialize());
         },
         "data/idef: there is no 0.def, so none of its files is loaded: 1.def\n"
         "data/npcdef/01.def: never loaded (the editor looks only for 0.def, 1.def, 2.def, ...)\n"
         "2 problems in 2 files\n"},
        {"empty directories", [](const FixtureWorld& w) {
             w.setNpcs({});
             w.setItems({});
         }, "0 problems\n"},
        {"no directories",
         [](const FixtureWorld& w) {
             std::filesystem::remove_all(w / "data/npcdef");
             std::filesystem::remove_all(w / "data/idef");
         },
         "0 problems\n"},
        {"a file that cannot be read",
         [](const FixtureWorld& w) {
             w.setItems({Item()});
             makeDirs(w / "data/idef/1.def");
             writeFile(w / "data/idef/2.def", Item().serialize());
         },
         oneProblem("data/idef/1.def: cannot be read (a directory, not a regular file), so the editor stops loading "
                    "items here; never loaded: 2.def")},
    });
}
