#pragma once
// Directories of files numbered from 0 (definition files, tile images, item pictures): the
// editor reads 0, 1, 2, ... up to the first number that is missing and never looks further.
#include <string>
#include <vector>

#include "report.h"

class NumberedName {
public:
    unsigned long long number;  // saturated: a huge number is still "after the gap"
    std::string name;
};

class NumberedFiles {
public:
    std::vector<NumberedName> numbered;  // "<n><suffix>" written as the editor writes n, by number
    std::vector<std::string> padded;     // "<digits><suffix>" with leading zeros: never looked for
    bool has(unsigned long long number) const;
};

// One listing of dir (empty when it cannot be listed).
NumberedFiles listNumberedFiles(const std::string& dir, const std::string& suffix);

// Reports what the editor never reaches once it stops at number `gap`: that file itself when
// it is there but could not be read (for `reason`, when known), the files numbered after it
// (against the directory), and each name with leading zeros. shownDir is the directory as
// messages show it ("data/npcdef"); `what` names the objects for the first message ("NPCs").
void reportUnreachable(Report& report, const std::string& shownDir, const NumberedFiles& files, int gap,
                       const std::string& suffix, const char* what, const std::string& reason = "");
