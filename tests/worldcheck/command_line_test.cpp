// The checker as a command: help, the working directory, exit statuses, and the order and
// count of what it reports.
#include <gtest/gtest.h>

#include "check_world.h"

TEST(WorldCheckCommand, HelpWorkingDirectoryAndExitStatuses) {
    ProcessResult help = runCheck({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: worldcheck [DIRECTORY]\n", 0), 0u);
    EXPECT_NE(help.out.find("Exit status: 0 when the world is clean, 1 when problems were found, 2 when"),
              std::string::npos);

    FixtureWorld world;
    ProcessResult here = runCheck({}, world.dir.path);  // as the editor itself runs
    EXPECT_EQ(here.status, 0);
    EXPECT_EQ(here.out, "0 problems\n");
    removeFile(world / "data/map.dat");
    ProcessResult missing = runCheck({world.dir.path});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, oneProblem("data/map.dat: missing (the editor will not start without it)"));
    EXPECT_EQ(missing.err, "");

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
    EXPECT_EQ(checkOutput(world),
                 "data/idef/0.def:4: owner -1 is negative (read as 1)\n"
                 "data/map.dat:3: line 3 has 349 characters (expected 350); x=349 reads as tile 0\n"
                 "data/npcdef/2.def:19: direction 4 is outside 0..3 (drawn as the missing-image icon)\n"
                 "data/npcdef/10.def: has 19 lines (expected 20); the missing values read as 0 or empty\n"
                 "data/npcdef/10.def:1: a number line holds \"x\" (read as 0)\n"
                 "data/npcdef/10.def:18: sprite 9 is outside 0..8 (drawn as the missing-image icon)\n"
                 "6 problems in 4 files\n");
}
