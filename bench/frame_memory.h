#pragma once
#include "shell/map_editor.h"

// How many bytes the heap grew by over 900 frames and 90 prompts, after 100 of each to fill
// the caches; much less than one small block per frame, so anything kept per frame shows.
long frameHeapGrowth(MapEditor& editor);
