#pragma once
// The recovery copy: the world in memory, kept beside the world when the editor ends with
// unsaved edits, so that nothing is lost and data/ is left untouched.
#include <string>

#include "world/messages.h"
#include "world/world.h"

extern const char* const RECOVERY_DATA_DIR;  // "recovery/data", in the working directory

// Writes map.dat, npcdef/ and idef/ into dataDir in the save's formats and with its safe writing,
// replacing an earlier copy there whole (its surplus definition files are deleted). dataDir and
// its parent must be real directories or absent: a link there is refused rather than followed.
// False (with the save's warnings said) when anything was not written.
bool writeWorldCopy(const std::string& dataDir, const World& world, Messages& said);
