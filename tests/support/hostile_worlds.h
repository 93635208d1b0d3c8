#pragma once
// Worlds with something hostile planted in them (a link, a pipe, an endless device, an
// enormous or unreadable file), run against the editor's loaders and savers and worldcheck.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "test_support.h"

// How the loaders and savers end, as bits of a child process's exit status.
enum { MAP_READ = 1, NPCS_READ = 2, ITEMS_READ = 4, SAVED = 8, ALL_DONE = 15 };

class HostileCase {
public:
    std::string what;
    std::vector<std::string> planted;  // relative paths: left out of the "old files intact" check
    std::function<void(const std::string& world, const std::string& outside)> plant;
    int done;             // the MAP_READ.. bits the loaders and savers end with
    std::string loadErr;  // their whole standard error; {data} stands for the data directory
    std::string checkOut;  // worldcheck's standard output, and its status and standard error
    int checkStatus = 1;   // ({world} stands for the world directory)
    std::string checkErr = "";
};
std::vector<HostileCase> hostileCases();

// A world of one NPC and one item with the case planted, and a file outside it (the target of
// planted links). When the tests run as root they act as an ordinary user (nobody), who owns
// both, so that permissions hold.
class HostileWorld {
public:
    TempDir world, outside;
    std::map<std::string, std::string> before;
    explicit HostileWorld(const HostileCase& c);
    std::string expand(std::string text) const;  // {data}, {world}
    void expectIntact(const HostileCase& c) const;  // outside unchanged, old files as they were
};
void becomeWorldUser();  // in a child process
std::vector<std::string> asWorldUser(std::vector<std::string> argv);
