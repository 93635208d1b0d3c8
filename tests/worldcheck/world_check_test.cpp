// worldcheck's report on copies of the default world with one thing changed, checked in-process;
// its help and usage errors; and hostile worlds (a link, a pipe, /dev/zero, an enormous or
// unreadable file where a world file should be) through the command and the editor's loaders
// and savers, with a deadline: a pipe would block an open for ever.
#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <sstream>

#include <gtest/gtest.h>

#include "test_support.h"
#include "world/defdir.h"
#include "world_check.h"

namespace fs = std::filesystem;

namespace {
using Lines = std::vector<std::string>;

// Passes the lines of a file, split at line feeds, through edit and writes them back with lineEnd.
void editLines(const std::string& path, const std::function<void(Lines&)>& edit, const std::string& lineEnd = "\n") {
    Lines lines;
    std::istringstream in(readFile(path));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    edit(lines);
    std::string bytes;
    for (const std::string& line : lines) bytes += line + lineEnd;
    writeFile(path, bytes);
}

// A copy of the default world, which is generated once per test program.
struct FixtureWorld {
    TempDir dir;
    FixtureWorld() {
        static TempDir generated;
        if (!fileExists(generated / "data/map.dat")) makeDefaultWorld(generated.path);
        fs::copy(generated.path, dir.path, fs::copy_options::recursive);
    }
    std::string operator/(const std::string& relative) const { return dir / relative; }
    // Replaces the world's NPC or item files with these, numbered from 0.
    template <typename T>
    void setDefinitions(const std::string& subdir, const std::vector<T>& objects) const {
        fs::remove_all(dir / subdir);
        makeDirs(dir / subdir);
        for (size_t n = 0; n < objects.size(); ++n)
            writeFile(dir / (subdir + "/" + std::to_string(n) + ".def"), objects[n].serialize());
    }
    void setNpcs(const std::vector<Actor>& npcs) const { setDefinitions("data/npcdef", npcs); }
    void setItems(const std::vector<Item>& items) const { setDefinitions("data/idef", items); }
};

// What worldcheck prints for the world.
std::string checkOutput(const FixtureWorld& fixture) {
    CheckedWorld world;
    world.root = fixture.dir.path;
    Report report;
    checkArt(world, report);
    EXPECT_EQ(checkMap(world, report), "");
    checkDefinitions(world, report);
    CaptureOutput capture;
    report.print(stdout);
    return capture.out();
}

std::string oneProblem(const std::string& line) { return line + "\n1 problem in 1 file\n"; }

// A change to a fixture world, and a table of them with the whole reports they give, each
// change made to a fresh copy of the default world.
using Change = std::function<void(const FixtureWorld&)>;
struct ReportCase {
    const char* what;
    Change change;
    std::string out;
};
void expectReports(const std::vector<ReportCase>& cases) {
    for (const ReportCase& c : cases) {
        SCOPED_TRACE(c.what);
        FixtureWorld world;
        c.change(world);
        EXPECT_EQ(checkOutput(world), c.out);
    }
}

const char* const MAP = "data/map.dat";

Change mapLines(std::function<void(Lines&)> edit, const std::string& lineEnd = "\n") {
    return [=](const FixtureWorld& world) { editLines(world / MAP, edit, lineEnd); };
}
const std::string PAST_349 = " (expected 350); the editor ignores everything after x=349";
const std::string STOPS = " (expected 350); the editor stops reading the map here: every later row repeats this one, with tile 0 at x=0";
const std::string NO_IMAGE = " has no image in data/assets/tiles (drawn as the missing-image icon)";

// Lines (numbered from 1) replaced in a file, which then keeps keepLines lines if that is not 0.
using LineChanges = std::vector<std::pair<int, std::string>>;
void changeLines(const std::string& path, const LineChanges& changes, int keepLines = 0) {
    editLines(path, [&](Lines& lines) {
        for (const auto& [lineNo, text] : changes) lines.at(static_cast<size_t>(lineNo - 1)) = text;
        if (keepLines) lines.resize(static_cast<size_t>(keepLines), "0");
    });
}
// Two NPCs as the editor writes them, the second with lines replaced.
Change npcLines(const LineChanges& changes) {
    return [=](const FixtureWorld& world) {
        world.setNpcs({Actor(), Actor()});
        changeLines(world / "data/npcdef/1.def", changes);
    };
}
// Two items, the second of this type with lines replaced and then kept to keepLines.
Change itemLines(int type, const LineChanges& changes, int keepLines = 12) {
    return [=](const FixtureWorld& world) {
        Item item;
        item.type = type;
        item.range = 6;
        world.setItems({Item(), item});
        changeLines(world / "data/idef/1.def", changes, keepLines);
    };
}

enum { MAP_READ = 1, NPCS_READ = 2, ITEMS_READ = 4, SAVED = 8, ALL_DONE = 15 };

struct HostileCase {
    std::string what;
    std::vector<std::string> planted;  // left out of the "old files intact" check
    std::function<void(const std::string& world, const std::string& outside)> plant;
    int done;              // how the loaders and savers end: MAP_READ | ... | SAVED
    std::string loadErr;   // their whole standard error
    std::string checkOut;  // worldcheck's output, status and standard error
    int checkStatus = 1;
    std::string checkErr = "";
};

// When the tests run as root, an ordinary user (nobody) owns the worlds and runs the code under
// test, so that permissions hold.
const uid_t NOBODY = 65534;
bool root() { return geteuid() == 0; }

// Every regular file under dir (links not followed), but for the planted and temporary ones.
std::map<std::string, std::string> snapshot(const std::string& dir, const std::vector<std::string>& skip) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        std::string name = fs::relative(entry.path(), dir).string();
        if (fs::is_regular_file(entry.symlink_status()) && name.find(".tmp") == std::string::npos &&
            std::find(skip.begin(), skip.end(), name) == skip.end())
            files[name] = readFile(entry.path().string());
    }
    return files;
}

