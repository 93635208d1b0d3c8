// The git-aware tools as commands: worldmerge's statuses on world directories, one real git
// repository taken through worldgit install, a clean and a conflicting merge, git diff and
// worldmerge --git finishing the merge git stopped on; and cmake --install with manual pages.
#include <gtest/gtest.h>

#include <filesystem>

#include "test_support.h"
#include "world/defdir.h"

namespace {
namespace fs = std::filesystem;

// Nothing from the machine's or the user's git configuration reaches the tests' repositories.
class GitTools : public ::testing::Test {
protected:
    TempDir dir;
    std::vector<std::string> env{"GIT_CONFIG_NOSYSTEM=1", "HOME=" + dir.path, "XDG_CONFIG_HOME", "GIT_DIR",
                                 "GIT_WORK_TREE", "GIT_INDEX_FILE", "GIT_CEILING_DIRECTORIES=" + dir.path};

    ProcessResult run(std::vector<std::string> argv, const std::string& cwd = "repo") {
        return runProcess(argv, dir / cwd, env, 30000);
    }
    ProcessResult git(std::vector<std::string> args) {
        args.insert(args.begin(), "git");
        ProcessResult result = run(args);
        EXPECT_FALSE(result.timedOut);
        return result;
    }
    // Sets the cell of a world's map, returning the tile it held.
    int paint(const std::string& world, int x, int y, int tile) {
        std::string map = readFile(dir / world + "/data/map.dat");
        int was = map[static_cast<size_t>(y * 351 + x)] - 'A';
        map[static_cast<size_t>(y * 351 + x)] = static_cast<char>('A' + tile);
        writeFile(dir / world + "/data/map.dat", map);
        return was;
    }
    void addNpc(const std::string& world, int n, const char* name) {
        Actor npc;
        npc.name = name;
        writeFile(npcDefPath(dir / world + "/data", n), npc.serialize());
    }
};
}  // namespace

TEST_F(GitTools, StatusesOfTheCommandsAndAMergeIntoANewWorld) {
    makeDefaultWorld(dir / "base");
    for (const char* copy : {"ours", "theirs", "alike"}) fs::copy(dir / "base", dir / copy, fs::copy_options::recursive);
    const int was = paint("ours", 30, 30, 21);
    paint("theirs", 30, 30, 25), paint("theirs", 5, 5, 25), addNpc("theirs", 9, "Rob");
    const std::string conflict = "data/map.dat:31: x=30: conflict: ours 21, theirs 25, base " + std::to_string(was) + "\n";
    const std::string merge = WORLDMERGE_BINARY;
    const struct {
        std::vector<std::string> argv;
        int status;
        std::string out, err;
    } cases[] = {
        {{merge, "base", "ours", "alike", "--into", "alike"}, 2, "", "worldmerge: alike is neither OURS nor a new directory\n"},
        {{merge, "base", "ours", "nowhere", "--into", "new"}, 2, "", "worldmerge: no such directory: nowhere\n"},
        {{merge, "base", "ours", "--into", "new"}, 2, "",
         "worldmerge: give three worlds, BASE OURS THEIRS, and --into OUT (see worldmerge --help)\n"},
        {{merge, "--git", "HEAD"}, 2, "", "worldmerge: . is not inside a git work tree\n"},
        {{WORLDDIFF_BINARY, "--git", "-C", "base"}, 2, "", "worlddiff: base is not inside a git work tree\n"},
        {{WORLDGIT_BINARY, "install"}, 2, "", "worldgit: . is not inside a git work tree\n"},
        {{merge, "base", "ours", "alike", "--into", "ours"}, 0, "merged: nothing to change; no conflicts\n", ""},
        {{merge, "base", "ours", "theirs", "--into", "new"}, 1, conflict + "merged: 1 cell, 1 NPC added; 1 conflict\n", ""},
    };
    for (const auto& c : cases) {
        ProcessResult result = run(c.argv, "");
        EXPECT_EQ(result.status, c.status) << c.argv[1] << " " << c.argv.back();
        EXPECT_EQ(result.out, c.out);
        EXPECT_EQ(result.err, c.err);
    }
    // The new world has OURS's art and font, OURS's tile where the cell conflicts, THEIRS's changes.
    EXPECT_EQ(readFile(dir / "new/edfont.ttf"), readFile(dir / "ours/edfont.ttf"));
    EXPECT_EQ(filesUnder(dir / "new/data/assets"), filesUnder(dir / "ours/data/assets"));
    EXPECT_EQ(run({WORLDDIFF_BINARY, "theirs", "new"}, "").out,
              "data/map.dat:31: x=30: tile 25 -> 21\n1 cell in 1 row\n");
}

