#pragma once
// Shared helpers for the tests: temporary directories, files, fixture worlds, child processes
// and bounded waits.
#include <signal.h>
#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "world/safe_file.h"  // fileExists, readWholeFile
#include "world/world.h"

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
inline void makeDirs(const std::string& path) { std::filesystem::create_directories(path); }
// Every file under a directory, by relative path, with its bytes.
std::map<std::string, std::string> filesUnder(const std::string& dir);
inline void removeFile(const std::string& path) { std::remove(path.c_str()); }
// Each file's inode and modification time, by relative path: a file rewritten shows a new one.
std::map<std::string, std::string> stampsUnder(const std::string& dir);

// A map of tile 0, new NPCs of these names and itemCount new items.
std::unique_ptr<World> makeWorld(std::initializer_list<const char*> npcNames = {}, int itemCount = 0);
std::vector<std::string> npcNames(const World& world);

// Generates the default world (art, map, definitions, font) into root.
void makeDefaultWorld(const std::string& root);

// Runs a program to its end (or kills it after timeoutMs) and collects its output.
struct ProcessResult {
    int status = -1;  // exit status, or -1 when it did not exit normally
    bool timedOut = false;
    std::string out, err;
};
// extraEnv holds NAME=value entries to set and bare NAMEs to remove.
ProcessResult runProcess(const std::vector<std::string>& argv, const std::string& cwd,
                         const std::vector<std::string>& extraEnv, int timeoutMs);

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

// A small tmpfs mounted over a directory for the life of the object (root only).
struct SmallDisk {
    bool mounted = false;
    std::string path;
    SmallDisk(const std::string& at, const char* size);
    ~SmallDisk();
    // Fills the disk but for `spare` bytes.
    void fillLeaving(size_t spare);
};

// The first bytes of a PNG file whose header says it is width x height pixels (no pixels follow).
std::string pngHeader(unsigned width, unsigned height);

// Changes the working directory for the life of the object.
class ChangeDir {
public:
    explicit ChangeDir(const std::string& dir);
    ~ChangeDir();
private:
    std::string old;
};

// A program the tests start (Xvfb, the editor) in its own process group, with its standard
// output and standard error in files, ended together with everything it started.
class ChildProcess {
public:
    pid_t pid = -1;
    bool ended = false;
    int exitStatus = -1;  // when it exited normally
    int endSignal = 0;    // when a signal ended it
    std::string outPath, errPath;

    // Starts argv[0] (searched in PATH) in cwd; env holds NAME=value entries to set and bare
    // NAMEs to remove.
    bool start(const std::vector<std::string>& argv, const std::string& cwd, const std::vector<std::string>& env,
               const std::string& outPath, const std::string& errPath);
    std::string out() const;
    std::string err() const;
    // Collects the exit status if the process has ended; true then.
    bool poll();
    bool waitForExit(int timeoutMs);
    // Sends the signal to the whole process group; one that has not ended after graceMs is
    // killed. Then reaps it.
    void stop(int signal = SIGKILL, int graceMs = 0);
    ~ChildProcess() { stop(); }
};

// Polls a condition until it holds or the time is up; every wait in these tests is bounded.
constexpr int WAIT_MS = 10000;  // for anything the editor does in response to input

template <typename Condition>
bool waitUntil(Condition done, int timeoutMs = WAIT_MS, int pollMs = 2) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(pollMs));
    }
}

// A picture as SDL_image loads it (tests/support/pictures.cpp, in the test_pictures library) (a PNG, or the screenshot's BMP), as 32-bit values with red in
// the low byte and alpha in the top; empty (0x0) when the file does not load.
struct PngPixels {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    std::uint8_t alpha(int x, int y) const { return at(x, y) >> 24; }
};
PngPixels loadPngPixels(const std::string& path);
inline std::uint32_t rgbaValue(std::uint32_t r, std::uint32_t g, std::uint32_t b, std::uint32_t a = 255) {
    return r | g << 8 | b << 16 | a << 24;
}
