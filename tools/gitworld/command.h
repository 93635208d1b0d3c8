#pragma once
// Running a program (git) to its end with bytes on its standard input, collecting its output,
// never waiting longer than a bound.
#include <string>
#include <vector>

struct CommandResult {
    int status = -1;  // exit status; -1 when it did not start, was killed or timed out
    std::string out, err;
};

// Runs argv[0] (searched in PATH) in cwd ("" for the current directory), feeding it input;
// kills it after timeoutMs.
CommandResult runCommand(const std::vector<std::string>& argv, const std::string& cwd, const std::string& input,
                         int timeoutMs);

// The same program's absolute path, for the entries it writes into a repository's config.
std::string ownPath();
