// The checker on the map file: the default world is clean, and each way a map line can be
// misread gives its own line.
#include <gtest/gtest.h>

#include "check_world.h"

namespace {
const char* const MAP = "data/map.dat";

// Changes line lineNo of the map with edit.
Change mapLine(int lineNo, std::function<void(std::string&)> edit) {
    return [=](const FixtureWorld& world) {
        std::string line = splitAtLineFeeds(readFile(world / MAP)).at(static_cast<size_t>(lineNo - 1));
        edit(line);
        world.replaceLine(MAP, lineNo, line);
    };
}
Change cut(int lineNo, size_t length) {
    return mapLine(lineNo, [=](std::string& line) { line.resize(length); });
}
Change append(int lineNo, const std::string& text) {
    return mapLine(lineNo, [=](std::string& line) { line += text; });
}
Change cells(std::vector<std::pair<size_t, char>> changes) {
    return mapLine(5, [=](std::string& line) {
        for (auto [x, c] : changes) line[x] = c;
    });
}
// The map with its lines passed through edit.
Change mapLines(std::function<void(std::vector<std::string>&)> edit, const std::string& lineEnd = "\n") {
    return [=](const FixtureWorld& world) {
        std::vector<std::string> lines = splitAtLineFeeds(readFile(world / MAP));
        edit(lines);
        std::string bytes;
        for (const std::string& line : lines) bytes += line + lineEnd;
        writeFile(world / MAP, bytes);
    };
}
const std::string PAST_349 = " (expected 350); the editor ignores everything after x=349";
const std::string STOPS = " (expected 350); the editor stops reading the map here: every later row repeats this one, with tile 0 at x=0";
const std::string NO_IMAGE = " has no image in data/assets/tiles (drawn as the missing-image icon)";
}  // namespace

TEST(WorldCheckMap, EachWayAMapLineIsMisread) {
    expectReports({
        {"the default world", [](const FixtureWorld&) {}, "0 problems\n"},
        {"written on Windows", mapLines([](auto&) {}, "\r\n"), "0 problems\n"},
        {"no line feed at the end",
         [](const FixtureWorld& w) { writeFile(w / MAP, readFile(w / MAP).substr(0, 350 * 351 - 1)); }, "0 problems\n"},
        {"300 characters", cut(12, 300),
         oneProblem("data/map.dat:12: line 12 has 300 characters (expected 350); x=300 to x=349 read as tile 0 or "
                    "repeat what earlier lines held there")},
        {"351 characters", append(12, "A"), oneProblem("data/map.dat:12: line 12 has 351 characters" + PAST_349)},
        {"400 characters", append(12, std::string(50, 'A')), oneProblem("data/map.dat:12: line 12 has 400 characters" + STOPS)},
        // The reader never reaches the second: only the first is said.
        {"two lines too long", [](const FixtureWorld& w) { append(12, std::string(50, 'A'))(w), append(20, "AA")(w); },
         oneProblem("data/map.dat:12: line 12 has 400 characters" + STOPS)},
        // After the last row there is nothing left to spoil.
        {"the last line too long", append(350, std::string(50, 'A')),
         oneProblem("data/map.dat:350: line 350 has 400 characters" + PAST_349)},
        // 351 characters and a CR: one too many for the reader's buffer, so it stops.
        {"351 characters and a CR", append(12, "A\r"), oneProblem("data/map.dat:12: line 12 has 351 characters" + STOPS)},
        {"349 lines", mapLines([](auto& lines) { lines.pop_back(); }),
         oneProblem("data/map.dat: has 349 lines (expected 350); the missing rows repeat the last line read, with tile 0 "
                    "at x=0")},
        {"351 lines", mapLines([](auto& lines) { lines.push_back(lines.back()); }),
         oneProblem("data/map.dat:351: has 351 lines (expected 350); the editor ignores this line and the ones after it")},
        {"empty", [](const FixtureWorld& w) { writeFile(w / MAP, ""); },
         oneProblem("data/map.dat: is empty; every cell reads as tile 0")},
        {"negative tiles", cells({{7, '@'}, {9, '@'}}),
         oneProblem("data/map.dat:5: character '@' at x=7 reads as tile -1; the editor stores tile 0 there (2 such cells "
                    "on this line)")},
        {"a byte over 127", cells({{0, '\x80'}}),
         oneProblem("data/map.dat:5: byte 0x80 at x=0 reads as tile -193; the editor stores tile 0 there")},
        {"a space", cells({{0, ' '}}),
         oneProblem("data/map.dat:5: character ' ' at x=0 reads as tile -33; the editor stores tile 0 there")},
        // The default art has tiles 0..46 ('A' to 'o').
        {"tile 50", cells({{3, 's'}}), oneProblem("data/map.dat:5: tile 50 ('s') at x=3" + NO_IMAGE)},
        {"tiles 47 and 62", cells({{349, '\x7f'}, {348, 'p'}}),
         oneProblem("data/map.dat:5: tile 47 ('p') at x=348" + NO_IMAGE + " (2 such cells on this line)")},
    });
}
