// Saving and loading the NPC and item definition directories.
#include "shell/map_editor.h"
#include "world/defdir.h"
#include "world/safe_file.h"

// Before the load command the lists do not hold the world's own files, and the savers refuse
// to number over them. A directory this run saved into while it had no 0.def (a new world)
// holds exactly the list afterwards, so later saves may renumber it as after a load.
template <typename List>
static bool saveList(const char* dir, const List& list, bool loaded, bool& written, PathFor pathFor,
                     bool (*save)(const std::string&, const List&, bool)) {
    bool firstWrite = !loaded && !written && !list.empty() && !fileExists(pathFor(dir, 0));
    bool saved = save(dir, list, loaded || written);
    if (firstWrite) written = true;
    return saved;
}

bool MapEditor::saveActors(const char* dir) {
    return saveList(dir, npcs, dataLoaded, npcFilesWritten, npcDefPath, saveActorFiles);
}
bool MapEditor::saveItems(const char* dir) {
    return saveList(dir, items, dataLoaded, itemFilesWritten, itemDefPath, saveItemFiles);
}
void MapEditor::loadActors(const char* dir) { loadActorFiles(dir, npcs); }
void MapEditor::loadItems(const char* dir) { loadItemFiles(dir, items); }
