#pragma once
// Worlds kept in git, for the tools: finding the work tree a world lies in, naming revisions,
// and reading a revision's world straight from git's objects (through the editor's readers,
// never checking anything out), and what the work tree holds that is not committed.
#include <string>
#include <vector>

#include "command.h"
#include "world/world.h"

// Every git command a tool runs ends within this bound or is killed.
constexpr int GIT_TIMEOUT_MS = 60000;

class GitWorld {
public:
    std::string dir;     // the world directory as the user gave it
    std::string top;     // the work tree's top directory
    std::string prefix;  // the world's path from the top: "" or ending in '/', e.g. "world/"

    // git with these arguments in the top directory, pathspecs taken literally.
    CommandResult git(std::vector<std::string> args, const std::string& input = "") const;
    // The world's files the editor reads, as pathspecs from the top.
    std::vector<std::string> worldPaths() const;
};

// Finds the work tree holding dir: "" or why not ("no such directory: x", "x is not inside a
// git work tree").
std::string openGitWorld(const std::string& dir, GitWorld& repo);
// The commit a revision names: "" or "unknown revision REV".
std::string resolveCommit(const GitWorld& repo, const std::string& rev, std::string& commit);
// Reads the world as the editor would from commit's files: "" or why not, naming the map
// file as REV:path.
std::string readWorldAtCommit(const GitWorld& repo, const std::string& commit, const std::string& rev, World& world);

// Sets path to the first of the world's files (map, NPC and item files, untracked ones too)
// with changes not committed, or "". During a merge (duringMerge) the changes the merge made
// are allowed: files it left conflicted and its results staged in the index; a change beside
// those is not. Returns "" or why git could not tell.
std::string findUncommittedWorldFile(const GitWorld& repo, bool duringMerge, std::string& path);
