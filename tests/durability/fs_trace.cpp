// An LD_PRELOAD shim that writes the file-system calls a save makes, one per line, to the file
// named by FS_TRACE_LOG: "create PATH", "sync PATH" (fsync of a file or a directory), "syncfs"
// and "rename FROM TO", with absolute paths, in call order.
#include <dlfcn.h>
#include <fcntl.h>
#include <limits.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <string>

namespace {

template <typename F>
F next(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

std::string pathOf(int fd) {
    char link[64], target[PATH_MAX];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    ssize_t length = readlink(link, target, sizeof target - 1);
    return std::string(target, length > 0 ? static_cast<size_t>(length) : 0);
}

void note(const std::string& line) {
    static int log = -2;
    if (log == -2) {
        const char* name = getenv("FS_TRACE_LOG");
        log = name ? next<int (*)(const char*, int, ...)>("open")(name, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644) : -1;
    }
    if (log < 0) return;
    const std::string text = line + "\n";
    if (write(log, text.data(), text.size()) < 0) return;
}

}  // namespace

extern "C" {

int open(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = (flags & O_CREAT) ? static_cast<mode_t>(va_arg(args, int)) : 0;
    va_end(args);
    const int fd = next<int (*)(const char*, int, ...)>("open")(path, flags, mode);
    if (fd >= 0 && (flags & O_CREAT)) note(std::string("create ") + path);
    return fd;
}

int fsync(int fd) {
    note("sync " + pathOf(fd));
    return next<int (*)(int)>("fsync")(fd);
}

int syncfs(int fd) {
    note("syncfs");
    return next<int (*)(int)>("syncfs")(fd);
}

int rename(const char* from, const char* to) {
    note(std::string("rename ") + from + " " + to);
    return next<int (*)(const char*, const char*)>("rename")(from, to);
}
}
