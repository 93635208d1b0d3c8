// idle_bench: the real editor in a window on Xvfb. How much CPU it takes while nobody touches
// it (window, then an open prompt), and how long input takes to show in the window.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "scene.h"

namespace {

constexpr int IDLE_SECONDS = 10;
constexpr int TRIES = 10;
constexpr int PROMPT_TOP = 0;  // the first question of a placement is asked at the window's top

double nowMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Polls until the condition holds; returns the milliseconds since `since`, or -1 after 3 s.
double msUntil(double since, const std::function<bool()>& done) {
    while (!done()) {
        if (nowMs() - since > 3000) return -1;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return nowMs() - since;
}

// Starts a program in its own process group with its output in /dev/null (or in outFd).
pid_t spawn(const std::vector<std::string>& argv, const std::string& cwd, int outFd = -1) {
    pid_t pid = fork();
    if (pid != 0) return pid;
    setpgid(0, 0);
    int null = open("/dev/null", O_RDWR);
    dup2(null, 0);
    dup2(outFd >= 0 ? outFd : null, 1);
    dup2(null, 2);
    if (!cwd.empty() && chdir(cwd.c_str()) != 0) _exit(127);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
}

void end(pid_t pid) {
    if (pid <= 0) return;
    kill(-pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

// User plus system CPU time of a process, in seconds.
double cpuSeconds(pid_t pid) {
    FILE* file = fopen(("/proc/" + std::to_string(pid) + "/stat").c_str(), "r");
    if (!file) return 0;
    char line[1024] = {};
    const size_t got = fread(line, 1, sizeof line - 1, file);
    fclose(file);
    line[got] = '\0';
    const char* rest = strrchr(line, ')');  // the command name may hold spaces
    unsigned long utime = 0, stime = 0;
    if (!rest || sscanf(rest + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &utime, &stime) != 2) return 0;
    return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

class Screen {
public:
    Display* display = nullptr;
    Window window = 0;

    std::string caption() {
        char* name = nullptr;
        std::string text;
        if (XFetchName(display, window, &name) && name) text = name;
        if (name) XFree(name);
        return text;
    }
    bool findWindow(const std::string& name) {
        Window root, parent, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) return false;
        for (unsigned i = 0; i < count && !window; ++i) {
            window = children[i];
            if (caption() != name) window = 0;
        }
        if (children) XFree(children);
        return window != 0;
    }
    // The raw pixels of an area of the window.
    std::vector<unsigned long> pixels(int x, int y, int w, int h) {
        std::vector<unsigned long> values;
        XImage* image = XGetImage(display, window, x, y, static_cast<unsigned>(w), static_cast<unsigned>(h), AllPlanes, ZPixmap);
        if (!image) return values;
        for (int row = 0; row < h; ++row)
            for (int col = 0; col < w; ++col) values.push_back(XGetPixel(image, col, row));
        XDestroyImage(image);
        return values;
    }
    void key(KeySym symbol, bool press) {
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, symbol), press, CurrentTime);
        XFlush(display);
    }
    void button(int number, int x, int y, bool press) {
        XTestFakeMotionEvent(display, 0, x, y, CurrentTime);
        XTestFakeButtonEvent(display, static_cast<unsigned>(number), press, CurrentTime);
        XFlush(display);
    }
};

// The editor's CPU share of one core (and the X server's) over IDLE_SECONDS of nobody touching it.
void measureIdle(const char* what, pid_t editor, pid_t xserver) {
    sleepMs(500);
    const double editorBefore = cpuSeconds(editor), serverBefore = cpuSeconds(xserver), start = nowMs();
    sleepMs(IDLE_SECONDS * 1000);
    const double seconds = (nowMs() - start) / 1000;
    printf("%-44s editor %5.2f %% of one core, X server %5.2f %%\n", what,
           100 * (cpuSeconds(editor) - editorBefore) / seconds, 100 * (cpuSeconds(xserver) - serverBefore) / seconds);
}

void report(const char* what, std::vector<double> ms) {
    const size_t failed = static_cast<size_t>(std::count(ms.begin(), ms.end(), -1.0));
    ms.erase(std::remove(ms.begin(), ms.end(), -1.0), ms.end());
    if (ms.empty()) {
        printf("%-60s never\n", what);
        return;
    }
    std::sort(ms.begin(), ms.end());
    printf("%-60s median %6.1f ms, fastest %6.1f, slowest %6.1f (%zu tries", what, ms[ms.size() / 2], ms.front(),
           ms.back(), ms.size());
    printf(failed ? ", %zu never showed)\n" : ")\n", failed);
}

int run(const std::string& maped, const std::string& world) {
    int fds[2];
    if (pipe(fds) != 0) return 1;
    const pid_t xserver = spawn({"Xvfb", "-displayfd", "1", "-screen", "0", "800x600x16", "-nolisten", "tcp", "-noreset"}, "", fds[1]);
    close(fds[1]);
    char number[16] = {};
    const ssize_t got = read(fds[0], number, sizeof number - 1);
    close(fds[0]);
    if (got <= 0) return fprintf(stderr, "Xvfb did not start\n"), 1;
    const std::string display = std::string(":") + strtok(number, "\n");
    setenv("DISPLAY", display.c_str(), 1);
    unsetenv("SDL_VIDEODRIVER");
    Screen screen;
    screen.display = XOpenDisplay(display.c_str());
    const pid_t editor = spawn({maped}, world);
    const double started = nowMs();
    while (!screen.findWindow("x=0 y=0") && nowMs() - started < 20000) sleepMs(20);
    if (!screen.window) {
        fprintf(stderr, "the editor's window did not open\n");
        end(editor);
        end(xserver);
        return 1;
    }
    XAutoRepeatOff(screen.display);
    XTestFakeMotionEvent(screen.display, 0, 790, 590, CurrentTime);  // keys go to the window under the pointer
    XFlush(screen.display);
    printf("idle_bench: %s in an 800x600 window on Xvfb (16 bits), %d s per idle figure\n\n", maped.c_str(), IDLE_SECONDS);
    measureIdle("window open, nobody touching it:", editor, xserver);

    std::vector<double> click, keyCaption, keyFrame, promptKey;
    for (int i = 0; i < TRIES; ++i) {
        // A left click on the minimap moves the view there in the frame that handles it.
        const int x = 150 + 2 * i, y = 150;  // Right then moves it to an x no click uses
        double since = nowMs();
        screen.button(1, x, y, true);
        const std::string moved = "x=" + std::to_string(x) + " y=" + std::to_string(y);
        click.push_back(msUntil(since, [&] { return screen.caption() == moved; }));
        screen.button(1, x, y, false);
        sleepMs(300);
        // Right scrolls, waits 100 ms and sets the caption; the next frame draws the new view.
        const std::vector<unsigned long> before = screen.pixels(0, 288, 800, 48);
        const std::string scrolled = "x=" + std::to_string(x + 1) + " y=" + std::to_string(y);
        screen.key(XK_Right, true);
        since = nowMs();
        sleepMs(50);
        screen.key(XK_Right, false);  // a tap: released during the command's wait, so it acts once
        keyCaption.push_back(msUntil(since, [&] { return screen.caption() == scrolled; }));
        keyFrame.push_back(msUntil(since, [&] { return screen.pixels(0, 288, 800, 48) != before; }));
        sleepMs(300);
    }

    // Z once (its wait is 100 ms, the release comes sooner), then a right click places an NPC.
    screen.key(XK_z, true);
    sleepMs(50);
    screen.key(XK_z, false);
    sleepMs(300);
    auto answerEmpty = [&] {
        const std::vector<unsigned long> strip = screen.pixels(10, PROMPT_TOP + 20, 500, 20);
        return !strip.empty() && std::count(strip.begin(), strip.end(), 0ul) == static_cast<long>(strip.size());
    };
    screen.button(3, 400, 300, true);
    screen.button(3, 400, 300, false);
    if (msUntil(nowMs(), answerEmpty) < 0) {
        fprintf(stderr, "no prompt opened\n");
    } else {
        measureIdle("prompt open, nobody touching it:", editor, xserver);
        for (int i = 0; i < TRIES; ++i) {
            const double since = nowMs();
            screen.key(XK_a, true);
            promptKey.push_back(msUntil(since, [&] { return !answerEmpty(); }));
            screen.key(XK_a, false);
            screen.key(XK_BackSpace, true);  // clears the line for the next try
            screen.key(XK_BackSpace, false);
            msUntil(nowMs(), answerEmpty);
            sleepMs(200);
        }
    }
    printf("\nfrom the press (of %d tries each):\n", TRIES);
    report("click on the minimap -> caption names the new view:", click);
    report("Right for 50 ms -> caption names it (after the 100 ms wait):", keyCaption);
    report("Right for 50 ms -> the window shows the new view:", keyFrame);
    report("A in the prompt -> the letter shows:", promptKey);
    XCloseDisplay(screen.display);
    end(editor);
    end(xserver);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IOLBF, 0);
    std::string maped = MAPED_BINARY;
    if (argc == 3 && !strcmp(argv[1], "--maped")) {
        maped = argv[2];
    } else if (argc != 1) {
        fprintf(stderr, "usage: %s [--maped BINARY]\n", argv[0]);
        return 2;
    }
    const std::string world = makeBenchWorld();
    if (world.empty()) return fprintf(stderr, "could not generate the default world\n"), 1;
    const int status = run(maped, world);
    removeBenchWorld(world);
    return status;
}
