// The save command on NPCs and items, through the editor's savers.
#include <gtest/gtest.h>

#include <filesystem>

#include "editor_fixture.h"
#include "world/defdir.h"

namespace {

class WorldFilesTest : public EditorTest {
protected:
    Actor* placeNpc(const char* name) {
        Actor* actor = new Actor();
        actor->name = name;
        editor->npcs.push_back(actor);
        return actor;
    }
    bool save() {
        CaptureOutput quiet;
        bool saved = editor->saveActors(DATA_DIR);
        lastErr = quiet.err();
        return saved;
    }
    std::string lastErr;
};

TEST_F(WorldFilesTest, NewWorldCanBeSavedAgainAndAgainInOneRun) {
    // A world without NPC files: the first save numbers them from 0, and later saves in the
    // same run renumber the directory (it holds exactly the list) instead of refusing.
    std::filesystem::remove_all("data/npcdef");
    placeNpc("Ann");
    EXPECT_TRUE(save()) << lastErr;
    placeNpc("Bob");
    placeNpc("Cid");
    EXPECT_TRUE(save()) << lastErr;
    EXPECT_EQ(lastErr, "");
    editor->killNPCAt(0, 0);  // all three stand at (0, 0): the first goes
    EXPECT_TRUE(save()) << lastErr;
    Actor first, second;
    ASSERT_EQ(first.serializeFrom(npcDefPath(DATA_DIR, 0)), 0);
    ASSERT_EQ(second.serializeFrom(npcDefPath(DATA_DIR, 1)), 0);
    EXPECT_EQ(first.name, "Bob");
    EXPECT_EQ(second.name, "Cid");
    EXPECT_FALSE(fileExists(npcDefPath(DATA_DIR, 2)));
}

TEST_F(WorldFilesTest, ExistingWorldIsNotOverwrittenBeforeItsLoad) {
    std::string before = readFile(npcDefPath(DATA_DIR, 0));
    ASSERT_FALSE(before.empty());
    placeNpc("Ann");
    EXPECT_FALSE(save());
    EXPECT_EQ(lastErr, "***WARNING*** NPCs not saved: press L to load the world's NPCs first\n");
    EXPECT_FALSE(save());  // still refused: this run has not written the directory
    EXPECT_EQ(readFile(npcDefPath(DATA_DIR, 0)), before);
    EXPECT_EQ(editor->npcs.size(), 1u);
}

}  // namespace
