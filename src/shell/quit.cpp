// Ending the editor without losing work: unsaved edits go to the recovery copy first, whether
// the user quits (Escape, the window's close button) or the process is told to end by a signal
// or loses its display.
#include <signal.h>
#include <unistd.h>

#include <cstdio>

#include "shell/map_editor.h"
#include "shell/x_display.h"
#include "world/recovery.h"

// A second Escape or close request this soon after one that found no place for the edits quits.
constexpr Uint32 QUIT_ANYWAY_MS = 3000;

static volatile sig_atomic_t pendingSignal = 0;

static void noteSignal(int signal) { pendingSignal = signal; }

// The editor whose edits are kept when the display goes away.
static MapEditor* editorOnDisplay = nullptr;

MapEditor::~MapEditor() {
    if (editorOnDisplay == this) editorOnDisplay = nullptr;
}

void MapEditor::catchSignals() {
    // Installed after the window opens, so they replace SDL's own, which turn SIGINT and SIGTERM
    // into a window close request (status 1) instead of the signal's own ending.
    struct sigaction action = {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

void MapEditor::catchDisplayLoss() {
    // Losing the X server ends the editor within Xlib (status 1, its "XIO: fatal IO error"
    // line), from whatever call found the connection gone. Keeping the copy makes no X call.
    editorOnDisplay = this;
    onXConnectionLoss([] {
        if (editorOnDisplay) editorOnDisplay->keepUnsavedEdits();
    });
}

void MapEditor::pollSignals() {
    const int signal = pendingSignal;
    if (!signal) return;
    keepUnsavedEdits();  // both places tried; the signal ends the editor either way
    // Ends as the signal would have: the parent sees the usual status for it.
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigaction(signal, &action, nullptr);
    raise(signal);
    _exit(128 + signal);
}

void MapEditor::quit(int status) {
    if (quitRefusedAt && SDL_GetTicks() - *quitRefusedAt <= QUIT_ANYWAY_MS) {
        quitStatus = status;  // the edits are given up, as asked twice
        return;
    }
    if (keepUnsavedEdits()) {
        quitStatus = status;
        return;
    }
    quitRefusedAt = SDL_GetTicks();
    fputs("***WARNING*** the unsaved edits could not be kept anywhere (see above): the editor goes on; Escape or "
          "close it again within 3 s to quit without them\n",
          stderr);
    notices.clear();
    addNotice("The unsaved edits could not be kept (see the error output).");
    addNotice("Press Escape again within 3 s to quit without them.");
}

bool MapEditor::keepUnsavedEdits() {
    const Outcome kept = Document::keepUnsavedEdits();
    report(kept.said);
    return kept.ok;
}

void MapEditor::runAutosave() { report(autosave(SDL_GetTicks()).said); }