void pipeAt(const std::string& at) { removeFile(at), mkfifo(at.c_str(), 0644); }
void zeroAt(const std::string& at) { removeFile(at), fs::create_symlink("/dev/zero", at); }
void enormous(const std::string& at) { fs::resize_file(at, 0), fs::resize_file(at, 1ull << 30); }  // zeros

std::vector<HostileCase> hostileCases() {
    // Each load ends at the first number missing, with its warning.
    const std::string npcsEnd = "***WARNING*** Input file data/npcdef/1.def missing on actor serialization load\n"
                                "You can probably ignore this.\n",
                      itemsEnd = "***WARNING*** file data/idef/1.def not found. You can probably ignore this\n";
    std::string allNegative;  // an all-zero map: every cell
    for (int y = 0; y < 350; ++y)
        for (int x = 0; x < 350; ++x) allNegative += "negative tile at " + std::to_string(x) + "," + std::to_string(y) + "\n";
    std::vector<HostileCase> cases = {
        {"links and a directory in place of the temporaries", {},
         [](const std::string& w, const std::string& o) {
             fs::create_symlink(o + "/notes.txt", w + "/data/map.dat.tmp");
             fs::create_symlink(o + "/notes.txt", w + "/data/npcdef/0.def.tmp");
             makeDirs(w + "/data/idef/0.def.tmp/kept");
         }, ALL_DONE, npcsEnd + itemsEnd, "0 problems\n", 0},
        {"an enormous map", {"data/map.dat"}, [](const std::string& w, const std::string&) { enormous(w + "/data/map.dat"); },
         ALL_DONE, allNegative + npcsEnd + itemsEnd,
         "data/map.dat: is larger than 1048576 bytes; the editor reads only the first 123200 and this check only the "
         "first 1048576\ndata/map.dat: has 1 line (expected 350); the missing rows repeat the last line read, with tile "
         "0 at x=0\ndata/map.dat:1: line 1 has 1048576 characters (expected 350); the editor stops reading the map "
         "here: every later row repeats this one, with tile 0 at x=0\ndata/map.dat:1: byte 0x00 at x=0 reads as tile "
         "-65; the editor stores tile 0 there (350 such cells on this line)\n4 problems in 1 file\n"},
        {"a file as the NPC directory", {"data/npcdef"},
         [](const std::string& w, const std::string&) { fs::remove_all(w + "/data/npcdef"), writeFile(w + "/data/npcdef", "x"); },
         MAP_READ | ITEMS_READ | SAVED, "***WARNING*** could not read data/npcdef/0.def: Not a directory\n" + itemsEnd,
         "data/npcdef: is not a directory; the editor can neither load nor save NPCs\n1 problem in 1 file\n"},
        {"an NPC directory that cannot be written", {},
         [](const std::string& w, const std::string&) { chmod((w + "/data/npcdef").c_str(), 0555); },
         MAP_READ | NPCS_READ | ITEMS_READ,
         npcsEnd + itemsEnd + "***WARNING*** could not write data/npcdef/0.def: Permission denied\n",
         "data/npcdef: cannot be written by this user (Permission denied); the editor cannot save NPCs there\n"
         "1 problem in 1 file\n"},
    };
    // Each of these as the map, an NPC file and an item file.
    const std::pair<std::string, void (*)(const std::string&)> kinds[] = {
        {"a named pipe, not a regular file", pipeAt},
        {"a device, not a regular file", zeroAt},
        {"Permission denied", [](const std::string& at) { chmod(at.c_str(), 0); }},
    };
    for (const auto& [reason, plant] : kinds) {
        auto at = [plant = plant](const std::string& path) {
            return [=](const std::string& w, const std::string&) { plant(w + "/" + path); };
        };
        auto def = [&](const std::string& path, const char* what) {
            return path + ": cannot be read (" + reason + "), so the editor stops loading " + what + " here\n1 problem in 1 file\n";
        };
        cases.push_back({reason + " as the map", {"data/map.dat"}, at("data/map.dat"), ALL_DONE & ~MAP_READ,
                         "map file data/map.dat cannot be read: " + reason + "\n" + npcsEnd + itemsEnd,
                         "data/map.dat: " + reason + " (the editor will not start without a map file)\n1 problem in 1 file\n"});
        if (reason == "Permission denied")  // another user may read it: the check stops
            cases.back().checkOut = "", cases.back().checkStatus = 2,
            cases.back().checkErr = "worldcheck: cannot read ./data/map.dat: Permission denied\n";
        cases.push_back({reason + " as an NPC file", {"data/npcdef/0.def"}, at("data/npcdef/0.def"), ALL_DONE & ~NPCS_READ,
                         "***WARNING*** could not read data/npcdef/0.def: " + reason + "\n" + itemsEnd,
                         def("data/npcdef/0.def", "NPCs")});
        cases.push_back({reason + " as an item file", {"data/idef/0.def"}, at("data/idef/0.def"), ALL_DONE & ~ITEMS_READ,
                         npcsEnd + "***WARNING*** could not read data/idef/0.def: " + reason + "\n",
                         def("data/idef/0.def", "items")});
    }
    return cases;
}

