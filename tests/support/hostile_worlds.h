#pragma once
// One table of hostile worlds (a link, a pipe, /dev/zero, an enormous or unreadable file
// where a world file should be), run against the loaders and savers and against worldcheck.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "test_support.h"

enum { MAP_READ = 1, NPCS_READ = 2, ITEMS_READ = 4, SAVED = 8, ALL_DONE = 15 };

struct HostileCase {
    std::string what;
    std::vector<std::string> planted;  // left out of the "old files intact" check
    std::function<void(const std::string& world, const std::string& outside)> plant;
    int done;              // how the loaders and savers end: MAP_READ | ... | SAVED
    std::string loadErr;   // their whole standard error ({data}: the data directory)
    std::string checkOut;  // worldcheck's output, status and standard error ({world})
    int checkStatus = 1;
    std::string checkErr = "";
};
std::vector<HostileCase> hostileCases();

// A world of one NPC and one item with the case planted, and outside it a file that planted
// links point to. When the tests run as root, an ordinary user (nobody) owns both and runs
// the code under test, so that permissions hold.
struct HostileWorld {
    TempDir world, outside;
    std::map<std::string, std::string> before;
    explicit HostileWorld(const HostileCase& c);
    std::string expand(std::string text) const;
    void expectIntact(const HostileCase& c) const;  // nothing outside changed, old files as they were
};
void becomeWorldUser();
std::vector<std::string> asWorldUser(std::vector<std::string> argv);
