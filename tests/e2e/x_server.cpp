#include "x_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "test_support.h"
#include "wait_until.h"

bool XServer::start(const std::string& logPath, std::string& error) {
    int ready[2];
    if (pipe(ready) != 0) {
        error = "pipe failed";
        return false;
    }
    pid = fork();
    if (pid == 0) {
        setpgid(0, 0);
        prctl(PR_SET_PDEATHSIG, SIGTERM);  // never outlive a crashed test
        int log = open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int in = open("/dev/null", O_RDONLY);
        dup2(in, 0);
        dup2(log, 1);
        dup2(log, 2);
        close(ready[0]);
        std::string fd = std::to_string(ready[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x16", "-nolisten", "tcp",
               "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ready[1]);
    if (pid < 0) {
        close(ready[0]);
        error = "fork failed";
        return false;
    }
    setpgid(pid, pid);
    // Xvfb writes the display number, then a line feed, once it listens.
    std::string number;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(WAIT_MS);
    while (number.find('\n') == std::string::npos) {
        int left = static_cast<int>(
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count());
        pollfd p = {ready[0], POLLIN, 0};
        if (left <= 0 || poll(&p, 1, left) <= 0) {
            error = "Xvfb did not report a display within " + std::to_string(WAIT_MS) + " ms";
            break;
        }
        char buffer[32];
        ssize_t n = read(ready[0], buffer, sizeof buffer);
        if (n <= 0) {
            error = "Xvfb ended before it was ready: " + readFile(logPath);
            break;
        }
        number.append(buffer, static_cast<size_t>(n));
    }
    close(ready[0]);
    if (number.find('\n') == std::string::npos) {
        stop();
        return false;
    }
    display = ":" + number.substr(0, number.find('\n'));
    return true;
}

void XServer::stop() {
    if (pid <= 0) return;
    kill(-pid, SIGTERM);
    int status = 0;
    // A terminated Xvfb removes its socket and lock file; one that hangs is killed.
    if (!waitUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, 5000, 5)) {
        kill(-pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    pid = -1;
}
