#include "command.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>

namespace {
void closeBoth(int fds[2]) {
    for (int i = 0; i < 2; ++i)
        if (fds[i] >= 0) close(fds[i]), fds[i] = -1;
}
}  // namespace

CommandResult runCommand(const std::vector<std::string>& argv, const std::string& cwd, const std::string& input,
                         int timeoutMs) {
    CommandResult result;
    // The program may stop reading its input early; that must not end us with SIGPIPE.
    signal(SIGPIPE, SIG_IGN);
    int in[2] = {-1, -1}, out[2] = {-1, -1}, err[2] = {-1, -1};
    if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) {
        closeBoth(in), closeBoth(out), closeBoth(err);
        return result;
    }
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        dup2(in[0], 0), dup2(out[1], 1), dup2(err[1], 2);
        if (!cwd.empty() && chdir(cwd.c_str()) != 0) _exit(127);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(in[0]), close(out[1]), close(err[1]);
    in[0] = out[1] = err[1] = -1;
    if (pid < 0) {
        closeBoth(in), closeBoth(out), closeBoth(err);
        return result;
    }
    fcntl(in[1], F_SETFL, O_NONBLOCK);
    if (input.empty()) closeBoth(in);
    size_t written = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    bool timedOut = false;
    while (out[0] >= 0 || err[0] >= 0) {
        pollfd fds[3];
        int n = 0;
        if (in[1] >= 0) fds[n++] = pollfd{in[1], POLLOUT, 0};
        if (out[0] >= 0) fds[n++] = pollfd{out[0], POLLIN, 0};
        if (err[0] >= 0) fds[n++] = pollfd{err[0], POLLIN, 0};
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            timedOut = true;
            break;
        }
        if (poll(fds, static_cast<nfds_t>(n), static_cast<int>(left.count() < INT_MAX ? left.count() : INT_MAX)) < 0) continue;
        for (int i = 0; i < n; ++i) {
            if (!fds[i].revents) continue;
            if (fds[i].fd == in[1]) {
                ssize_t put = write(in[1], input.data() + written, input.size() - written);
                if (put > 0) written += static_cast<size_t>(put);
                if (put < 0 || written == input.size()) closeBoth(in);
                continue;
            }
            char buffer[65536];
            ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
            if (got <= 0) {
                close(fds[i].fd);
                (fds[i].fd == out[0] ? out[0] : err[0]) = -1;
                continue;
            }
            (fds[i].fd == out[0] ? result.out : result.err).append(buffer, static_cast<size_t>(got));
        }
    }
    closeBoth(in), closeBoth(out), closeBoth(err);
    if (timedOut) kill(pid, SIGKILL);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!timedOut && WIFEXITED(status)) result.status = WEXITSTATUS(status);
    return result;
}

std::string ownPath() {
    char* path = realpath("/proc/self/exe", nullptr);
    if (!path) return "";
    std::string own = path;
    free(path);
    return own;
}
