#include "hostile_worlds.h"

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {
const uid_t NOBODY = 65534;
bool root() { return geteuid() == 0; }

// Every regular file under dir, not following links, but for the planted and temporary ones.
std::map<std::string, std::string> snapshot(const std::string& dir, const std::vector<std::string>& skip) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        std::string relative = fs::relative(entry.path(), dir).string();
        bool skipped = relative.find(".tmp") != std::string::npos;
        for (const std::string& s : skip) skipped = skipped || relative == s;
        if (!skipped && fs::is_regular_file(entry.symlink_status())) files[relative] = readFile(entry.path().string());
    }
    return files;
}

const std::string& baseWorld() {
    static TempDir base;
    if (!fileExists(base / "data/map.dat")) {
        makeDefaultWorld(base.path);
        for (const char* dir : {"data/npcdef", "data/idef"})
            for (int n = 1; fileExists(base / (std::string(dir) + "/" + std::to_string(n) + ".def")); ++n)
                removeFile(base / (std::string(dir) + "/" + std::to_string(n) + ".def"));
    }
    return base.path;
}

void link(const std::string& target, const std::string& at) { fs::create_symlink(target, at); }
void pipeAt(const std::string& at) { removeFile(at), mkfifo(at.c_str(), 0644); }
void sparse(const std::string& at) { fs::resize_file(at, 0), fs::resize_file(at, 1ull << 30); }  // all zeros

std::string allNegative() {
    std::string err;
    for (int y = 0; y < 350; ++y)
        for (int x = 0; x < 350; ++x) err += "negative tile at " + std::to_string(x) + "," + std::to_string(y) + "\n";
    return err;
}
}  // namespace

