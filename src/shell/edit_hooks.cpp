// What an edit of a placed NPC or item hands on once it changed something.
#include "shell/map_editor.h"

// The edit history records these.
void MapEditor::recordNpcEdit(int, const Actor&) {}
void MapEditor::recordItemEdit(int, const Item&) {}
