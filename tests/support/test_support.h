#pragma once
// Shared helpers for the tests: temporary directories, files, fixture worlds, child processes.
#include <cstdio>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "world/actor.h"
#include "world/item.h"
#include "world/map.h"
#include "world/safe_file.h"  // fileExists, readWholeFile

// A fresh directory under /tmp, removed with everything in it when the object goes.
class TempDir {
public:
    std::string path;
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string operator/(const std::string& relative) const { return path + "/" + relative; }
};

std::string readFile(const std::string& path);  // empty when missing
void writeFile(const std::string& path, const std::string& bytes);  // creates parent directories
void makeDirs(const std::string& path);
// Every file under a directory, by relative path, with its bytes.
std::map<std::string, std::string> filesUnder(const std::string& dir);
void removeFile(const std::string& path);

// A map of tile 0 and NPC and item lists that own what they hold, as the editor's do: NPCs
// of these names, and itemCount new items.
struct OwnedWorld {
    std::unique_ptr<Map> map = std::make_unique<Map>();
    std::list<Actor*> npcs;
    std::vector<Item*> items;
    explicit OwnedWorld(std::initializer_list<const char*> npcNames = {}, int itemCount = 0);
    ~OwnedWorld();
    OwnedWorld(const OwnedWorld&) = delete;
    OwnedWorld& operator=(const OwnedWorld&) = delete;
    std::vector<std::string> npcNames() const;
};

// Generates the default world (art, map, definitions, font) into root.
void makeDefaultWorld(const std::string& root);

// Runs a program to its end (or kills it after timeoutMs) and collects its output.
struct ProcessResult {
    int status = -1;      // exit status, or -1 when it did not exit normally
    int signal = 0;       // the signal that ended it, if any
    bool timedOut = false;
    std::string out, err;
};
// extraEnv holds NAME=value entries to set and bare NAMEs to remove.
// With stopWhenOutputHas set, the process is killed (timedOut stays false) as soon as its
// standard output holds that text.
ProcessResult runProcess(const std::vector<std::string>& argv, const std::string& cwd,
                         const std::vector<std::string>& extraEnv, int timeoutMs,
                         const std::string& stopWhenOutputHas = "");

// Captures what a block writes to standard output and standard error (file descriptors 1 and 2).
class CaptureOutput {
public:
    CaptureOutput();
    ~CaptureOutput();
    std::string out() { return read(1); }  // stops capturing on first call of either
    std::string err() { return read(2); }
private:
    int saved[2];
    FILE* files[2];
    bool stopped = false;
    void stop();
    std::string read(int fd);
};

// Changes the working directory for the life of the object.
class ChangeDir {
public:
    explicit ChangeDir(const std::string& dir);
    ~ChangeDir();
private:
    std::string old;
};
