// The checker on the NPC and item definition files and their numbering.
#include <gtest/gtest.h>

#include <filesystem>

#include "check_world.h"

namespace {
struct LineCase {
    int lineNo;
    std::string text;
    std::string expected;  // the problem line, or "" for none
};

// Two NPCs as the editor writes them; the second is then changed line by line.
void expectNpcLine(const LineCase& c) {
    FixtureWorld world;
    Actor first, second;
    second.name = "Old Tom";
    world.setNpcs({first, second});
    world.replaceLine("data/npcdef/1.def", c.lineNo, c.text);
    ProcessResult result = runCheck(world);
    EXPECT_EQ(result.status, c.expected.empty() ? 0 : 1) << c.expected;
    EXPECT_EQ(result.out, c.expected.empty() ? "0 problems\n" : oneProblem(c.expected));
}

void expectItemFile(const std::string& bytes, const std::string& expected) {
    FixtureWorld world;
    world.setItems({Item(), Item()});
    writeFile(world / "data/idef/1.def", bytes);
    ProcessResult result = runCheck(world);
    EXPECT_EQ(result.status, expected.empty() ? 0 : 1) << expected;
    EXPECT_EQ(result.out, expected.empty() ? "0 problems\n" : oneProblem(expected));
}

// An item's file with some lines replaced (lines from 1).
std::string itemBytes(const Item& item, std::vector<std::pair<int, std::string>> changes, int keepLines = 12) {
    std::vector<std::string> lines = splitAtLineFeeds(item.serialize());
    for (const auto& change : changes) lines.at(static_cast<size_t>(change.first - 1)) = change.second;
    lines.resize(static_cast<size_t>(keepLines));
    return joinLines(lines);
}
}  // namespace

TEST(WorldCheckDefinitions, NumberLinesThatAreNotPlainIntegers) {
    const LineCase cases[] = {
        {1, "12abc", "data/npcdef/1.def:1: a number line holds \"12abc\" (read as 12)"},
        {3, "", "data/npcdef/1.def:3: a number line is empty (read as 0)"},
        {4, "  42", "data/npcdef/1.def:4: a number line holds \"  42\" (read as 42)"},
        {5, "abc", "data/npcdef/1.def:5: a number line holds \"abc\" (read as 0)"},
        {6, "+5", "data/npcdef/1.def:6: a number line holds \"+5\" (read as 5)"},
        {7, "-", "data/npcdef/1.def:7: a number line holds \"-\" (read as 0)"},
        {9, "99999999999",
         "data/npcdef/1.def:9: a number line holds \"99999999999\", outside the int range (read as 2147483647)"},
        {10, "-2147483649",
         "data/npcdef/1.def:10: a number line holds \"-2147483649\", outside the int range (read as -2147483648)"},
        {13, "1\t", "data/npcdef/1.def:13: a number line holds \"1\\x09\" (read as 1)"},
        // Plain integers at the ends of the range, and flags other than 0 and 1, read as written.
        {9, "2147483647", ""},
        {10, "-2147483648", ""},
        {13, "7", ""},
        // String lines hold any text.
        {14, "12abc", ""},
        {16, "", ""},
    };
    for (const LineCase& c : cases) expectNpcLine(c);
}

TEST(WorldCheckDefinitions, LinesOverTheReadersLimit) {
    const LineCase cases[] = {
        {16, std::string(400, 'n'), ""},
        {16, std::string(401, 'n'),
         "data/npcdef/1.def:16: line is 401 characters long; the editor reads only 400 and everything after it is "
         "lost"},
        {1, std::string(450, '1'),
         "data/npcdef/1.def:1: line is 450 characters long; the editor reads only 400 and everything after it is lost"},
    };
    for (const LineCase& c : cases) expectNpcLine(c);
}

TEST(WorldCheckDefinitions, SpritesAndDirectionsWithoutImages) {
    const LineCase cases[] = {
        {18, "8", ""},
        {18, "9", "data/npcdef/1.def:18: sprite 9 is outside 0..8 (drawn as the missing-image icon)"},
        {18, "-1", "data/npcdef/1.def:18: sprite -1 is outside 0..8 (drawn as the missing-image icon)"},
        {19, "3", ""},
        {19, "4", "data/npcdef/1.def:19: direction 4 is outside 0..3 (drawn as the missing-image icon)"},
    };
    for (const LineCase& c : cases) expectNpcLine(c);
}

TEST(WorldCheckDefinitions, NpcFilesOfTheWrongLength) {
    FixtureWorld world;
    Actor actor;
    std::vector<std::string> lines = splitAtLineFeeds(actor.serialize());
    world.setNpcs({actor, actor, actor});
    writeFile(world / "data/npcdef/1.def", joinLines(std::vector<std::string>(lines.begin(), lines.end() - 1)));
    std::vector<std::string> longer = lines;
    longer.push_back("0");
    writeFile(world / "data/npcdef/2.def", joinLines(longer));
    ProcessResult result = runCheck(world);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out,
              "data/npcdef/1.def: has 19 lines (expected 20); the missing values read as 0 or empty\n"
              "data/npcdef/2.def:21: has 21 lines (expected 20); the editor ignores line 21 and the ones after it\n"
              "2 problems in 2 files\n");

    // Written on Windows: CR LF line ends are what the reader expects there.
    std::string crlf;
    for (const std::string& line : lines) crlf += line + "\r\n";
    writeFile(world / "data/npcdef/1.def", crlf);
    writeFile(world / "data/npcdef/2.def", crlf);
    ProcessResult windows = runCheck(world);
    EXPECT_EQ(windows.status, 0);
    EXPECT_EQ(windows.out, "0 problems\n");
}

