#pragma once
// Files numbered from 0 (definition files, tile images, item pictures): the editor reads 0, 1,
// 2, ... and stops at the first that does not read, never looking further. The loader, the
// checker and the diff all walk them here, so that they agree on where a directory ends.
#include <climits>
#include <functional>
#include <string>

#include "world/safe_file.h"

// Reads a file as readFileUpTo does; the tools read a revision's files from git this way too.
using FileReader = std::function<ReadStatus(const std::string& path, size_t limit, std::string& bytes, std::string& reason)>;

struct NumberedEnd {
    int count = 0;                          // files 0..count-1 were read
    ReadStatus stop = ReadStatus::Missing;  // and why file `count` was not
    std::string reason;
};

// Hands each file's bytes (at most `limit` of them) to take(n, bytes), from pathFor(0) up to
// the first file that does not read.
template <typename PathFor, typename Take>
NumberedEnd readNumbered(PathFor pathFor, size_t limit, Take take, const FileReader& read = readFileUpTo) {
    NumberedEnd end;
    std::string bytes;
    for (; end.count < INT_MAX; ++end.count) {
        end.stop = read(pathFor(end.count), limit, bytes, end.reason);
        if (end.stop != ReadStatus::Read) break;
        take(end.count, bytes);
    }
    return end;
}

// How many of pathFor(0), pathFor(1), ... are usable before the first that is not: the images
// the editor loads end there.
template <typename PathFor, typename Usable>
int countNumbered(PathFor pathFor, Usable usable) {
    int n = 0;
    while (n < INT_MAX && usable(pathFor(n))) ++n;
    return n;
}
