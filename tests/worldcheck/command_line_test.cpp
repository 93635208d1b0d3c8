// The checker as a command: help, the working directory and exit statuses.
#include <gtest/gtest.h>

#include "test_support.h"

namespace {
ProcessResult runCheck(const std::vector<std::string>& args, const std::string& cwd = "") {
    std::vector<std::string> argv = {WORLDCHECK_BINARY};
    argv.insert(argv.end(), args.begin(), args.end());
    return runProcess(argv, cwd, {}, 30000);
}
}  // namespace

TEST(WorldCheckCommand, HelpWorkingDirectoryAndExitStatuses) {
    ProcessResult help = runCheck({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: worldcheck [DIRECTORY]\n", 0), 0u);
    EXPECT_NE(help.out.find("Exit status: 0 when the world is clean, 1 when problems were found, 2 when"),
              std::string::npos);

    TempDir world;
    makeDefaultWorld(world.path);
    ProcessResult here = runCheck({}, world.path);  // as the editor itself runs
    EXPECT_EQ(here.status, 0);
    EXPECT_EQ(here.out, "0 problems\n");
    removeFile(world / "data/map.dat");
    ProcessResult missing = runCheck({world.path});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "data/map.dat: missing (the editor will not start without it)\n1 problem in 1 file\n");
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
