// The checker on the map file: the default world is clean, and each way a map line can be
// misread gives its own line.
#include <gtest/gtest.h>

#include "check_world.h"

namespace {
const char* const MAP = "data/map.dat";

// Runs the check after changing one line of the default map.
ProcessResult checkWithMapLine(int lineNo, const std::string& text) {
    FixtureWorld world;
    world.replaceLine(MAP, lineNo, text);
    return runCheck(world);
}

std::string lineOf(const std::string& text, int lineNo) {
    return splitAtLineFeeds(text).at(static_cast<size_t>(lineNo - 1));
}
}  // namespace

TEST(WorldCheckMap, DefaultWorldIsClean) {
    FixtureWorld world;
    ProcessResult given = runCheck(world);
    EXPECT_EQ(given.status, 0);
    EXPECT_EQ(given.out, "0 problems\n");
    EXPECT_EQ(given.err, "");

    // Run in the world's directory without an argument, as the editor itself runs.
    ProcessResult here = runCheck({}, world.dir.path);
    EXPECT_EQ(here.status, 0);
    EXPECT_EQ(here.out, "0 problems\n");
}

TEST(WorldCheckMap, LineEndsWrittenOnWindowsOrMissingAtTheEndAreFine) {
    FixtureWorld world;
    std::string lf = readFile(world / MAP), crlf;
    for (const std::string& line : splitAtLineFeeds(lf)) crlf += line + "\r\n";
    writeFile(world / MAP, crlf);
    ProcessResult windows = runCheck(world);
    EXPECT_EQ(windows.status, 0);
    EXPECT_EQ(windows.out, "0 problems\n");

    writeFile(world / MAP, lf.substr(0, lf.size() - 1));
    ProcessResult unended = runCheck(world);
    EXPECT_EQ(unended.status, 0);
    EXPECT_EQ(unended.out, "0 problems\n");
}

TEST(WorldCheckMap, LinesOfTheWrongLengthSayWhatTheReaderMakesOfThem) {
    FixtureWorld original;
    std::string line12 = lineOf(readFile(original / MAP), 12);
    std::string line350 = lineOf(readFile(original / MAP), 350);
    struct Case {
        int lineNo;
        std::string text;
        std::string expected;
    };
    const Case cases[] = {
        {12, line12.substr(0, 349),
         "data/map.dat:12: line 12 has 349 characters (expected 350); x=349 reads as tile 0"},
        {12, line12.substr(0, 300),
         "data/map.dat:12: line 12 has 300 characters (expected 350); x=300 to x=349 read as tile 0 or repeat what "
         "earlier lines held there"},
        {12, line12 + "A",
         "data/map.dat:12: line 12 has 351 characters (expected 350); the editor ignores everything after x=349"},
        {12, line12 + std::string(50, 'A'),
         "data/map.dat:12: line 12 has 400 characters (expected 350); the editor stops reading the map here: every "
         "later row repeats this one, with tile 0 at x=0"},
        // After the last row there is nothing left to spoil.
        {350, line350 + std::string(50, 'A'),
         "data/map.dat:350: line 350 has 400 characters (expected 350); the editor ignores everything after x=349"},
        // 351 characters and a CR: one too many for the reader's buffer, so it stops.
        {12, line12 + "A\r",
         "data/map.dat:12: line 12 has 351 characters (expected 350); the editor stops reading the map here: every "
         "later row repeats this one, with tile 0 at x=0"},
    };
    for (const Case& c : cases) {
        ProcessResult result = checkWithMapLine(c.lineNo, c.text);
        EXPECT_EQ(result.status, 1) << c.expected;
        EXPECT_EQ(result.out, oneProblem(c.expected));
    }
}

TEST(WorldCheckMap, TooFewTooManyOrNoLines) {
    FixtureWorld world;
    std::vector<std::string> lines = splitAtLineFeeds(readFile(world / MAP));

    writeFile(world / MAP, joinLines(std::vector<std::string>(lines.begin(), lines.end() - 1)));
    ProcessResult fewer = runCheck(world);
    EXPECT_EQ(fewer.status, 1);
    EXPECT_EQ(fewer.out, oneProblem("data/map.dat: has 349 lines (expected 350); the missing rows repeat the last "
                                    "line read, with tile 0 at x=0"));

    lines.push_back(lines.back());
    writeFile(world / MAP, joinLines(lines));
    ProcessResult more = runCheck(world);
    EXPECT_EQ(more.status, 1);
    EXPECT_EQ(more.out, oneProblem("data/map.dat:351: has 351 lines (expected 350); the editor ignores this line "
                                   "and the ones after it"));

    writeFile(world / MAP, "");
    ProcessResult empty = runCheck(world);
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.out, oneProblem("data/map.dat: is empty; every cell reads as tile 0"));
}

TEST(WorldCheckMap, MissingMapIsAProblemOfTheWorld) {
    FixtureWorld world;
    removeFile(world / MAP);
    ProcessResult result = runCheck(world);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, oneProblem("data/map.dat: missing (the editor will not start without it)"));
}

TEST(WorldCheckMap, CellsThatReadAsNegativeTilesOrTilesWithoutImage) {
    FixtureWorld original;
    std::string line = lineOf(readFile(original / MAP), 5);
    struct Case {
        std::vector<std::pair<size_t, char>> cells;
        std::string expected;
    };
    const Case cases[] = {
        {{{7, '@'}, {9, '@'}},
         "data/map.dat:5: character '@' at x=7 reads as tile -1; the editor stores tile 0 there (2 such cells on this "
         "line)"},
        {{{0, '\x80'}}, "data/map.dat:5: byte 0x80 at x=0 reads as tile -193; the editor stores tile 0 there"},
        {{{0, ' '}}, "data/map.dat:5: character ' ' at x=0 reads as tile -33; the editor stores tile 0 there"},
        // The default art has tiles 0..46 ('A' to 'o'); 's' is tile 50.
        {{{3, 's'}},
         "data/map.dat:5: tile 50 ('s') at x=3 has no image in data/assets/tiles (drawn as the missing-image icon)"},
        {{{349, '\x7f'}, {348, 'p'}},
         "data/map.dat:5: tile 47 ('p') at x=348 has no image in data/assets/tiles (drawn as the missing-image icon) "
         "(2 such cells on this line)"},
    };
    for (const Case& c : cases) {
        std::string changed = line;
        for (const auto& cell : c.cells) changed[cell.first] = cell.second;
        ProcessResult result = checkWithMapLine(5, changed);
        EXPECT_EQ(result.status, 1) << c.expected;
        EXPECT_EQ(result.out, oneProblem(c.expected));
    }
}
