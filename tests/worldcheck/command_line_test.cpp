// The checker as a command: arguments, help, exit statuses, ordering and the summary.
#include <gtest/gtest.h>

#include "check_world.h"

TEST(WorldCheckCommand, HelpExplainsUsageChecksAndExitStatuses) {
    ProcessResult result = runCheck({"--help"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out.rfind("Usage: worldcheck [DIRECTORY]\n", 0), 0u);
    for (const char* topic :
         {"data/map.dat", "data/npcdef/N.def", "data/idef/N.def", "edfont.ttf", "path:line: message",
          "Exit status: 0 when the world is clean, 1 when problems were found, 2 when"})
        EXPECT_NE(result.out.find(topic), std::string::npos) << topic;
}

TEST(WorldCheckCommand, CannotRunWithoutAWorldToRead) {
    TempDir empty;
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const Case cases[] = {
        {{empty / "nowhere"}, "worldcheck: no such directory: " + empty / "nowhere" + "\n"},
        {{empty.path},
         "worldcheck: " + empty.path + " has no data directory; run worldcheck in a world's directory or give one\n"},
        {{"--verbose"}, "worldcheck: unknown option --verbose (see worldcheck --help)\n"},
        {{empty.path, empty.path}, "worldcheck: give one world directory at most (see worldcheck --help)\n"},
    };
    for (const Case& c : cases) {
        ProcessResult result = runCheck(c.args);
        EXPECT_EQ(result.status, 2) << c.err;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, c.err);
    }
}

TEST(WorldCheckCommand, AMapFileThatCannotBeReadStopsTheCheck) {
    FixtureWorld world;
    removeFile(world / "data/map.dat");
    makeDirs(world / "data/map.dat");
    ProcessResult result = runCheck(world);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "worldcheck: cannot read " + world / "data/map.dat" + ": Is a directory\n");
}

TEST(WorldCheckCommand, ProblemsAreSortedByPathThenLineAndCounted) {
    FixtureWorld world;
    std::vector<Actor> npcs(11);
    npcs[2].direction = 4;
    npcs[10].sprite = 9;
    world.setNpcs(npcs);
    world.replaceLine("data/npcdef/10.def", 1, "x");
    std::vector<std::string> lines = splitAtLineFeeds(readFile(world / "data/npcdef/10.def"));
    lines.pop_back();
    writeFile(world / "data/npcdef/10.def", joinLines(lines));
    Item item;
    item.owner = -1;
    world.setItems({item});
    world.replaceLine("data/map.dat", 3, std::string(349, 'A'));
    ProcessResult result = runCheck(world);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out,
              "data/idef/0.def:4: owner -1 is negative (read as 1)\n"
              "data/map.dat:3: line 3 has 349 characters (expected 350); x=349 reads as tile 0\n"
              "data/npcdef/2.def:19: direction 4 is outside 0..3 (drawn as the missing-image icon)\n"
              "data/npcdef/10.def: has 19 lines (expected 20); the missing values read as 0 or empty\n"
              "data/npcdef/10.def:1: a number line holds \"x\" (read as 0)\n"
              "data/npcdef/10.def:18: sprite 9 is outside 0..8 (drawn as the missing-image icon)\n"
              "6 problems in 4 files\n");
}