// Loads as the load command does, then saves what was read; returns the done bits.
int loadAndSave(const std::string& data) {
    auto world = std::make_unique<World>();
    Messages said;
    bool mapRead = world->map.loadMap(data, said);
    int ownedNpcs = loadActorFiles(data, world->npcs, said), ownedItems = loadItemFiles(data, world->items, said);
    bool npcsRead = ownedNpcs > 0, itemsRead = ownedItems > 0;
    bool saved = !mapRead || world->map.saveMap(data, said);
    saved = (!npcsRead || saveActorFiles(data, world->npcs, ownedNpcs, true, said)) && saved;
    saved = (!itemsRead || saveItemFiles(data, world->items, ownedItems, true, said)) && saved;
    fputs(said.errText().c_str(), stderr);
    return (mapRead ? MAP_READ : 0) | (npcsRead ? NPCS_READ : 0) | (itemsRead ? ITEMS_READ : 0) | (saved ? SAVED : 0);
}
}  // namespace

TEST(WorldCheckArt, MissingFilesAndTheImagesAfterAGap) {
    std::vector<ReportCase> cases;
    for (const char* path : {"data/assets/sprites/3/2-1.png", "data/assets/sprites/8/3-2.png", "data/assets/icns/10.png",
                             "data/assets/icns/28.png", "edfont.ttf", "data/map.dat"})
        cases.push_back({path, [=](const FixtureWorld& w) { removeFile(w / path); },
                         oneProblem(std::string(path) + ": missing (the editor will not start without it)")});
    // Tile 0 but for one cell, so that nothing else depends on the missing images; the images
    // after a gap are never loaded.
    cases.push_back({"gaps in the tiles and the item icons",
                     [](const FixtureWorld& w) {
                         mapLines([](Lines& lines) { lines.assign(350, std::string(350, 'A')), lines[1][0] = 'B'; })(w);
                         Item item;
                         item.icon = 1;
                         w.setItems({item});
                         removeFile(w / "data/assets/tiles/1.png");
                         removeFile(w / "data/assets/items/1.png");
                     },
                     "data/assets/items: files after the gap at 1.png are never loaded: 2.png, 3.png, 4.png, 5.png, "
                     "6.png and 5 more\ndata/assets/tiles: files after the gap at 1.png are never loaded: 2.png, "
                     "3.png, 4.png, 5.png, 6.png and 40 more\n"
                     "data/idef/0.def:11: icon 1 has no picture in data/assets/items (drawn as the missing-image icon)\n"
                     "data/map.dat:2: tile 1 ('B') at x=0 has no image in data/assets/tiles (drawn as the missing-image "
                     "icon)\n4 problems in 4 files\n"});
    // A file the editor's image loader refuses or cannot decode counts as the editor counts it:
    // not there. A picture whose header claims 12000x12000 pixels is never decoded.
    cases.push_back({"pictures that are no pictures, or too large to decode",
                     [](const FixtureWorld& w) {
                         mapLines([](Lines& lines) { lines.assign(350, std::string(350, 'A')); })(w);
                         writeFile(w / "data/assets/tiles/1.png", pngHeader(12000, 12000));
                         writeFile(w / "data/assets/icns/3.png", "");
                         writeFile(w / "data/assets/sprites/0/0-0.png", pngHeader(48, 48));
                     },
                     "data/assets/icns/3.png: not a PNG picture (the editor will not start without it)\n"
                     "data/assets/sprites/0/0-0.png: not a picture the editor can load (the editor will not start "
                     "without it)\ndata/assets/tiles/1.png: cannot be read (12000x12000 pixels, over the 1024x1024 "
                     "the editor loads), so the editor stops loading tile images here; never loaded: 2.png, 3.png, "
                     "4.png, 5.png, 6.png and 40 more\n3 problems in 3 files\n"});
    expectReports(cases);
}

