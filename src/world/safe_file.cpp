#include "world/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

static bool warnNotWritten(const std::string& path) {
    fprintf(stderr, "***WARNING*** could not write %s\n", path.c_str());
    return false;
}

static bool writeAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t done = write(fd, data, size);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return false;
        data += done;
        size -= static_cast<size_t>(done);
    }
    return true;
}

bool writeFileAtomically(const std::string& path, const std::string& bytes) {
    // The temporary lies in the same directory so that the rename cannot cross file systems.
    std::string temp = path + ".tmp";
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return warnNotWritten(path);
    bool ok = writeAll(fd, bytes.data(), bytes.size());
    // No fsync yet: the rename already keeps a failed or interrupted save from leaving a
    // half-written file; whether to pay for durability across a power loss is still open.
    if (close(fd) != 0) ok = false;
    if (ok && rename(temp.c_str(), path.c_str()) != 0) ok = false;
    if (ok) return true;
    unlink(temp.c_str());
    return warnNotWritten(path);
}

bool fileExists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

bool readWholeFile(const std::string& path, std::string& bytes) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info;
    size_t expected = (fstat(fd, &info) == 0 && info.st_size > 0) ? static_cast<size_t>(info.st_size) : 0;
    // One read more than the size reported, to see the end (the file may grow meanwhile).
    std::string data(expected + 1, '\0');
    size_t used = 0;
    for (;;) {
        if (used == data.size()) data.resize(data.size() * 2);
        ssize_t got = read(fd, &data[used], data.size() - used);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {  // a directory, for one, opens but cannot be read
            close(fd);
            return false;
        }
        if (got == 0) break;
        used += static_cast<size_t>(got);
    }
    close(fd);
    data.resize(used);
    bytes.swap(data);
    return true;
}
