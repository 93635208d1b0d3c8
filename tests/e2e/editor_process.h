#pragma once
// The editor binary running in a world directory on a given X display, in its own process
// group, with its standard output and standard error in files.
#include <sys/types.h>

#include <string>

class EditorProcess {
public:
    pid_t pid = -1;
    bool ended = false;
    int exitStatus = -1;  // when it exited normally
    int endSignal = 0;    // when a signal ended it
    std::string outPath, errPath;

    // Starts the binary with the world as working directory; logDir receives its output.
    bool start(const std::string& binary, const std::string& world, const std::string& display,
               const std::string& logDir);
    std::string out() const;
    std::string err() const;
    // Collects the exit status if the process has ended; true then.
    bool poll();
    bool waitForExit(int timeoutMs);
    void kill();  // the whole process group, then reaps it
    ~EditorProcess() { kill(); }
};

// How often text occurs in a string.
int occurrences(const std::string& haystack, const std::string& needle);
