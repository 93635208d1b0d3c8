// What the editor keeps and says when it ends with unsaved edits.
#include "editor_fixture.h"
#include "world/defdir.h"

TEST_F(EditorTest, UnsavedEditsGoToTheRecoveryCopyWithAWordOnWhatItHolds) {
    CaptureOutput clean;
    editor->keepUnsavedEdits();  // nothing edited: nothing written, nothing said
    EXPECT_EQ(clean.err(), "");
    EXPECT_FALSE(fileExists("recovery"));

    // An NPC placed before the world's own were loaded.
    editor->npcs.push_back(new Actor());
    editor->history.record(NpcPresence{0, std::make_unique<Actor>(), false});
    CaptureOutput capture;
    editor->keepUnsavedEdits();
    EXPECT_EQ(capture.err(),
              "***WARNING*** unsaved edits kept in recovery/data: copy its files into data/ to keep them\n"
              "***WARNING*** recovery/data/npcdef holds only the NPCs placed in this run: the world's own were never loaded\n");
    EXPECT_EQ(readFile(npcDefPath("recovery/data", 0)), Actor().serialize());
    EXPECT_EQ(readFile("recovery/data/map.dat"), editor->map.serialize());
}
