// Saves as a designer does, in the world in the working directory: L, a paint, one NPC edited,
// S; thirty NPCs placed, S (a directory of many files); a paint kept in the recovery copy.
#include <unistd.h>

#include "world/document.h"

int main() {
    auto doc = std::make_unique<Document>();
    char here[4096];
    if (!getcwd(here, sizeof here)) return 1;
    doc->dataDir = std::string(here) + "/data";  // the shim writes paths as given
    doc->recovery.root = std::string(here) + "/recovery";
    Messages said;
    if (!doc->openMap(said)) return 1;
    doc->load();
    doc->paint(1, 1, 3);
    Actor edited = doc->npcs.at(0);
    edited.name = "Edited";
    doc->editNpc(0, edited);
    bool ok = doc->save().ok;
    for (int n = 0; n < 30; ++n) doc->placeNpc(Actor());
    ok = doc->save().ok && ok;
    doc->paint(2, 2, 3);
    ok = doc->keepUnsavedEdits().ok && ok;
    return ok ? 0 : 1;
}
