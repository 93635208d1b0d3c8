#include "shell/x_display.h"

#include <SDL.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

constexpr Uint32 RETRY_MS = 2000;
constexpr Uint32 RETRY_STEP_MS = 50;

// SDL 1.2 opens the display once to see whether X11 is there, closes it, then opens it
// again for the window. If that first connection was the server's only client, an X server
// started without -noreset (xvfb-run's default) resets when it closes, and SDL's second
// open finds no server. Retrying SDL's start-up does not cure that: each try repeats the
// open-close pair and can trigger the next reset. A connection of our own, opened first
// and kept until the window is open, means SDL's connections are never the last ones, so
// the server cannot reset between them. Our own open retries for two seconds in case a
// reset caused by some other client is under way.
void* holdXDisplay() {
    const char* driver = getenv("SDL_VIDEODRIVER");
    if (driver && *driver && strcmp(driver, "x11") != 0) return nullptr;
    const Uint32 start = SDL_GetTicks();
    for (;;) {
        Display* display = XOpenDisplay(nullptr);
        if (display || SDL_GetTicks() - start >= RETRY_MS) return display;
        SDL_Delay(RETRY_STEP_MS);
    }
}

void releaseXDisplay(void* connection) {
    if (connection) XCloseDisplay(static_cast<Display*>(connection));
}

static void (*connectionLoss)() = nullptr;

// Xlib's own handler prints its line and calls exit(1); exit would run the exit handlers, and
// SDL's would talk to the server that is gone (SDL's own handler, chained before, forgets the
// display so as not to, which leaves what hangs off it unreachable). So the line is printed as
// Xlib prints it, from the display's fields (no X call), and the process ends at once.
static int connectionLost(Display* display) {
    const int error = errno;  // of the read or write that found the connection gone
    if (connectionLoss) connectionLoss();
    if (error == EPIPE || error == ECONNRESET) {
        fprintf(stderr, "X connection to %s broken (explicit kill or server shutdown).\r\n", DisplayString(display));
    } else {
        fprintf(stderr, "XIO:  fatal IO error %d (%s) on X server \"%s\"\r\n", error, strerror(error),
                DisplayString(display));
        fprintf(stderr, "      after %lu requests (%lu known processed) with %d events remaining.\r\n",
                NextRequest(display) - 1, LastKnownRequestProcessed(display), QLength(display));
    }
    fflush(stderr);
    _exit(1);
}

void onXConnectionLoss(void (*onLoss)()) {
    connectionLoss = onLoss;
    XSetIOErrorHandler(connectionLost);
}
