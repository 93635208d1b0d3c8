#pragma once
// Problems found in a world, printed as `path:line: message` the way compilers do.
#include <cstdio>
#include <string>
#include <vector>

class Problem {
public:
    std::string path;  // relative to the world directory, e.g. "data/npcdef/3.def"
    int line = 0;      // 0 where a line number makes no sense
    std::string message;
};

class Report {
public:
    std::vector<Problem> problems;

    void add(const std::string& path, int line, const std::string& message);
    void add(const std::string& path, const std::string& message) { add(path, 0, message); }
    // Prints every problem sorted by path (numbers in names compared as numbers, so 2.def
    // comes before 10.def) and then line, followed by the summary line.
    void print(FILE* out);
};

// "0 problems", "1 problem in 1 file", "3 problems in 2 files".
std::string summaryLine(size_t problems, size_t files);
