#pragma once
// The lock an editor holds on the world it runs in: an advisory flock on a file beside data/,
// which the kernel releases when the editor ends, however it ends. A second editor on the same
// world works, but does not save while the first one runs.
#include <string>

extern const char* const LOCK_FILE;  // "maped.lock", beside data/

enum class LockState {
    Held,         // this editor holds the lock
    Busy,         // another editor holds it (otherPid says which, 0 when it could not be read)
    Unavailable,  // no lock can be taken there (reason says why): nothing is known of others
};

class WorldLock {
public:
    LockState state = LockState::Unavailable;
    int otherPid = 0;
    std::string reason;

    WorldLock() = default;
    WorldLock(const WorldLock&) = delete;
    WorldLock& operator=(const WorldLock&) = delete;
    ~WorldLock();
    // Takes the lock on path unless it is already held; writes this process's id into the file
    // for the message another editor gives. Returns the state.
    LockState take(const std::string& path);
    bool held() const { return state == LockState::Held; }

private:
    int fd = -1;
};

// "another editor (pid 1234) has this world open"
std::string lockedByText(int otherPid);
