#include "child_process.h"

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "test_support.h"
#include "wait_until.h"

bool ChildProcess::start(const std::vector<std::string>& argv, const std::string& cwd,
                         const std::vector<std::string>& env, const std::string& out, const std::string& err) {
    outPath = out;
    errPath = err;
    ended = false;  // a stopped process object may start another
    exitStatus = -1;
    endSignal = 0;
    // Emptied before the start, so that what an earlier process wrote there is never read.
    int o = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    int e = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    pid = fork();
    if (pid == 0) {
        setpgid(0, 0);
        prctl(PR_SET_PDEATHSIG, SIGTERM);  // never outlive a crashed test
        int in = open("/dev/null", O_RDONLY);
        dup2(in, 0);
        dup2(o, 1);
        dup2(e, 2);
        if (!cwd.empty() && chdir(cwd.c_str()) != 0) _exit(127);
        for (const std::string& kv : env) {
            if (kv.find('=') == std::string::npos) unsetenv(kv.c_str());
            else putenv(strdup(kv.c_str()));
        }
        std::vector<char*> args;
        for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(o);
    close(e);
    if (pid < 0) return false;
    setpgid(pid, pid);
    return true;
}

std::string ChildProcess::out() const { return readFile(outPath); }
std::string ChildProcess::err() const { return readFile(errPath); }

bool ChildProcess::poll() {
    if (ended) return true;
    int status = 0;
    if (pid <= 0 || waitpid(pid, &status, WNOHANG) != pid) return false;
    ended = true;
    if (WIFEXITED(status)) exitStatus = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) endSignal = WTERMSIG(status);
    return true;
}

bool ChildProcess::waitForExit(int timeoutMs) { return waitUntil([&] { return poll(); }, timeoutMs, 5); }

void ChildProcess::stop(int signal, int graceMs) {
    if (pid <= 0 || ended) return;
    kill(-pid, signal);
    if (!waitForExit(graceMs)) {
        kill(-pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        ended = true;
        endSignal = SIGKILL;
    }
}
