#include "hostile_worlds.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {
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

const std::string& baseWorld() {
    static TempDir base;
    if (fileExists(base / "data/map.dat")) return base.path;
    makeDefaultWorld(base.path);
    for (const std::string dir : {"data/npcdef/", "data/idef/"})
        for (int n = 1; fileExists(base / (dir + std::to_string(n) + ".def")); ++n)
            removeFile(base / (dir + std::to_string(n) + ".def"));
    return base.path;
}

void pipeAt(const std::string& at) { removeFile(at), mkfifo(at.c_str(), 0644); }
void zeroAt(const std::string& at) { removeFile(at), fs::create_symlink("/dev/zero", at); }
void enormous(const std::string& at) { fs::resize_file(at, 0), fs::resize_file(at, 1ull << 30); }  // zeros
}  // namespace

std::vector<HostileCase> hostileCases() {
    // Each load ends at the first number missing, with its warning.
    const std::string npcsEnd = "***WARNING*** Input file {data}/npcdef/1.def missing on actor serialization load\n"
                                "You can probably ignore this.\n",
                      itemsEnd = "***WARNING*** file {data}/idef/1.def not found. You can probably ignore this\n";
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
         MAP_READ | ITEMS_READ | SAVED, "***WARNING*** could not read {data}/npcdef/0.def: Not a directory\n" + itemsEnd,
         "data/npcdef: is not a directory; the editor can neither load nor save NPCs\n1 problem in 1 file\n"},
        {"an NPC directory that cannot be written", {},
         [](const std::string& w, const std::string&) { chmod((w + "/data/npcdef").c_str(), 0555); },
         MAP_READ | NPCS_READ | ITEMS_READ,
         npcsEnd + itemsEnd + "***WARNING*** could not write {data}/npcdef/0.def: Permission denied\n",
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
                         "map file {data}/map.dat cannot be read: " + reason + "\n" + npcsEnd + itemsEnd,
                         "data/map.dat: " + reason + " (the editor will not start without a map file)\n1 problem in 1 file\n"});
        if (reason == "Permission denied")  // another user may read it: the check stops
            cases.back().checkOut = "", cases.back().checkStatus = 2,
            cases.back().checkErr = "worldcheck: cannot read {world}/data/map.dat: Permission denied\n";
        cases.push_back({reason + " as an NPC file", {"data/npcdef/0.def"}, at("data/npcdef/0.def"), ALL_DONE & ~NPCS_READ,
                         "***WARNING*** could not read {data}/npcdef/0.def: " + reason + "\n" + itemsEnd,
                         def("data/npcdef/0.def", "NPCs")});
        cases.push_back({reason + " as an item file", {"data/idef/0.def"}, at("data/idef/0.def"), ALL_DONE & ~ITEMS_READ,
                         npcsEnd + "***WARNING*** could not read {data}/idef/0.def: " + reason + "\n",
                         def("data/idef/0.def", "items")});
    }
    return cases;
}

HostileWorld::HostileWorld(const HostileCase& c) {
    fs::copy(baseWorld(), world.path, fs::copy_options::recursive);
    writeFile(outside / "notes.txt", "my notes\n");
    for (const TempDir* dir : {&world, &outside}) {
        if (!root()) break;
        chmod(dir->path.c_str(), 0755);
        lchown(dir->path.c_str(), NOBODY, NOBODY);
        for (const auto& entry : fs::recursive_directory_iterator(dir->path)) lchown(entry.path().c_str(), NOBODY, NOBODY);
    }
    c.plant(world.path, outside.path);
    before = snapshot(world.path, c.planted);
}

std::string HostileWorld::expand(std::string text) const {
    for (const auto& [key, value] : {std::pair<std::string, std::string>{"{data}", world / "data"}, {"{world}", world.path}})
        for (size_t at; (at = text.find(key)) != std::string::npos;) text.replace(at, key.size(), value);
    return text;
}

void HostileWorld::expectIntact(const HostileCase& c) const {
    EXPECT_EQ(readFile(outside / "notes.txt"), "my notes\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(outside.path), fs::directory_iterator()), 1);
    EXPECT_TRUE(snapshot(world.path, c.planted) == before) << "an old file of the world changed";
}

void becomeWorldUser() {
    if (root() && (setgroups(0, nullptr) != 0 || setresgid(NOBODY, NOBODY, NOBODY) != 0 ||
                   setresuid(NOBODY, NOBODY, NOBODY) != 0))
        _exit(125);
}

std::vector<std::string> asWorldUser(std::vector<std::string> argv) {
    if (root()) argv.insert(argv.begin(), {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
    return argv;
}