TEST_F(GitTools, ARepositoryMergesWorldsThroughTheDrivers) {
    makeDefaultWorld(dir / "repo/world");
    git({"init", "-q", "-b", "main"});
    git({"config", "user.name", "Tester"}), git({"config", "user.email", "tester@example.com"});
    git({"add", "-A"}), git({"commit", "-qm", "base"});
    ProcessResult installed = run({WORLDGIT_BINARY, "install"});
    EXPECT_EQ(installed.status, 0) << installed.err;
    EXPECT_EQ(installed.out.rfind(".gitattributes: 4 lines added", 0), 0u) << installed.out;
    EXPECT_EQ(run({WORLDGIT_BINARY, "install", "-C", "world"}).out, "already installed: nothing changed\n");
    git({"add", ".gitattributes"}), git({"commit", "-qm", "worlds"});

    // git diff and git show print cells.
    const int was = paint("repo/world", 3, 12, 40);
    EXPECT_EQ(git({"diff"}).out, "world/data/map.dat:13: x=3: tile " + std::to_string(was) + " -> 40\n");
    git({"commit", "-qam", "left"});
    EXPECT_NE(git({"show"}).out.find("\n+13: x=3: tile 40\n"), std::string::npos);
    EXPECT_EQ(run({WORLDDIFF_BINARY, "--git", "main~1", "-C", "world"}).status, 1);
    EXPECT_EQ(run({WORLDDIFF_BINARY, "--git", "nope", "-C", "world"}).err, "worlddiff: unknown revision nope\n");

    // Cells painted apart merge on their own.
    git({"checkout", "-qb", "right", "main~1"});
    const int was2 = paint("repo/world", 200, 100, 41);
    git({"commit", "-qam", "right"});
    EXPECT_EQ(git({"merge", "-q", "--no-edit", "main"}).status, 0);
    EXPECT_EQ(run({WORLDDIFF_BINARY, "--git", "main~1"}, "repo/world").out,
              "data/map.dat:13: x=3: tile " + std::to_string(was) + " -> 40\ndata/map.dat:101: x=200: tile " +
                  std::to_string(was2) + " -> 41\n2 cells in 2 rows\n");

    // One cell painted differently and NPC file 9 added on both sides: git stops, the map holds
    // OURS's tile, and worldmerge finishes the merge with both NPCs.
    git({"checkout", "-qb", "c1", "main~1"});
    const int base = paint("repo/world", 30, 30, 2);
    addNpc("repo/world", 9, "Cara"), git({"add", "-A"}), git({"commit", "-qm", "c1"});
    git({"checkout", "-qb", "c2", "main~1"});
    paint("repo/world", 30, 30, 3), addNpc("repo/world", 9, "Dora"), git({"add", "-A"}), git({"commit", "-qm", "c2"});
    git({"checkout", "-q", "c1"});
    paint("repo/world", 5, 5, 7);
    EXPECT_EQ(run({WORLDMERGE_BINARY, "--git", "c2"}, "repo/world").err,
              "worldmerge: world/data/map.dat has changes not committed: commit or stash them first\n");
    git({"checkout", "--", "world"});
    const std::string conflict = "data/map.dat:31: x=30: conflict: ours 2, theirs 3, base " + std::to_string(base) + "\n";
    ProcessResult stopped = git({"merge", "--no-edit", "c2"});
    EXPECT_EQ(stopped.status, 1);
    EXPECT_NE(stopped.out.find("world/" + conflict), std::string::npos) << stopped.out;
    EXPECT_EQ(git({"diff", "--name-only", "--diff-filter=U"}).out, "world/data/map.dat\nworld/data/npcdef/9.def\n");
    EXPECT_EQ(readFile(dir / "repo/world/data/map.dat")[30 * 351 + 30], 'A' + 2);
    ProcessResult finished = run({WORLDMERGE_BINARY, "--git", "MERGE_HEAD"}, "repo/world");
    EXPECT_EQ(finished.status, 1) << finished.err;
    EXPECT_EQ(finished.out, conflict + "merged: 1 NPC added; 1 conflict\n");
    auto world = std::make_unique<World>();
    ASSERT_EQ(readWorld(dir / "repo/world", *world), "");
    EXPECT_EQ(npcNames(*world).back(), "Dora");
    EXPECT_EQ(npcNames(*world)[9], "Cara");
    git({"add", "world"});
    EXPECT_EQ(git({"commit", "-q", "--no-edit"}).status, 0);

    EXPECT_EQ(run({WORLDGIT_BINARY, "uninstall"}).status, 0);
    EXPECT_FALSE(fileExists(dir / "repo/.gitattributes"));
    EXPECT_EQ(git({"config", "--get-regexp", "maped"}).out, "");
}

TEST_F(GitTools, InstallPutsEveryProgramAndItsManualPageUnderThePrefix) {
    ProcessResult installed = runProcess({CMAKE_COMMAND, "--install", BUILD_DIR, "--prefix", dir / "usr"}, dir.path, {}, 60000);
    ASSERT_EQ(installed.status, 0) << installed.err;
    for (const char* program : {"maped", "worldgen", "worldcheck", "worldrender", "worlddiff", "worldmerge", "worldgit"}) {
        EXPECT_TRUE(fs::is_regular_file(dir / "usr/bin/" + program)) << program;
        EXPECT_NE(readFile(dir / "usr/share/man/man1/" + program + ".1").find(".SH DESCRIPTION"), std::string::npos) << program;
    }
    // Made from the program's own --help.
    EXPECT_NE(readFile(dir / "usr/share/man/man1/worldmerge.1").find("Merges two worlds, OURS and THEIRS"), std::string::npos);
}
