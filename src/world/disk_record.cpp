#include "world/disk_record.h"

#include <sys/stat.h>

#include <cerrno>

#include "world/safe_file.h"

static long long nanoseconds(const timespec& t) { return t.tv_sec * 1000000000LL + t.tv_nsec; }

void DiskRecord::noteRead(const std::string& path, const std::string& bytes, size_t limit) {
    Entry& entry = files[path];
    entry = Entry();
    entry.present = true;
    entry.whole = bytes.size() < limit;
    entry.bytes = bytes;
    struct stat info;
    // Only a file cut at its reader's limit needs its stamp: the rest of it was never read.
    if (!entry.whole && stat(path.c_str(), &info) == 0) {
        entry.device = info.st_dev, entry.inode = info.st_ino, entry.size = info.st_size;
        entry.modified = nanoseconds(info.st_mtim), entry.changed = nanoseconds(info.st_ctim);
    }
}

void DiskRecord::noteMissing(const std::string& path) { files[path] = Entry(); }

void DiskRecord::noteWritten(const std::string& path, const std::string& bytes) {
    Entry& entry = files[path];
    entry = Entry();
    entry.present = entry.whole = true;
    entry.bytes = bytes;
}

void DiskRecord::noteDirectory(const std::string& dir) {
    struct stat info;
    if (stat(dir.c_str(), &info) != 0) return (void)directories.erase(dir);
    directories[dir] = DirectoryStamp{info.st_dev, info.st_ino, nanoseconds(info.st_mtim), nanoseconds(info.st_ctim)};
}

// Within the clock tick of this run's own last change there, another change would leave the
// times as they were: a window of a few milliseconds, and what it could hide (a file removed
// then) would only be written again by the next save that changes it.
bool DiskRecord::directoryAsLeft(const std::string& dir) const {
    auto found = directories.find(dir);
    struct stat info;
    return found != directories.end() && stat(dir.c_str(), &info) == 0 && info.st_dev == found->second.device &&
           info.st_ino == found->second.inode && nanoseconds(info.st_mtim) == found->second.modified &&
           nanoseconds(info.st_ctim) == found->second.changed;
}

bool DiskRecord::holds(const std::string& path, const std::string& bytes) const {
    auto found = files.find(path);
    return found != files.end() && found->second.whole && found->second.bytes == bytes;
}

bool DiskRecord::unchangedOnDisk(const std::string& path) const {
    auto found = files.find(path);
    if (!guard || found == files.end()) return true;
    const Entry& entry = found->second;
    struct stat info;
    const bool missing = lstat(path.c_str(), &info) != 0 && errno == ENOENT;  // a dangling link is something
    if (!entry.present || missing) return missing;  // a file removed since holds no one's work
    if (entry.whole) {
        // One byte more than recorded shows a file that grew.
        std::string now, reason;
        return readFileUpTo(path, entry.bytes.size() + 1, now, reason) == ReadStatus::Read && now == entry.bytes;
    }
    // A change within the same clock tick that keeps the size and the inode goes unseen here; a
    // file this large is beyond what its reader reads, and broken anyway.
    return stat(path.c_str(), &info) == 0 && info.st_dev == entry.device && info.st_ino == entry.inode &&
           info.st_size == entry.size && nanoseconds(info.st_mtim) == entry.modified &&
           nanoseconds(info.st_ctim) == entry.changed;
}

std::string notSavedChangedWarning(const std::string& path) {
    return "***WARNING*** not saved: " + path + " changed on disk since this editor read it\n";
}

bool writeRecorded(const std::string& path, const std::string& bytes, DiskRecord* record, Messages& said) {
    if (record && record->holds(path, bytes) && fileExists(path)) return true;  // one removed since is written again
    if (record && !record->unchangedOnDisk(path)) {
        said.err(notSavedChangedWarning(path));
        return false;
    }
    if (!writeFileAtomically(path, bytes, said)) return false;
    if (record) record->noteWritten(path, bytes);
    return true;
}
