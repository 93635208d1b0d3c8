// Saving and loading the NPC and item definition directories.
#include "shell/map_editor.h"
#include "world/defdir.h"

bool MapEditor::saveActors(const char* dir) { return saveActorFiles(dir, npcs, dataLoaded); }
bool MapEditor::saveItems(const char* dir) { return saveItemFiles(dir, items, dataLoaded); }
void MapEditor::loadActors(const char* dir) { loadActorFiles(dir, npcs); }
void MapEditor::loadItems(const char* dir) { loadItemFiles(dir, items); }
