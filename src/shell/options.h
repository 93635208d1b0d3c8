#pragma once
// The editor's command line: a table of options, each with its help line.
#include <string>

struct EditorOptions {
    bool help = false;  // print the usage and the keys, and end
    int autosaveSeconds = 60;  // --autosave: how often the recovery copy may be brought up to date; 0: never
    bool restore = false;      // --restore: put the recovery copy in place of the world's files, and end
    std::string stepsFile;  // --steps: findings to step through ("-": standard input); "" none
    bool goTo = false;      // --goto X,Y: start with that cell in the middle of the view
    int goToX = 0, goToY = 0;
};

// Reads the arguments into options. Returns "" when they read, else one line saying why not
// (an unknown option, a missing or wrong value).
std::string parseOptions(int argc, char** argv, EditorOptions& options);
// What maped --help prints: the usage, the options and the keys.
std::string usageText();
