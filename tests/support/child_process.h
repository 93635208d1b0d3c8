#pragma once
// A program the tests start (Xvfb, the editor) in its own process group, with its standard
// output and standard error in files, ended together with everything it started.
#include <signal.h>
#include <sys/types.h>

#include <string>
#include <vector>

class ChildProcess {
public:
    pid_t pid = -1;
    bool ended = false;
    int exitStatus = -1;  // when it exited normally
    int endSignal = 0;    // when a signal ended it
    std::string outPath, errPath;

    // Starts argv[0] (searched in PATH) in cwd; env holds NAME=value entries to set and bare
    // NAMEs to remove.
    bool start(const std::vector<std::string>& argv, const std::string& cwd, const std::vector<std::string>& env,
               const std::string& outPath, const std::string& errPath);
    std::string out() const;
    std::string err() const;
    // Collects the exit status if the process has ended; true then.
    bool poll();
    bool waitForExit(int timeoutMs);
    // Sends the signal to the whole process group; one that has not ended after graceMs is
    // killed. Then reaps it.
    void stop(int signal = SIGKILL, int graceMs = 0);
    ~ChildProcess() { stop(); }
};
