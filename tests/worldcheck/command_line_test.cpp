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

TEST(WorldCheckCommand, RunsInTheWorkingDirectoryOrStopsWithStatusTwo) {
    FixtureWorld world;
    ProcessResult here = runCheck({}, world.dir.path);  // as the editor itself runs
    EXPECT_EQ(here.status, 0);
    EXPECT_EQ(here.out, "0 problems\n");

    TempDir empty;
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{empty / "nowhere"}, "no such directory: " + empty / "nowhere"},
        {{empty.path}, empty.path + " has no data directory; run worldcheck in a world's directory or give one"},
        {{"--verbose"}, "unknown option --verbose (see worldcheck --help)"},
        {{empty.path, empty.path}, "give one world directory at most (see worldcheck --help)"},
    };
    for (const auto& [args, err] : cases) {
        ProcessResult result = runCheck(args);
        EXPECT_EQ(result.status, 2) << err;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "worldcheck: " + err + "\n");
    }
}

TEST(WorldCheckCommand, ProblemsAreSortedByPathThenLineAndCounted) {
    FixtureWorld world;
    std::vector<Actor> npcs(11);
    npcs[2].direction = 4;
    npcs[10].sprite = 9;
    world.setNpcs(npcs);
    world.replaceLine("data/npcdef/10.def", 1, "x", 19);
    Item item;
    item.owner = -1;
    world.setItems({item});
    world.replaceLine("data/map.dat", 3, std::string(349, 'A'));
    expectReport(world,
                 "data/idef/0.def:4: owner -1 is negative (read as 1)\n"
                 "data/map.dat:3: line 3 has 349 characters (expected 350); x=349 reads as tile 0\n"
                 "data/npcdef/2.def:19: direction 4 is outside 0..3 (drawn as the missing-image icon)\n"
                 "data/npcdef/10.def: has 19 lines (expected 20); the missing values read as 0 or empty\n"
                 "data/npcdef/10.def:1: a number line holds \"x\" (read as 0)\n"
                 "data/npcdef/10.def:18: sprite 9 is outside 0..8 (drawn as the missing-image icon)\n"
                 "6 problems in 4 files\n");
}

// A world of 10,000 NPCs and 10,000 items is checked whole, with nothing missed. How fast
// is for the benchmark; this only checks the result.
TEST(WorldCheckCommand, TenThousandNpcsAndItems) {
    FixtureWorld world;
    world.setNpcs({});
    world.setItems({});
    for (int n = 0; n < 10000; ++n) {
        Actor npc;
        npc.name = "Villager " + std::to_string(n);
        npc.x = static_cast<float>(n % 300 * 48);
        npc.y = static_cast<float>(n / 300 * 48);
        npc.sprite = n == 9999 ? 9 : n % 9;
        npc.direction = n % 4;
        writeFile(world / ("data/npcdef/" + std::to_string(n) + ".def"), npc.serialize());
        Item item;
        item.type = n % 10;
        item.range = 3;
        item.owner = n == 5000 ? -2 : n % 4;
        writeFile(world / ("data/idef/" + std::to_string(n) + ".def"), item.serialize());
    }
    writeFile(world / "data/npcdef/10001.def", Actor().serialize());
    expectReport(world,
                 "data/idef/5000.def:4: owner -2 is negative (read as 2)\n"
                 "data/npcdef: files after the gap at 10000.def are never loaded: 10001.def\n"
                 "data/npcdef/9999.def:18: sprite 9 is outside 0..8 (drawn as the missing-image icon)\n"
                 "3 problems in 3 files\n");
}
