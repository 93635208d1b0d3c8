#include "test_support.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

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


std::unique_ptr<World> makeWorld(std::initializer_list<const char*> npcNames, int itemCount) {
    auto world = std::make_unique<World>();
    world->map.Init();
    for (const char* name : npcNames) world->npcs.emplace_back(), world->npcs.back().name = name;
    world->items.resize(static_cast<size_t>(itemCount));
    return world;
}

std::vector<std::string> npcNames(const World& world) {
    std::vector<std::string> names;
    for (const Actor& a : world.npcs) names.push_back(a.name);
    return names;
}

void makeDefaultWorld(const std::string& root) {
    if (!generateWorld(root)) throw std::runtime_error("could not generate the default world in " + root);
}

ProcessResult runProcess(const std::vector<std::string>& argv, const std::string& cwd,
                         const std::vector<std::string>& extraEnv, int timeoutMs) {
    ProcessResult result;
    TempDir scratch;
    ChildProcess child;
    if (!child.start(argv, cwd, extraEnv, scratch / "out", scratch / "err")) return result;
    bool ended = waitUntil([&] { return child.poll(); }, timeoutMs, 10);
    result.timedOut = !ended;
    child.stop();
    result.status = child.exitStatus;
    result.out = child.out();
    result.err = child.err();
    return result;
}

CaptureOutput::CaptureOutput() {
    fflush(nullptr);
    for (int fd : {1, 2}) {
        saved[fd - 1] = dup(fd);
        files[fd - 1] = tmpfile();
        dup2(fileno(files[fd - 1]), fd);
    }
}

void CaptureOutput::stop() {
    if (stopped) return;
    stopped = true;
    fflush(nullptr);
    std::cout.flush();
    std::cerr.flush();
    for (int fd : {1, 2}) dup2(saved[fd - 1], fd), close(saved[fd - 1]);
}

CaptureOutput::~CaptureOutput() {
    stop();
    for (FILE* f : files) fclose(f);
}

std::string CaptureOutput::read(int fd) {
    stop();
    std::string bytes;
    rewind(files[fd - 1]);
    for (int c; (c = fgetc(files[fd - 1])) != EOF;) bytes += static_cast<char>(c);
    return bytes;
}

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

std::map<std::string, std::string> stampsUnder(const std::string& dir) {
    std::map<std::string, std::string> stamps;
    for (const auto& [name, bytes] : filesUnder(dir)) {
        struct stat info;
        if (stat((dir + "/" + name).c_str(), &info) == 0)
            stamps[name] = std::to_string(info.st_ino) + "@" + std::to_string(info.st_mtim.tv_sec) + "." +
                           std::to_string(info.st_mtim.tv_nsec);
    }
    return stamps;
}

bool ChildProcess::start(const std::vector<std::string>& argv, const std::string& cwd,
                         const std::vector<std::string>& env, const std::string& out, const std::string& err) {
    outPath = out;
    errPath = err;
    ended = false;  // a stopped process object may start another
    exitStatus = -1;
    endSignal = 0;
    // Emptied before the start, so that what an earlier process wrote there is never read.
    int o = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    int e = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    pid = fork();
    if (pid == 0) {
        setpgid(0, 0);
        prctl(PR_SET_PDEATHSIG, SIGTERM);  // never outlive a crashed test
        int in = open("/dev/null", O_RDONLY);
        dup2(in, 0);
        dup2(o, 1);
        dup2(e, 2);
        if (!cwd.empty() && chdir(cwd.c_str()) != 0) _exit(127);
        for (const std::string& kv : env) {
            if (kv.find('=') == std::string::npos) unsetenv(kv.c_str());
            else putenv(strdup(kv.c_str()));
        }
        std::vector<char*> args;
        for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(o);
    close(e);
    if (pid < 0) return false;
    setpgid(pid, pid);
    return true;
}

std::string ChildProcess::out() const { return readFile(outPath); }
std::string ChildProcess::err() const { return readFile(errPath); }

bool ChildProcess::poll() {
    if (ended) return true;
    int status = 0;
    if (pid <= 0 || waitpid(pid, &status, WNOHANG) != pid) return false;
    ended = true;
    if (WIFEXITED(status)) exitStatus = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) endSignal = WTERMSIG(status);
    return true;
}

bool ChildProcess::waitForExit(int timeoutMs) { return waitUntil([&] { return poll(); }, timeoutMs, 5); }

void ChildProcess::stop(int signal, int graceMs) {
    if (pid <= 0 || ended) return;
    kill(-pid, signal);
    if (!waitForExit(graceMs)) {
        kill(-pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        ended = true;
        endSignal = SIGKILL;
    }
}

SmallDisk::SmallDisk(const std::string& at, const char* size) : path(at) {
    std::string options = std::string("size=") + size + ",mode=0700";
    mounted = mount("tmpfs", at.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0;
}

SmallDisk::~SmallDisk() {
    if (mounted) umount2(path.c_str(), MNT_DETACH);
}

void SmallDisk::fillLeaving(size_t spare) {
    struct statvfs info;
    ASSERT_EQ(statvfs(path.c_str(), &info), 0);
    writeFile(path + "/filler", std::string(info.f_bavail * info.f_bsize - spare, 'f'));
}

std::string pngHeader(unsigned width, unsigned height) {
    std::string bytes("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
    for (unsigned side : {width, height})
        for (int shift = 24; shift >= 0; shift -= 8) bytes += static_cast<char>(side >> shift & 0xff);
    return bytes + std::string("\x08\x06\0\0\0", 5);
}
