// Ending the editor without losing work: unsaved edits go to the recovery copy first, whether
// the user quits (Escape, the window's close button) or the process is told to end by a signal.
#include <signal.h>
#include <unistd.h>

#include "shell/map_editor.h"
#include "world/recovery.h"

static volatile sig_atomic_t pendingSignal = 0;

static void noteSignal(int signal) { pendingSignal = signal; }

void MapEditor::catchSignals() {
    // Installed after the window opens, so they replace SDL's own, which turn SIGINT and SIGTERM
    // into a window close request (status 1) instead of the signal's own ending.
    struct sigaction action = {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

void MapEditor::pollSignals() {
    const int signal = pendingSignal;
    if (!signal) return;
    keepUnsavedEdits();
    // Ends as the signal would have: the parent sees the usual status for it.
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigaction(signal, &action, nullptr);
    raise(signal);
    _exit(128 + signal);
}

void MapEditor::quit(int status) {
    keepUnsavedEdits();
    quitStatus = status;
}

void MapEditor::keepUnsavedEdits() { report(Document::keepUnsavedEdits(RECOVERY_DATA_DIR).said); }
