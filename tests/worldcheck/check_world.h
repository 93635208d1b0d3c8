#pragma once
// Fixture worlds for the checker's tests, and running the real worldcheck binary on them.
#include <string>
#include <vector>

#include "test_support.h"
#include "world/actor.h"
#include "world/item.h"

// A copy of the default world in its own temporary directory. The default world is
// generated once per test program and copied for each test.
class FixtureWorld {
public:
    TempDir dir;
    FixtureWorld();
    std::string operator/(const std::string& relative) const { return dir / relative; }
    // Replaces the world's NPC or item files with these, numbered from 0.
    void setNpcs(const std::vector<Actor>& npcs) const;
    void setItems(const std::vector<Item>& items) const;
    // Replaces line lineNo (from 1) of a file; text without its line end.
    void replaceLine(const std::string& relative, int lineNo, const std::string& text) const;
};

// Runs worldcheck with these arguments (bounded by a timeout), in cwd when given.
ProcessResult runCheck(const std::vector<std::string>& args, const std::string& cwd = "");
ProcessResult runCheck(const FixtureWorld& world);

// The whole output expected for a world with exactly this one problem.
std::string oneProblem(const std::string& line);

// The bytes of a file split at line feeds, and put back together.
std::vector<std::string> splitAtLineFeeds(const std::string& bytes);
std::string joinLines(const std::vector<std::string>& lines);
