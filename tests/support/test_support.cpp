#include "test_support.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "child_process.h"
#include "wait_until.h"
#include "worldgen.h"

namespace fs = std::filesystem;

TempDir::TempDir() {
    char pattern[] = "/tmp/mapedit-test-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (!made) throw std::runtime_error("mkdtemp failed");
    path = made;
}

TempDir::~TempDir() {
    std::error_code ec;
    // Tests may leave read-only directories behind; make them writable before removal.
    for (auto it = fs::recursive_directory_iterator(path, ec); !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path, ec);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
    fs::path p(path);
    if (p.has_parent_path()) fs::create_directories(p.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

void makeDirs(const std::string& path) { fs::create_directories(path); }
void removeFile(const std::string& path) { std::remove(path.c_str()); }

void makeDefaultWorld(const std::string& root) {
    if (!generateWorld(root)) throw std::runtime_error("could not generate the default world in " + root);
}

ProcessResult runProcess(const std::vector<std::string>& argv, const std::string& cwd,
                         const std::vector<std::string>& extraEnv, int timeoutMs,
                         const std::string& stopWhenOutputHas) {
    ProcessResult result;
    TempDir scratch;
    ChildProcess child;
    if (!child.start(argv, cwd, extraEnv, scratch / "out", scratch / "err")) return result;
    bool ended = waitUntil(
        [&] {
            return child.poll() ||
                   (!stopWhenOutputHas.empty() && child.out().find(stopWhenOutputHas) != std::string::npos);
        },
        timeoutMs, 10);
    result.timedOut = !ended;
    child.stop();
    result.status = child.exitStatus;
    result.signal = child.endSignal;
    result.out = child.out();
    result.err = child.err();
    return result;
}

CaptureOutput::CaptureOutput() {
    char pattern[] = "/tmp/mapedit-capture-XXXXXX";
    int fd = mkstemp(pattern);
    outPath = pattern;
    close(fd);
    char pattern2[] = "/tmp/mapedit-capture-XXXXXX";
    fd = mkstemp(pattern2);
    errPath = pattern2;
    close(fd);
    fflush(stdout);
    fflush(stderr);
    savedOut = dup(1);
    savedErr = dup(2);
    int o = open(outPath.c_str(), O_WRONLY | O_TRUNC);
    int e = open(errPath.c_str(), O_WRONLY | O_TRUNC);
    dup2(o, 1);
    dup2(e, 2);
    close(o);
    close(e);
}

void CaptureOutput::stop() {
    if (stopped) return;
    stopped = true;
    fflush(stdout);
    fflush(stderr);
    std::cout.flush();
    std::cerr.flush();
    dup2(savedOut, 1);
    dup2(savedErr, 2);
    close(savedOut);
    close(savedErr);
}

CaptureOutput::~CaptureOutput() {
    stop();
    std::remove(outPath.c_str());
    std::remove(errPath.c_str());
}

std::string CaptureOutput::out() { stop(); return readFile(outPath); }
std::string CaptureOutput::err() { stop(); return readFile(errPath); }

ChangeDir::ChangeDir(const std::string& dir) : old(fs::current_path().string()) { fs::current_path(dir); }
ChangeDir::~ChangeDir() { fs::current_path(old); }

std::map<std::string, std::string> filesUnder(const std::string& dir) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> files;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(dir, ec); !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        if (it->is_regular_file()) files[fs::relative(it->path(), dir).string()] = readFile(it->path().string());
    return files;
}
