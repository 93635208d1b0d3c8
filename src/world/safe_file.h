#pragma once
// Reading and writing a world's files. Every file in a world is untrusted: it may be a link,
// a pipe, a device, enormous or unreadable. Writing never leaves a half-written file behind
// and never writes through a link; reading never blocks and never reads more than asked.
#include <cstdint>
#include <string>
#include <vector>

#include "world/messages.h"

// Writes bytes to a fresh temporary file beside path, forces it to the disk and renames it
// over path once written whole, so that a full disk, a crash or a power cut leaves either the
// old file or the new one. On failure says "***WARNING*** could not write <path>: <reason>",
// leaves any old file as it was and returns false.
bool writeFileAtomically(const std::string& path, const std::string& bytes, Messages& said);
// The same, saying nothing: 0 when written, else the system's error number.
int replaceFile(const std::string& path, const std::string& bytes);
// "" when an output may be written at path: nothing there, a regular file or a link to one;
// otherwise what is in the way ("a named pipe, not a regular file"). Never opens it.
std::string outputInTheWay(const std::string& path);

// The same for many files at once (a definition directory), all or nothing while writing:
// every file goes to its temporary first, and only when all of them were written whole and
// reached the disk are they renamed over the old files. A failure before that renames none
// and removes every temporary; the warning names the file that failed (every file of the
// batch when the sync fails).
class FileBatch {
public:
    std::vector<std::string> paths;      // files whose temporaries are written whole
    std::vector<std::string> temps;      // their temporaries, in the same order
    std::vector<std::string> committed;  // the files renamed into place by commit
    bool failed = false;
    bool syncEach = false;  // each temporary is synced as it is written (for a few files)
    int syncHandle = -1;    // the first file's directory, for the one sync at commit

    // A batch of about `expected` files: a few are each synced, many synced at once.
    explicit FileBatch(size_t expected = SIZE_MAX);
    FileBatch(const FileBatch&) = delete;
    FileBatch& operator=(const FileBatch&) = delete;
    ~FileBatch();  // removes temporaries that were never committed
    // Writes the temporary for path; false once anything in the batch failed.
    bool add(const std::string& path, const std::string& bytes, Messages& said);
    // Syncs, renames and syncs the directories; false (with warnings) when anything failed.
    bool commit(Messages& said);
};

// Forces the directory's entries (renames, removals) to the disk. 0 when done, else the error.
int syncDirectory(const std::string& dir);

bool fileExists(const std::string& path);
// True for a regular file or a link to one: what may be handed to a library that opens it
// with a blocking open (an image or font loader).
bool isRegularFile(const std::string& path);

enum class ReadStatus { Read, Missing, NotAFile, Unreadable };
// Reads a regular file (or a link to one) without ever blocking, and at most `limit` bytes of
// it: a file may be endless. Missing when nothing is at path (reason "No such file or
// directory"); NotAFile with a reason such as "a named pipe, not a regular file"; Unreadable
// with the system's reason ("Permission denied") when it is there but cannot be read.
ReadStatus readFileUpTo(const std::string& path, size_t limit, std::string& bytes, std::string& reason);
// The same without a limit, for files that are not a world's own; false when not read.
bool readWholeFile(const std::string& path, std::string& bytes);
