#include "xdotool.h"

#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

#include "wait_until.h"

bool runXdotool(const std::string& display, const std::vector<std::string>& args, std::string* output) {
    int out[2];
    if (pipe(out) != 0) return false;
    pid_t pid = fork();
    if (pid == 0) {
        setpgid(0, 0);
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        dup2(out[1], 1);
        close(out[0]);
        close(out[1]);
        setenv("DISPLAY", display.c_str(), 1);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>("xdotool"));
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execvp("xdotool", argv.data());
        _exit(127);
    }
    close(out[1]);
    if (pid < 0) {
        close(out[0]);
        return false;
    }
    std::string text;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(WAIT_MS);
    bool timedOut = false;
    for (;;) {
        int left = static_cast<int>(
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count());
        pollfd p = {out[0], POLLIN, 0};
        if (left <= 0 || poll(&p, 1, left) <= 0) {
            timedOut = true;
            break;
        }
        char buffer[256];
        ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0) break;
        text.append(buffer, static_cast<size_t>(n));
    }
    close(out[0]);
    int status = 0;
    if (timedOut || !waitUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, WAIT_MS, 1)) {
        timedOut = true;
        kill(-pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    if (output) *output = text;
    return !timedOut && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