TEST(WorldCheckMap, EachWayAMapLineIsMisread) {
    expectReports({
        {"written on Windows", mapLines([](auto&) {}, "\r\n"), "0 problems\n"},
        {"no line feed at the end",
         [](const FixtureWorld& w) { writeFile(w / MAP, readFile(w / MAP).substr(0, 350 * 351 - 1)); }, "0 problems\n"},
        {"300 characters", mapLines([](auto& lines) { lines[11].resize(300); }),
         oneProblem("data/map.dat:12: line 12 has 300 characters (expected 350); x=300 to x=349 read as tile 0 or "
                    "repeat what earlier lines held there")},
        {"351 characters", mapLines([](auto& lines) { lines[11] += "A"; }), oneProblem("data/map.dat:12: line 12 has 351 characters" + PAST_349)},
        // The reader never reaches the second: only the first is said.
        {"two lines too long, the first with 400 characters",
         mapLines([](auto& lines) { lines[11] += std::string(50, 'A'), lines[19] += "AA"; }),
         oneProblem("data/map.dat:12: line 12 has 400 characters" + STOPS)},
        // After the last row there is nothing left to spoil.
        {"the last line too long", mapLines([](auto& lines) { lines[349] += std::string(50, 'A'); }),
         oneProblem("data/map.dat:350: line 350 has 400 characters" + PAST_349)},
        // 351 characters and a CR: one too many for the reader's buffer, so it stops.
        {"351 characters and a CR", mapLines([](auto& lines) { lines[11] += "A\r"; }),
         oneProblem("data/map.dat:12: line 12 has 351 characters" + STOPS)},
        {"349 lines", mapLines([](auto& lines) { lines.pop_back(); }),
         oneProblem("data/map.dat: has 349 lines (expected 350); the missing rows repeat the last line read, with tile 0 "
                    "at x=0")},
        {"351 lines", mapLines([](auto& lines) { lines.push_back(lines.back()); }),
         oneProblem("data/map.dat:351: has 351 lines (expected 350); the editor ignores this line and the ones after it")},
        {"empty", [](const FixtureWorld& w) { writeFile(w / MAP, ""); },
         oneProblem("data/map.dat: is empty; every cell reads as tile 0")},
        {"negative tiles", mapLines([](auto& lines) { lines[4][7] = lines[4][9] = '@'; }),
         oneProblem("data/map.dat:5: character '@' at x=7 reads as tile -1; the editor stores tile 0 there (2 such cells "
                    "on this line)")},
        {"a byte over 127", mapLines([](auto& lines) { lines[4][0] = '\x80'; }),
         oneProblem("data/map.dat:5: byte 0x80 at x=0 reads as tile -193; the editor stores tile 0 there")},
        // The default art has tiles 0..46 ('A' to 'o').
        {"tiles 47 and 62", mapLines([](auto& lines) { lines[4][349] = '\x7f', lines[4][348] = 'p'; }),
         oneProblem("data/map.dat:5: tile 47 ('p') at x=348" + NO_IMAGE + " (2 such cells on this line)")},
    });
}

