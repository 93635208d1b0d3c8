#include "report.h"

#include <algorithm>
#include <cstring>

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Orders paths as people read them: the digit runs of file names compare by value.
int comparePaths(const std::string& a, const std::string& b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            size_t si = i, sj = j;
            while (si < a.size() && a[si] == '0') ++si;  // leading zeros do not change the value
            while (sj < b.size() && b[sj] == '0') ++sj;
            size_t ei = si, ej = sj;
            while (ei < a.size() && isDigit(a[ei])) ++ei;
            while (ej < b.size() && isDigit(b[ej])) ++ej;
            if (ei - si != ej - sj) return ei - si < ej - sj ? -1 : 1;
            int order = a.compare(si, ei - si, b, sj, ej - sj);
            if (order != 0) return order;
            if (ei - i != ej - j) return ei - i < ej - j ? -1 : 1;  // "01" after "1"
            i = ei;
            j = ej;
            continue;
        }
        if (a[i] != b[j]) return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]) ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}
}  // namespace

void Report::add(const std::string& path, int line, const std::string& message) {
    problems.push_back(Problem{path, line, message});
}

std::string summaryLine(size_t problems, size_t files) {
    if (problems == 0) return "0 problems";
    return std::to_string(problems) + (problems == 1 ? " problem in " : " problems in ") + std::to_string(files) +
           (files == 1 ? " file" : " files");
}

void Report::print(FILE* out) {
    // Stable, so that problems on one line keep the order in which they were found.
    std::stable_sort(problems.begin(), problems.end(), [](const Problem& a, const Problem& b) {
        int order = comparePaths(a.path, b.path);
        return order != 0 ? order < 0 : a.line < b.line;
    });
    std::string text;
    size_t files = 0;
    for (size_t i = 0; i < problems.size(); ++i) {
        const Problem& p = problems[i];
        if (i == 0 || p.path != problems[i - 1].path) ++files;
        text += p.path;
        if (p.line > 0) text += ":" + std::to_string(p.line);
        text += ": " + p.message + "\n";
    }
    text += summaryLine(problems.size(), files) + "\n";
    fwrite(text.data(), 1, text.size(), out);
    fflush(out);
}
