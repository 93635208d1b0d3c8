#pragma once
// Fixture worlds for the checker's tests, checked in-process (the command itself in
// command_line_test.cpp).
#include <functional>
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
    // Replaces line lineNo (from 1) of a file; text without its line end. A count of lines
    // other than 0 then keeps only that many.
    void replaceLine(const std::string& relative, int lineNo, const std::string& text, int keepLines = 0) const;
};

// Runs worldcheck with these arguments (bounded by a timeout), in cwd when given.
ProcessResult runCheck(const std::vector<std::string>& args, const std::string& cwd = "");

// What worldcheck prints for the world.
std::string checkOutput(const FixtureWorld& world);
std::string oneProblem(const std::string& line);  // the whole output for one problem

// A change to a fixture world, and a table of them with the reports they give.
using Change = std::function<void(const FixtureWorld&)>;
struct ReportCase {
    const char* what;
    Change change;
    std::string out;  // the whole output expected
};
// Each change made to a fresh copy of the default world.
void expectReports(const std::vector<ReportCase>& cases);

// The bytes of a file split at line feeds, and put back together.
std::vector<std::string> splitAtLineFeeds(const std::string& bytes);
std::string joinLines(const std::vector<std::string>& lines);
