#pragma once
// A private X server (Xvfb) on a display number that it picks itself.
#include <sys/types.h>

#include <string>

class XServer {
public:
    std::string display;  // ":N" once started
    pid_t pid = -1;

    // Starts Xvfb (16-bit screen, no TCP) with its output in logPath and waits until it
    // accepts connections. On failure returns false with the reason in error.
    bool start(const std::string& logPath, std::string& error);
    void stop();  // ends the server and everything in its process group
    ~XServer() { stop(); }
};
