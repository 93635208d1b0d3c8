#pragma once
// What this run last read from or wrote to each file of a world: the bytes, so that a save can
// leave alone the files whose bytes would not change, and check that a file it is about to
// replace or delete is still as this run left it (someone else's change is never written over).
#include <sys/types.h>

#include <string>
#include <unordered_map>

#include "world/messages.h"

class DiskRecord {
public:
    // Whether a save checks a file against the record before replacing or deleting it. A world's
    // files are checked; the recovery copy's are the editor's own and are not.
    bool guard = true;

    void noteRead(const std::string& path, const std::string& bytes, size_t limit);
    void noteMissing(const std::string& path);
    void noteWritten(const std::string& path, const std::string& bytes);
    void forget(const std::string& path) { files.erase(path); }
    void clear() { files.clear(), directories.clear(); }
    // A directory as it is now, after this run read or wrote its files; directoryAsLeft says
    // whether it is still so: no file added, removed or renamed there since (one look, instead
    // of a listing of 10,000 names).
    void noteDirectory(const std::string& dir);
    bool directoryAsLeft(const std::string& dir) const;
    bool knows(const std::string& path) const { return files.count(path) != 0; }

    // The file holds exactly these bytes, as this run last read or wrote it: writing them again
    // would change nothing.
    bool holds(const std::string& path, const std::string& bytes) const;
    // The file on disk is as this run last read or wrote it (missing if it was missing), or is
    // missing now (nothing of anyone's is lost by writing it), or the record does not know it,
    // or does not guard. Its bytes are compared; only a file too large for its reader to have
    // read whole is compared by size, modification and change times and inode.
    bool unchangedOnDisk(const std::string& path) const;

private:
    struct Entry {
        bool present = false;
        bool whole = false;  // bytes is the whole file
        std::string bytes;
        // For a file not read whole.
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        long long modified = 0, changed = 0;  // nanoseconds
    };
    std::unordered_map<std::string, Entry> files;
    struct DirectoryStamp {
        dev_t device;
        ino_t inode;
        long long modified, changed;
    };
    std::unordered_map<std::string, DirectoryStamp> directories;
};

// What a save says of a file it will not write over: "***WARNING*** not saved: <path> changed on
// disk since this editor read it".
std::string notSavedChangedWarning(const std::string& path);

// Writes bytes to path with the save's safe writing, unless the record shows the file holds them
// already; refuses (notSavedChangedWarning) a file changed on disk since the record's read.
// Without a record, simply writes. False (with a warning) when not written.
bool writeRecorded(const std::string& path, const std::string& bytes, DiskRecord* record, Messages& said);
