#pragma once
// Writing a whole file so that a failure part-way never leaves a half-written file behind.
#include <string>
#include <vector>

// Writes bytes to a temporary file beside path, forces it to the disk and renames it over
// path once written whole, so that a full disk, a crash or a power cut leaves either the old
// file or the new one. On failure writes "***WARNING*** could not write <path>" on standard
// error, leaves any old file as it was and returns false.
bool writeFileAtomically(const std::string& path, const std::string& bytes);

// The same for many files at once (a definition directory), all or nothing while writing:
// every file goes to its temporary first, and only when all of them were written whole and
// reached the disk are they renamed over the old files. A failure before that renames none
// and removes every temporary; the warning names the file that failed (every file of the
// batch when the sync fails).
class FileBatch {
public:
    std::vector<std::string> paths;  // files whose temporaries are written whole
    bool failed = false;
    int syncHandle = -1;  // the first file's directory, for the one sync at commit

    FileBatch() = default;
    FileBatch(const FileBatch&) = delete;
    FileBatch& operator=(const FileBatch&) = delete;
    ~FileBatch();  // removes temporaries that were never committed
    // Writes the temporary for path; false once anything in the batch failed.
    bool add(const std::string& path, const std::string& bytes);
    // Syncs, renames and syncs the directories; false (with warnings) when anything failed.
    bool commit();
};
bool fileExists(const std::string& path);
// Reads a whole file; false when it cannot be opened.
bool readWholeFile(const std::string& path, std::string& bytes);
