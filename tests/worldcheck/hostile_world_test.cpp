// Hostile worlds (a link, a pipe, /dev/zero, an enormous or unreadable file where a world file
// should be), each run through worldcheck and through the editor's loaders and savers, with a
// deadline: a pipe would block an open for ever.
#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "test_support.h"
#include "wait_until.h"
#include "world/defdir.h"

namespace fs = std::filesystem;

namespace {
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

// The default world cut to one NPC and one item.
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
    auto map = std::make_unique<Map>();
    std::list<Actor*> npcs;
    std::vector<Item*> items;
    bool mapRead = map->loadMap(data);
    int ownedNpcs = loadActorFiles(data, npcs), ownedItems = loadItemFiles(data, items);
    bool npcsRead = ownedNpcs > 0, itemsRead = ownedItems > 0;
    bool saved = !mapRead || map->saveMap(data);
    saved = (!npcsRead || saveActorFiles(data, npcs, ownedNpcs, true)) && saved;
    saved = (!itemsRead || saveItemFiles(data, items, ownedItems, true)) && saved;
    return (mapRead ? MAP_READ : 0) | (npcsRead ? NPCS_READ : 0) | (itemsRead ? ITEMS_READ : 0) | (saved ? SAVED : 0);
}
}  // namespace

// A world of one NPC and one item with the case planted, and outside it a file that planted links
// point to. worldcheck runs first (it writes nothing), then the loaders and savers in a child process,
// both in the world's directory as the editor runs.
TEST(HostileWorlds, WorldcheckAndTheLoadersNeitherFollowHangNorCrash) {
    for (const HostileCase& c : hostileCases()) {
        SCOPED_TRACE(c.what);
        TempDir world, outside;
        fs::copy(baseWorld(), world.path, fs::copy_options::recursive);
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
