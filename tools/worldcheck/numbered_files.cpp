#include "numbered_files.h"

#include <dirent.h>

#include <algorithm>

namespace {
constexpr size_t NAMES_SHOWN = 5;  // a long list of names tells no more than its first few

bool allDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

unsigned long long valueOf(const std::string& digits) {
    unsigned long long value = 0;
    for (char c : digits) {
        if (value > 1000000000000000000ULL) return value;  // far beyond any number the editor reaches
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value;
}
}  // namespace

bool NumberedFiles::has(unsigned long long number) const {
    auto it = std::lower_bound(numbered.begin(), numbered.end(), number,
                               [](const NumberedName& n, unsigned long long value) { return n.number < value; });
    return it != numbered.end() && it->number == number;
}

NumberedFiles listNumberedFiles(const std::string& dir, const std::string& suffix) {
    NumberedFiles files;
    DIR* listing = opendir(dir.c_str());
    if (!listing) return files;
    while (dirent* entry = readdir(listing)) {
        std::string name = entry->d_name;
        if (name.size() <= suffix.size() || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
            continue;
        std::string digits = name.substr(0, name.size() - suffix.size());
        if (!allDigits(digits)) continue;
        if (digits.size() > 1 && digits[0] == '0')
            files.padded.push_back(name);
        else
            files.numbered.push_back(NumberedName{valueOf(digits), name});
    }
    closedir(listing);
    std::sort(files.numbered.begin(), files.numbered.end(),
              [](const NumberedName& a, const NumberedName& b) { return a.number < b.number; });
    std::sort(files.padded.begin(), files.padded.end());
    return files;
}

void reportUnreachable(Report& report, const std::string& shownDir, const NumberedFiles& files, int gap,
                       const std::string& suffix, const char* what, const std::string& reason) {
    for (const std::string& name : files.padded)
        report.add(shownDir + "/" + name,
                   "never loaded (the editor looks only for 0" + suffix + ", 1" + suffix + ", 2" + suffix + ", ...)");
    std::vector<const std::string*> after;
    for (const NumberedName& file : files.numbered)
        if (file.number > static_cast<unsigned long long>(gap)) after.push_back(&file.name);
    std::string names;
    for (size_t i = 0; i < after.size() && i < NAMES_SHOWN; ++i) names += (i ? ", " : "") + *after[i];
    if (after.size() > NAMES_SHOWN) names += " and " + std::to_string(after.size() - NAMES_SHOWN) + " more";
    // A file that is there but cannot be read is the one problem: it is not also "missing".
    if (files.has(static_cast<unsigned long long>(gap))) {
        std::string message = std::string("cannot be read") + (reason.empty() ? "" : " (" + reason + ")") +
                              ", so the editor stops loading " + what + " here";
        if (!names.empty()) message += "; never loaded: " + names;
        report.add(shownDir + "/" + std::to_string(gap) + suffix, message);
        return;
    }
    if (names.empty()) return;
    if (gap == 0)
        report.add(shownDir, "there is no 0" + suffix + ", so none of its files is loaded: " + names);
    else
        report.add(shownDir, "files after the gap at " + std::to_string(gap) + suffix + " are never loaded: " + names);
}
