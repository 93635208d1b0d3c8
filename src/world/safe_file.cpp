#include "world/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

static bool warnNotWritten(const std::string& path, int error, Messages& said) {
    said.err("***WARNING*** could not write " + path + ": " + strerror(error) + "\n");
    return false;
}

// 0 when written whole, else the error. A full disk can also show as a short write.
static int writeAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t done = write(fd, data, size);
        if (done < 0 && errno == EINTR) continue;
        if (done < 0) return errno;
        if (done == 0) return ENOSPC;
        data += done;
        size -= static_cast<size_t>(done);
    }
    return 0;
}

static std::string directoryOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Creates a fresh temporary beside path (so that the rename cannot cross file systems), and
// never opens anything already there: a leftover <path>.tmp, from a crashed save or planted
// as a link to make the save write outside the world, is removed (unlink removes a link, not
// what it points to) and the name taken afresh. Should that fail too (a directory of that
// name), a unique name is used, so a leftover never stops saves for good.
static int createTemporary(const std::string& path, std::string& temp) {
    const int flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    temp = path + ".tmp";
    int fd = open(temp.c_str(), flags, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
    if (unlink(temp.c_str()) == 0 || errno == ENOENT) {
        fd = open(temp.c_str(), flags, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = path + ".tmp." + std::to_string(getpid()) + "." + std::to_string(++counter);
        fd = open(temp.c_str(), flags, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Writes the whole temporary (and forces it to the disk when asked); removes it on failure.
// 0 when written, else the error.
static int writeTemporary(const std::string& path, std::string& temp, const std::string& bytes, bool sync) {
    int fd = createTemporary(path, temp);
    if (fd < 0) return errno;
    int error = writeAll(fd, bytes.data(), bytes.size());
    if (!error && sync && fsync(fd) != 0) error = errno;
    if (close(fd) != 0 && !error) error = errno;
    if (error) unlink(temp.c_str());
    return error;
}

// Makes the renames in dir survive a power cut. A file system that cannot sync a directory
// says EINVAL; there is nothing more to do there. 0 when done, else the error.
int syncDirectory(const std::string& dir) {
    int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    int error = fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
    close(fd);
    return error;
}

// Durability: the data is forced to the disk before the rename, or a power cut soon after a
// save could leave the new name on a file whose data never arrived (empty or partial); the
// directory is synced after it so that the rename itself lasts. For map.dat that adds
// 0.3 to 0.5 ms to a save on a quiet disk here (up to 20 ms on a busy one): worth it.
// rename replaces a link named path rather than writing through it.
int replaceFile(const std::string& path, const std::string& bytes) {
    std::string temp;
    if (int error = writeTemporary(path, temp, bytes, true)) return error;
    if (rename(temp.c_str(), path.c_str()) != 0) {
        int error = errno;
        unlink(temp.c_str());
        return error;
    }
    return syncDirectory(directoryOf(path));
}

bool writeFileAtomically(const std::string& path, const std::string& bytes, Messages& said) {
    if (int error = replaceFile(path, bytes)) return warnNotWritten(path, error, said);
    return true;
}

// An fsync of each file costs a journal commit, 2 to 4 ms here; a syncfs writes back every
// dirty page of the file system, other programs' too, which on a busy shared disk can take far
// longer. A save that changed a few files syncs each of them; one of thousands syncs once.
constexpr size_t SYNC_EACH_UP_TO = 8;

FileBatch::FileBatch(size_t expected) : syncEach(expected <= SYNC_EACH_UP_TO) {}

FileBatch::~FileBatch() {
    for (const std::string& temp : temps) unlink(temp.c_str());
    if (syncHandle >= 0) close(syncHandle);
}

bool FileBatch::add(const std::string& path, const std::string& bytes, Messages& said) {
    if (failed) return false;
    // Held from the first file on, so that the sync in commit reports any write-back error
    // since the batch began (a handle opened later would not be told of earlier ones).
    if (syncHandle < 0) syncHandle = open(directoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    int error = syncHandle < 0 ? errno : 0;
    std::string temp;
    if (!error) error = writeTemporary(path, temp, bytes, syncEach);
    if (error) {
        failed = true;
        return warnNotWritten(path, error, said);
    }
    paths.push_back(path);
    temps.push_back(temp);
    return true;
}

// Durability for many files: an fsync per file costs a journal commit each, 2 to 4 ms here,
// so 10,000 NPC files would take 20 to 40 s instead of about one. One syncfs of the file
// system after all temporaries are written puts them all on the disk at once (about 0.1 s
// for 10,000 files here), before any of them is renamed.
bool FileBatch::commit(Messages& said) {
    if (failed) return false;  // the destructor removes the temporaries
    if (paths.empty()) return true;
    if (!syncEach && syncfs(syncHandle) != 0) {
        int error = errno;
        for (const std::string& path : paths) warnNotWritten(path, error, said);
        return false;
    }
    bool ok = true;
    std::vector<std::string> directories;
    for (size_t i = 0; i < paths.size(); ++i) {
        if (rename(temps[i].c_str(), paths[i].c_str()) != 0) {
            // The others are whole and on the disk: renaming them still saves what can be saved.
            int error = errno;
            unlink(temps[i].c_str());
            ok = warnNotWritten(paths[i], error, said);
            continue;
        }
        committed.push_back(paths[i]);
        std::string dir = directoryOf(paths[i]);
        if (directories.empty() || directories.back() != dir) directories.push_back(dir);
    }
    paths.clear();
    temps.clear();
    std::sort(directories.begin(), directories.end());
    directories.erase(std::unique(directories.begin(), directories.end()), directories.end());
    for (const std::string& dir : directories)
        if (int error = syncDirectory(dir)) ok = warnNotWritten(dir, error, said);
    return ok;
}

bool fileExists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

bool isRegularFile(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

static const char* kindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "a directory, not a regular file";
    if (S_ISFIFO(mode)) return "a named pipe, not a regular file";
    if (S_ISSOCK(mode)) return "a socket, not a regular file";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device, not a regular file";
    return "not a regular file";
}

std::string outputInTheWay(const std::string& path) {
    struct stat info;
    // stat follows a link: a link to a regular file is taken (the rename replaces the link),
    // and so is a dangling one; lstat alone finds what stat cannot reach.
    if (stat(path.c_str(), &info) != 0) return "";
    return S_ISREG(info.st_mode) ? "" : kindOf(info.st_mode);
}

static ReadStatus failedWith(int error, std::string& reason) {
    reason = strerror(error);
    return error == ENOENT ? ReadStatus::Missing : ReadStatus::Unreadable;
}

ReadStatus readFileUpTo(const std::string& path, size_t limit, std::string& bytes, std::string& reason) {
    bytes.clear();
    reason.clear();
    // Looked at before opening: opening a pipe waits for a writer, and a device may do
    // anything. The open does not block either, should the file change in between, and
    // what was opened is looked at again.
    struct stat info;
    if (stat(path.c_str(), &info) != 0) return failedWith(errno, reason);
    if (!S_ISREG(info.st_mode)) {
        reason = kindOf(info.st_mode);
        return ReadStatus::NotAFile;
    }
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return failedWith(errno, reason);
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        reason = kindOf(info.st_mode);
        close(fd);
        return ReadStatus::NotAFile;
    }
    // One read more than the size reported, to see the end (the file may grow meanwhile).
    size_t expected = info.st_size > 0 ? static_cast<size_t>(info.st_size) : 0;
    std::string data(expected < limit ? expected + 1 : limit, '\0');
    size_t used = 0;
    while (used < limit) {
        if (used == data.size()) data.resize(std::min(std::max<size_t>(data.size() * 2, 4096), limit));
        ssize_t got = read(fd, &data[used], data.size() - used);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            int error = errno;
            close(fd);
            return failedWith(error, reason);
        }
        if (got == 0) break;
        used += static_cast<size_t>(got);
    }
    close(fd);
    data.resize(used);
    bytes.swap(data);
    return ReadStatus::Read;
}

bool readWholeFile(const std::string& path, std::string& bytes) {
    std::string reason;
    return readFileUpTo(path, static_cast<size_t>(-1), bytes, reason) == ReadStatus::Read;
}
