#include "world/world_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

const char* const LOCK_FILE = "maped.lock";

WorldLock::~WorldLock() {
    if (fd >= 0) close(fd);
}

// The holder writes its id right after taking the lock: a second editor that looks in between
// reads an empty file, and waits a little for it.
static int holderPid(int fd) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        char text[32] = {};
        ssize_t got = pread(fd, text, sizeof text - 1, 0);
        int pid = got > 0 ? atoi(text) : 0;
        if (pid > 0) return pid;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return 0;
}

LockState WorldLock::take(const std::string& path) {
    if (state == LockState::Held) return state;
    if (fd < 0) {
        // The file is the world's, so untrusted: a link is not followed, a pipe never waited on.
        fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
        struct stat info;
        if (fd < 0 || fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
            reason = fd < 0 ? strerror(errno) : "not a regular file";
            if (fd >= 0) close(fd), fd = -1;
            return state = LockState::Unavailable;
        }
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK) {
            reason = strerror(errno);
            return state = LockState::Unavailable;
        }
        otherPid = holderPid(fd);
        return state = LockState::Busy;
    }
    const std::string pid = std::to_string(getpid()) + "\n";
    if (ftruncate(fd, 0) != 0 || pwrite(fd, pid.data(), pid.size(), 0) != static_cast<ssize_t>(pid.size())) {
        // Held all the same; only another editor's message lacks the id.
    }
    otherPid = 0;
    return state = LockState::Held;
}

std::string lockedByText(int otherPid) {
    return "another editor (pid " + (otherPid > 0 ? std::to_string(otherPid) : std::string("unknown")) +
           ") has this world open";
}
