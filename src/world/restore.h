#pragma once
// Putting a recovery copy back in place of the world's files (maped --restore), and whether a
// copy beside the world holds edits that data/ does not.
#include <string>

#include "world/messages.h"

// What the finished copy at root would do to the world in dataDir.
struct RestoreCheck {
    bool found = false;    // a finished copy is there (one without its manifest counts as none)
    std::string refusal;   // why it cannot be restored; "" when it can
    bool changes = false;  // restoring would change the world's files
};
RestoreCheck checkRecoveryCopy(const std::string& root, const std::string& dataDir);

// Restores only what the copy truly holds: the map, and each definition directory the copy
// holds whole (files 0..n-1 in place of the ones the run read or wrote, the rest of those
// removed), each directory all or nothing with the save's safe writing; then removes the copy.
// A directory that run never loaded nor changed is left alone. Refused, with nothing changed,
// when another editor has the world (lockPath) open, when a directory holds only objects placed
// in a run that never loaded the world's own, or when restoring would write over or hide a file
// that run never read. Returns the exit status: 0 restored, 1 a file could not be written (the
// copy is kept), 2 no copy or refused (one line says why).
int restoreRecoveryCopy(const std::string& root, const std::string& dataDir, const std::string& lockPath,
                        Messages& said);
