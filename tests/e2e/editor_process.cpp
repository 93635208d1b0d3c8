#include "editor_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "test_support.h"
#include "wait_until.h"

bool EditorProcess::start(const std::string& binary, const std::string& world, const std::string& display,
                          const std::string& logDir) {
    outPath = logDir + "/editor.out";
    errPath = logDir + "/editor.err";
    pid = fork();
    if (pid == 0) {
        setpgid(0, 0);
        prctl(PR_SET_PDEATHSIG, SIGKILL);  // never outlive a crashed test
        int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int in = open("/dev/null", O_RDONLY);
        dup2(in, 0);
        dup2(out, 1);
        dup2(err, 2);
        if (chdir(world.c_str()) != 0) _exit(127);
        setenv("DISPLAY", display.c_str(), 1);
        unsetenv("SDL_VIDEODRIVER");  // the real X11 window, whatever the test runner set
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        execl(binary.c_str(), "maped", static_cast<char*>(nullptr));
        _exit(127);
    }
    if (pid < 0) return false;
    setpgid(pid, pid);
    return true;
}

std::string EditorProcess::out() const { return readFile(outPath); }
std::string EditorProcess::err() const { return readFile(errPath); }

bool EditorProcess::poll() {
    if (ended) return true;
    if (pid <= 0) return false;
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) != pid) return false;
    ended = true;
    if (WIFEXITED(status)) exitStatus = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) endSignal = WTERMSIG(status);
    return true;
}

bool EditorProcess::waitForExit(int timeoutMs) { return waitUntil([&] { return poll(); }, timeoutMs, 5); }

void EditorProcess::kill() {
    if (pid <= 0 || ended) return;
    ::kill(-pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    ended = true;
    endSignal = SIGKILL;
}

int occurrences(const std::string& haystack, const std::string& needle) {
    int count = 0;
    for (size_t at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + needle.size()))
        ++count;
    return count;
}
