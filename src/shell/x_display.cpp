#include "shell/x_display.h"

#include <SDL.h>
#include <X11/Xlib.h>

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
static XIOErrorHandler previousHandler = nullptr;

static int connectionLost(Display* display) {
    if (connectionLoss) connectionLoss();
    if (previousHandler) return previousHandler(display);
    exit(1);
}

void onXConnectionLoss(void (*onLoss)()) {
    connectionLoss = onLoss;
    XIOErrorHandler previous = XSetIOErrorHandler(connectionLost);
    if (previous != connectionLost) previousHandler = previous;
}
