// Ending the editor without losing work: unsaved edits go to the recovery copy first, whether
// the user quits (Escape, the window's close button) or the process is told to end by a signal.
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "shell/map_editor.h"
#include "world/defdir.h"
#include "world/recovery.h"
#include "world/safe_file.h"

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
    exit(status);
}

void MapEditor::keepUnsavedEdits() {
    if (!history.hasUnsavedEdits()) return;  // an earlier recovery copy stays as it is
    if (!writeWorldCopy(RECOVERY_DATA_DIR, map, npcs, items)) return;
    fprintf(stderr, "***WARNING*** unsaved edits kept in recovery/data: copy its files into data/ to keep them\n");
    // Before the load command the lists hold only what this run placed, not the world's own.
    struct Kind {
        bool partial;
        const char* dir;
        const char* what;
    };
    const Kind kinds[] = {
        {!npcs.empty() && ownedNpcFiles == 0 && fileExists(npcDefPath(DATA_DIR, 0)), "npcdef", "NPCs"},
        {!items.empty() && ownedItemFiles == 0 && fileExists(itemDefPath(DATA_DIR, 0)), "idef", "items"},
    };
    for (const Kind& kind : kinds)
        if (!dataLoaded && kind.partial)
            fprintf(stderr, "***WARNING*** recovery/data/%s holds only the %s placed in this run: the world's own were never loaded\n",
                    kind.dir, kind.what);
}