TEST(WorldCheckDefinitions, LinesTheEditorMisreadsAndFilesItNeverReaches) {
    const std::string CLEAN = "0 problems\n";
    const int PLAIN = 0;
    expectReports({
        // A plain integer at the end of the range, flags other than 0 and 1, and any text on
        // string lines read as written. Misread numbers, sprite 9, direction 4 and a short file
        // are in the report order test below, a long one among the items.
        {"lines read as written",
         npcLines({{9, "2147483647"}, {13, "7"}, {14, "12abc"}, {16, std::string(400, 'n')}, {18, "8"}}), CLEAN},
        // Written on Windows: CR LF line ends are what the reader expects there.
        {"CR LF", [](const FixtureWorld& w) { editLines(w / "data/npcdef/0.def", [](Lines&) {}, "\r\n"); }, CLEAN},
        // The range line is read only for a ranged weapon.
        {"11 lines", itemLines(PLAIN, {}, 11), CLEAN},
        {"11 lines, ranged", itemLines(ITEM_TYPE_RANGED, {}, 11),
         oneProblem("data/idef/1.def: has 11 lines (expected 12); this ranged weapon (type 8) has no range line and gets range 0")},
        {"13 lines", itemLines(PLAIN, {}, 13),
         oneProblem("data/idef/1.def:13: has 13 lines (expected 12); the editor ignores line 13 and the ones after it")},
        {"removed, icon 999", itemLines(ITEM_TYPE_REMOVED, {{11, "999"}}), CLEAN},  // never drawn
        {"range zz", itemLines(PLAIN, {{12, "zz"}}), CLEAN},                        // never read
        {"a gap",
         [](const FixtureWorld& w) {
             std::vector<Actor> npcs(9);
             npcs[2].sprite = 99;  // never loaded, so never checked
             w.setNpcs(npcs);
             removeFile(w / "data/npcdef/1.def");
         },
         oneProblem("data/npcdef: files after the gap at 1.def are never loaded: 2.def, 3.def, 4.def, 5.def, 6.def and 2 "
                    "more")},
        {"no 0.def, and a name the loader never forms",
         [](const FixtureWorld& w) {
             w.setItems({Item(), Item()});
             removeFile(w / "data/idef/0.def");
             writeFile(w / "data/npcdef/01.def", Actor().serialize());
         },
         "data/idef: there is no 0.def, so none of its files is loaded: 1.def\n"
         "data/npcdef/01.def: never loaded (the editor looks only for 0.def, 1.def, 2.def, ...)\n"
         "2 problems in 2 files\n"},
        {"an empty directory and none",
         [](const FixtureWorld& w) {
             w.setNpcs({});
             fs::remove_all(w / "data/idef");
         },
         "0 problems\n"},
        {"a file that cannot be read",
         [](const FixtureWorld& w) {
             w.setItems({Item()});
             makeDirs(w / "data/idef/1.def");
             writeFile(w / "data/idef/2.def", Item().serialize());
         },
         oneProblem("data/idef/1.def: cannot be read (a directory, not a regular file), so the editor stops loading "
                    "items here; never loaded: 2.def")},
    });
}

TEST(WorldCheckReport, ProblemsAreSortedByPathThenLineAndCounted) {
    FixtureWorld world;
    std::vector<Actor> npcs(11);
    npcs[2].direction = 4;
    npcs[10].sprite = 9;
    world.setNpcs(npcs);
    changeLines(world / "data/npcdef/1.def", {{16, std::string(401, 'n')}});
    changeLines(world / "data/npcdef/10.def", {{1, "x"}, {3, ""}, {10, "-2147483649"}, {13, "1\t"}}, 19);
    Item item;
    item.owner = -1;
    world.setItems({item});
    changeLines(world / MAP, {{3, std::string(349, 'A')}});
    EXPECT_EQ(checkOutput(world),
                 "data/idef/0.def:4: owner -1 is negative (read as 1)\n"
                 "data/map.dat:3: line 3 has 349 characters (expected 350); x=349 reads as tile 0\n"
                 "data/npcdef/1.def:16: line is 401 characters long; the editor reads only 400 and everything after it is lost\n"
                 "data/npcdef/2.def:19: direction 4 is outside 0..3 (drawn as the missing-image icon)\n"
                 "data/npcdef/10.def: has 19 lines (expected 20); the missing values read as 0 or empty\n"
                 "data/npcdef/10.def:1: a number line holds \"x\" (read as 0)\n"
                 "data/npcdef/10.def:3: a number line is empty (read as 0)\n"
                 "data/npcdef/10.def:10: a number line holds \"-2147483649\", outside the int range (read as -2147483648)\n"
                 "data/npcdef/10.def:13: a number line holds \"1\\x09\" (read as 1)\n"
                 "data/npcdef/10.def:18: sprite 9 is outside 0..8 (drawn as the missing-image icon)\n"
                 "10 problems in 5 files\n");
}

