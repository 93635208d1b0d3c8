#include "report.h"

#include <algorithm>
#include <cstring>

#include "world/text_order.h"


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