std::vector<HostileCase> hostileCases() {
    // Each load ends at the first number missing, with its warning.
    const std::string npcsEnd = "***WARNING*** Input file {data}/npcdef/1.def missing on actor serialization load\n"
                                "You can probably ignore this.\n",
                      itemsEnd = "***WARNING*** file {data}/idef/1.def not found. You can probably ignore this\n",
                      bothEnds = npcsEnd + itemsEnd;
    std::vector<HostileCase> cases = {
        {"links and a directory in place of the temporaries", {},
         [](const std::string& w, const std::string& o) {
             link(o + "/notes.txt", w + "/data/map.dat.tmp");
             link(o + "/notes.txt", w + "/data/npcdef/0.def.tmp");
             makeDirs(w + "/data/idef/0.def.tmp/kept");
         }, ALL_DONE, bothEnds, "0 problems\n", 0},
        {"an enormous map", {"data/map.dat"}, [](const std::string& w, const std::string&) { sparse(w + "/data/map.dat"); },
         ALL_DONE, allNegative() + bothEnds,
         "data/map.dat: is larger than 1048576 bytes; the editor reads only the first 123200 and this check only the "
         "first 1048576\n"
         "data/map.dat: has 1 line (expected 350); the missing rows repeat the last line read, with tile 0 at x=0\n"
         "data/map.dat:1: line 1 has 1048576 characters (expected 350); the editor stops reading the map here: every "
         "later row repeats this one, with tile 0 at x=0\n"
         "data/map.dat:1: byte 0x00 at x=0 reads as tile -65; the editor stores tile 0 there (350 such cells on this "
         "line)\n4 problems in 1 file\n"},
        {"an enormous NPC file", {"data/npcdef/0.def"},
         [](const std::string& w, const std::string&) { sparse(w + "/data/npcdef/0.def"); }, ALL_DONE, bothEnds,
         "data/npcdef/0.def: is larger than 1048576 bytes; the editor reads only the first 8040 and this check only "
         "the first 1048576\n"
         "data/npcdef/0.def: has 1 line (expected 20); the missing values read as 0 or empty\n"
         "data/npcdef/0.def:1: line is 1048576 characters long; the editor reads only 400 and everything after it is "
         "lost\n3 problems in 1 file\n"},
        {"a file as the NPC directory", {"data/npcdef"},
         [](const std::string& w, const std::string&) {
             fs::remove_all(w + "/data/npcdef");
             writeFile(w + "/data/npcdef", "x");
         }, MAP_READ | ITEMS_READ | SAVED,
         "***WARNING*** could not read {data}/npcdef/0.def: Not a directory\n" + itemsEnd,
         "data/npcdef: is not a directory; the editor can neither load nor save NPCs\n1 problem in 1 file\n"},
        {"an NPC directory that cannot be written", {},
         [](const std::string& w, const std::string&) { chmod((w + "/data/npcdef").c_str(), 0555); },
         MAP_READ | NPCS_READ | ITEMS_READ,
         bothEnds + "***WARNING*** could not write {data}/npcdef/0.def: Permission denied\n",
         "data/npcdef: cannot be written by this user (Permission denied); the editor cannot save NPCs there\n1 "
         "problem in 1 file\n"},
    };
    // Each of these in each role: the map, an NPC file, an item file.
    const struct {
        const char* what;
        std::string reason;
        void (*plant)(const std::string& at);
    } kinds[] = {
        {"a pipe", "a named pipe, not a regular file", pipeAt},
        {"/dev/zero", "a device, not a regular file", [](const std::string& at) { removeFile(at), link("/dev/zero", at); }},
        {"an unreadable file", "Permission denied", [](const std::string& at) { chmod(at.c_str(), 0); }},
    };
    const struct {
        std::string path;
        int bit;
        std::string loadErr, checkOut;
    } roles[] = {
        {"data/map.dat", MAP_READ, "map file {data}/map.dat cannot be read: ", " (the editor will not start without a map file)"},
        {"data/npcdef/0.def", NPCS_READ, "***WARNING*** could not read {data}/npcdef/0.def: ", "NPCs"},
        {"data/idef/0.def", ITEMS_READ, "***WARNING*** could not read {data}/idef/0.def: ", "items"},
    };
    for (const auto& kind : kinds)
        for (const auto& role : roles) {
            HostileCase c{std::string(kind.what) + " as " + role.path, {role.path},
                          [plant = kind.plant, path = role.path](const std::string& w, const std::string&) {
                              plant(w + "/" + path);
                          },
                          ALL_DONE & ~role.bit, role.loadErr + kind.reason + "\n", ""};
            if (role.bit == MAP_READ) c.loadErr += bothEnds;
            if (role.bit == NPCS_READ) c.loadErr += itemsEnd;
            if (role.bit == ITEMS_READ) c.loadErr = npcsEnd + c.loadErr;
            if (role.bit == MAP_READ)
                c.checkOut = role.path + ": " + kind.reason + role.checkOut;
            else
                c.checkOut = role.path + ": cannot be read (" + kind.reason + "), so the editor stops loading " +
                             role.checkOut + " here";
            c.checkOut += "\n1 problem in 1 file\n";
            // A map this user may not read stops the check: another user may well read it.
            if (role.bit == MAP_READ && kind.reason == "Permission denied") {
                c.checkOut = "";
                c.checkStatus = 2;
                c.checkErr = "worldcheck: cannot read {world}/data/map.dat: Permission denied\n";
            }
            cases.push_back(c);
        }
    // Start-up files: worldcheck only (the editor's start-up is tested on the dummy driver).
    cases.push_back({"a pipe as the font", {"edfont.ttf"}, [](const std::string& w, const std::string&) {
                         pipeAt(w + "/edfont.ttf");
                     }, ALL_DONE, bothEnds, "edfont.ttf: cannot be read (the editor will not start without it)\n1 problem in 1 file\n"});
    return cases;
}

HostileWorld::HostileWorld(const HostileCase& c) {
    fs::copy(baseWorld(), world.path, fs::copy_options::recursive);
    writeFile(outside / "notes.txt", "my notes\n");
    if (root()) {
        for (const TempDir* dir : {&world, &outside}) {
            chmod(dir->path.c_str(), 0755);
            for (const auto& entry : fs::recursive_directory_iterator(dir->path)) lchown(entry.path().c_str(), NOBODY, NOBODY);
            lchown(dir->path.c_str(), NOBODY, NOBODY);
        }
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
    if (!root()) return;
    if (setgroups(0, nullptr) != 0 || setresgid(NOBODY, NOBODY, NOBODY) != 0 || setresuid(NOBODY, NOBODY, NOBODY) != 0)
        _exit(125);
}

std::vector<std::string> asWorldUser(std::vector<std::string> argv) {
    if (root()) argv.insert(argv.begin(), {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
    return argv;
}