TEST(WorldCheckCommand, HelpAndUsageErrors) {
    ProcessResult help = runProcess({WORLDCHECK_BINARY, "--help"}, "", {}, 30000);
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: worldcheck [DIRECTORY]\n", 0), 0u);

    // Statuses 0 and 1, for a clean and a faulty world, are the hostile worlds' below.
    TempDir empty;
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{WORLDCHECK_BINARY, empty / "nowhere"}, "no such directory: " + empty / "nowhere"},
        {{WORLDCHECK_BINARY, empty.path},
         empty.path + " has no data directory; run worldcheck in a world's directory or give one"},
        {{WORLDCHECK_BINARY, "--verbose"}, "unknown option --verbose (see worldcheck --help)"},
        {{WORLDCHECK_BINARY, empty.path, empty.path}, "give one world directory at most (see worldcheck --help)"},
    };
    for (const auto& [argv, err] : cases) {
        ProcessResult result = runProcess(argv, "", {}, 30000);
        EXPECT_EQ(result.status, 2) << err;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "worldcheck: " + err + "\n");
    }
}

// A world of one NPC and one item with the case planted, and outside it a file that planted links
// point to. worldcheck runs first (it writes nothing), then the loaders and savers in a child process,
// both in the world's directory as the editor runs.
TEST(HostileWorlds, WorldcheckAndTheLoadersNeitherFollowHangNorCrash) {
    for (const HostileCase& c : hostileCases()) {
        SCOPED_TRACE(c.what);
        FixtureWorld fixture;
        fixture.setNpcs({Actor()}), fixture.setItems({Item()});
        const TempDir& world = fixture.dir;
        TempDir outside;
        writeFile(outside / "notes.txt", "my notes\n");
        if (root()) {
            chmod(world.path.c_str(), 0755), chmod(outside.path.c_str(), 0755);
            runProcess({"chown", "-R", "65534:65534", world.path, outside.path}, "", {}, 10000);
        }
        c.plant(world.path, outside.path);
        const auto before = snapshot(world.path, c.planted);

        std::vector<std::string> check = {WORLDCHECK_BINARY};
        if (root()) check.insert(check.begin(), {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
        ProcessResult result = runProcess(check, world.path, {}, 10000);
        ASSERT_FALSE(result.timedOut) << "worldcheck hangs";
        EXPECT_EQ(result.status, c.checkStatus) << result.err;
        EXPECT_EQ(result.out, c.checkOut);
        EXPECT_EQ(result.err, c.checkErr);

        TempDir logs;
        fflush(nullptr);
        pid_t pid = fork();
        if (pid == 0) {
            dup2(open("/dev/null", O_WRONLY), 1);
            dup2(open((logs / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
            if (chdir(world.path.c_str()) != 0 || (root() && (setgroups(0, nullptr) != 0 ||
                                                       setresgid(NOBODY, NOBODY, NOBODY) != 0 ||
                                                       setresuid(NOBODY, NOBODY, NOBODY) != 0)))
                _exit(125);
            _exit(loadAndSave("data"));
        }
        int status = 0;
        bool ended = waitUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, 10000);
        if (!ended) kill(pid, SIGKILL), waitpid(pid, &status, 0);
        ASSERT_TRUE(ended) << "the loaders hang";
        ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
        EXPECT_EQ(WEXITSTATUS(status), c.done);
        EXPECT_TRUE(readFile(logs / "err") == c.loadErr) << readFile(logs / "err").substr(0, 999);

        EXPECT_EQ(readFile(outside / "notes.txt"), "my notes\n");
        EXPECT_EQ(std::distance(fs::directory_iterator(outside.path), fs::directory_iterator()), 1);
        EXPECT_TRUE(snapshot(world.path, c.planted) == before) << "an old file of the world changed";
    }
}
