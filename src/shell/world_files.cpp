// Saving and loading the NPC and item definition directories.
#include "shell/map_editor.h"
#include "world/defdir.h"

// A save overwrites or deletes only the files this run loaded or wrote (see saveActorFiles).
bool MapEditor::saveActors(const char* dir) { return saveActorFiles(dir, npcs, ownedNpcFiles, dataLoaded); }
bool MapEditor::saveItems(const char* dir) { return saveItemFiles(dir, items, ownedItemFiles, dataLoaded); }
void MapEditor::loadActors(const char* dir) { ownedNpcFiles = loadActorFiles(dir, npcs); }
void MapEditor::loadItems(const char* dir) { ownedItemFiles = loadItemFiles(dir, items); }