TEST(WorldCheckDefinitions, ItemLineCounts) {
    Item plain, ranged;
    ranged.type = ITEM_TYPE_RANGED;
    ranged.range = 6;
    expectItemFile(itemBytes(plain, {}, 11), "");  // the range line is read only for a ranged weapon
    expectItemFile(itemBytes(ranged, {}, 11),
                   "data/idef/1.def: has 11 lines (expected 12); this ranged weapon (type 8) has no range line and "
                   "gets range 0");
    expectItemFile(itemBytes(plain, {}, 10),
                   "data/idef/1.def: has 10 lines (expected 12); the missing values read as 0 or empty");
    expectItemFile(itemBytes(plain, {}, 0),
                   "data/idef/1.def: has 0 lines (expected 12); the missing values read as 0 or empty");
    expectItemFile(itemBytes(plain, {}) + "0\n",
                   "data/idef/1.def:13: has 13 lines (expected 12); the editor ignores line 13 and the ones after it");
}

TEST(WorldCheckDefinitions, ItemValuesTheEditorMisreads) {
    Item plain, ranged;
    ranged.type = ITEM_TYPE_RANGED;
    Item removed;
    removed.type = ITEM_TYPE_REMOVED;
    expectItemFile(itemBytes(plain, {{2, "7x"}}), "data/idef/1.def:2: a number line holds \"7x\" (read as 7)");
    expectItemFile(itemBytes(plain, {{9, std::string(401, 'd')}}),
                   "data/idef/1.def:9: line is 401 characters long; the editor reads only 400 and everything after it "
                   "is lost");
    expectItemFile(itemBytes(plain, {{4, "-4"}}), "data/idef/1.def:4: owner -4 is negative (read as 4)");
    expectItemFile(
        itemBytes(plain, {{11, "999"}}),
        "data/idef/1.def:11: icon 999 has no picture in data/assets/items (drawn as the missing-image icon)");
    expectItemFile(itemBytes(plain, {{11, "-1"}}),
                   "data/idef/1.def:11: icon -1 has no picture in data/assets/items (drawn as the missing-image icon)");
    expectItemFile(itemBytes(removed, {{11, "999"}}), "");  // a removed item is never drawn
    expectItemFile(itemBytes(plain, {{12, "zz"}}), "");     // never read
    expectItemFile(itemBytes(ranged, {{12, "zz"}}), "data/idef/1.def:12: a number line holds \"zz\" (read as 0)");
}

TEST(WorldCheckDefinitions, FilesTheLoaderNeverReaches) {
    FixtureWorld world;
    Actor bad;
    bad.sprite = 99;  // never loaded, so never checked
    world.setNpcs({Actor(), Actor(), bad, Actor(), Actor(), Actor(), Actor(), Actor(), Actor()});
    removeFile(world / "data/npcdef/1.def");
    ProcessResult gap = runCheck(world);
    EXPECT_EQ(gap.status, 1);
    EXPECT_EQ(gap.out,
              oneProblem("data/npcdef: files after the gap at 1.def are never loaded: 2.def, 3.def, 4.def, 5.def, "
                         "6.def and 2 more"));

    world.setNpcs({Actor()});
    world.setItems({Item(), Item()});
    removeFile(world / "data/idef/0.def");
    writeFile(world / "data/npcdef/01.def", Actor().serialize());
    ProcessResult noFirst = runCheck(world);
    EXPECT_EQ(noFirst.status, 1);
    EXPECT_EQ(noFirst.out,
              "data/idef: there is no 0.def, so none of its files is loaded: 1.def\n"
              "data/npcdef/01.def: never loaded (the editor looks only for 0.def, 1.def, 2.def, ...)\n"
              "2 problems in 2 files\n");
}

TEST(WorldCheckDefinitions, EmptyOrMissingDirectoriesAndUnreadableFiles) {
    FixtureWorld world;
    world.setNpcs({});
    world.setItems({});
    ProcessResult empty = runCheck(world);
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.out, "0 problems\n");
    std::filesystem::remove_all(world / "data/npcdef");
    std::filesystem::remove_all(world / "data/idef");
    ProcessResult missing = runCheck(world);
    EXPECT_EQ(missing.status, 0);
    EXPECT_EQ(missing.out, "0 problems\n");

    world.setItems({Item()});
    makeDirs(world / "data/idef/1.def");  // there, but it cannot be read as a file
    writeFile(world / "data/idef/2.def", Item().serialize());
    ProcessResult unreadable = runCheck(world);
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_EQ(unreadable.out,
              "data/idef: files after the gap at 1.def are never loaded: 2.def\n"
              "data/idef/1.def: cannot be read, so the editor stops loading items here\n"
              "2 problems in 2 files\n");
}
