// The checker on the NPC and item definition files and their numbering.
#include <gtest/gtest.h>

#include <filesystem>

#include "check_world.h"

namespace {
// Two NPCs as the editor writes them, the second with line lineNo replaced.
Change npcLine(int lineNo, const std::string& text) {
    return [=](const FixtureWorld& world) {
        world.setNpcs({Actor(), Actor()});
        world.replaceLine("data/npcdef/1.def", lineNo, text);
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
}  // namespace

TEST(WorldCheckDefinitions, NpcAndItemLinesTheEditorMisreads) {
    const std::string CLEAN = "0 problems\n";
    const int PLAIN = 0;
    expectReports({
        {"12abc", npcLine(1, "12abc"), npc1("1: a number line holds \"12abc\" (read as 12)")},
        {"empty", npcLine(3, ""), npc1("3: a number line is empty (read as 0)")},
        {"under the int range", npcLine(10, "-2147483649"),
         npc1("10: a number line holds \"-2147483649\", outside the int range (read as -2147483648)")},
        {"a tab", npcLine(13, "1\t"), npc1("13: a number line holds \"1\\x09\" (read as 1)")},
        // A plain integer at the end of the range, flags other than 0 and 1, and any text on
        // string lines read as written. Sprite 9, direction 4 and a short file are in the
        // command's report order test.
        {"int max", npcLine(9, "2147483647"), CLEAN},
        {"flag 7", npcLine(13, "7"), CLEAN},
        {"text", npcLine(14, "12abc"), CLEAN},
        {"400 characters", npcLine(16, std::string(400, 'n')), CLEAN},
        {"401 characters", npcLine(16, std::string(401, 'n')),
         npc1("16: line is 401 characters long; the editor reads only 400 and everything after it is lost")},
        {"sprite 8", npcLine(18, "8"), CLEAN},
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
        // The range line is read only for a ranged weapon.
        {"11 lines", itemLines(PLAIN, {}, 11), CLEAN},
        {"11 lines, ranged", itemLines(ITEM_TYPE_RANGED, {}, 11),
         item1(": has 11 lines (expected 12); this ranged weapon (type 8) has no range line and gets range 0")},
        {"10 lines", itemLines(PLAIN, {}, 10),
         item1(": has 10 lines (expected 12); the missing values read as 0 or empty")},
        {"13 lines", itemLines(PLAIN, {}, 13),
         item1(":13: has 13 lines (expected 12); the editor ignores line 13 and the ones after it")},
        {"icon 999", itemLines(PLAIN, {{11, "999"}}),
         item1(":11: icon 999 has no picture in data/assets/items (drawn as the missing-image icon)")},
        {"removed, icon 999", itemLines(ITEM_TYPE_REMOVED, {{11, "999"}}), CLEAN},  // never drawn
        {"range zz", itemLines(PLAIN, {{12, "zz"}}), CLEAN},                        // never read
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
        {"an empty directory and none",
         [](const FixtureWorld& w) {
             w.setNpcs({});
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
