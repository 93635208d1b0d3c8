// An NPC placed through the real prompt, removed, undone, saved and loaded, in the real
// window; a signal with unsaved edits.
#include <signal.h>

#include <filesystem>
#include <string>
#include <vector>

#include "editor_window_test.h"

namespace fs = std::filesystem;

namespace {

// The sixteen answers, in the order of the questions, and the file they make. No answer
// repeats a character back to back: SDL takes a key released and pressed again within 2 ms
// (by the X server's clock, which a loaded machine can bunch up) for a key repeat and drops
// both.
const std::vector<std::string> NPC_ANSWERS = {"Bob Smith", "hi there", "Bye now", "3", "2", "7", "10", "12",
                                              "5", "6", "150 xp", "8", "9", "4", "2", "0"};
int npcQuestionTop(int question) { return question < 14 ? 40 * question : 40 * (question - 14); }
std::string npcFile(int x, int y) {
    return std::to_string(x) + "\n" + std::to_string(y) +
           "\n10\n12\n5\n6\n150\n0\n8\n9\n4\n7\n1\nhi there\nBye now\nBob Smith\n0\n3\n2\n0\n";
}

}  // namespace

TEST_F(EditorWindowTest, APlacedNpcIsSavedExactlyAndItsRemovalIsSaved) {
    // No NPC directory yet: L warns and the editor goes on; after it S writes the directory
    // holding exactly the list.
    fs::remove_all(data("npcdef"));
    ASSERT_NO_FATAL_FAILURE(launch());
    ASSERT_NO_FATAL_FAILURE(load());
    EXPECT_NE(editor.err().find("*** WARNING *** DATA DIR data IS MISSING filename data/npcdef/0.def\n"), std::string::npos);

    ASSERT_NO_FATAL_FAILURE(setMode(1));
    const int npcX = 500 + 48 * scrollX, npcY = 300 + 48 * scrollY;
    ASSERT_NO_FATAL_FAILURE(openPrompt(500, 300));
    for (int q = 0; q < 16; ++q) ASSERT_NO_FATAL_FAILURE(answer(npcQuestionTop(q), NPC_ANSWERS[q]));

    ASSERT_NO_FATAL_FAILURE(save());
    EXPECT_EQ(readFile(data("npcdef/0.def")), npcFile(npcX, npcY));
    EXPECT_EQ(filesUnder(data("npcdef")).size(), 1u);

    // Removal clicks inside the NPC's 48x48 box, wherever the view has moved since.
    ASSERT_NO_FATAL_FAILURE(setMode(3));
    ASSERT_NO_FATAL_FAILURE(click(3, npcX - 48 * scrollX + 10, npcY - 48 * scrollY + 10));
    ASSERT_NO_FATAL_FAILURE(save());
    EXPECT_TRUE(filesUnder(data("npcdef")).empty()) << "the removed NPC's file is still there";
    EXPECT_EQ(editor.err().find("***WARNING*** could not"), std::string::npos) << diagnostics();
    EXPECT_EQ(editor.err().find("not saved"), std::string::npos) << diagnostics();
}

// That a save before the load command leaves the world's files alone is tested without a
// window (tests/world and tests/sdl).
TEST_F(EditorWindowTest, ClosingTheWindowDuringAPromptExitsWithZero) {
    ASSERT_NO_FATAL_FAILURE(launch());
    ASSERT_NO_FATAL_FAILURE(setMode(1));
    ASSERT_NO_FATAL_FAILURE(openPrompt(500, 300));
    ASSERT_TRUE(x.sendCloseRequest(window));
    ASSERT_NO_FATAL_FAILURE(expectExit(0));
}

// Load, a removal undone, and a save write the world back byte for byte.
TEST_F(EditorWindowTest, ARemovedNpcComesBackInItsPlaceAndASignalKeepsUnsavedEdits) {
    // Three NPCs in view, at known places.
    const std::string dir = data("npcdef");
    for (int n = 3; fileExists(dir + "/" + std::to_string(n) + ".def"); ++n) removeFile(dir + "/" + std::to_string(n) + ".def");
    for (int n = 0; n < 3; ++n) {
        std::string bytes = readFile(dir + "/" + std::to_string(n) + ".def");
        bytes = std::to_string(100 + 150 * n) + "\n200\n" + bytes.substr(bytes.find('\n', bytes.find('\n') + 1) + 1);
        writeFile(dir + "/" + std::to_string(n) + ".def", bytes);
    }
    const auto before = filesUnder(data(""));
    ASSERT_GT(before.count("map.dat") * before.count("idef/0.def"), 0u);
    ASSERT_NO_FATAL_FAILURE(launch());
    ASSERT_NO_FATAL_FAILURE(load());
    ASSERT_NO_FATAL_FAILURE(setMode(3));
    ASSERT_NO_FATAL_FAILURE(click(3, 250 - 48 * scrollX + 10, 200 - 48 * scrollY + 10));
    ASSERT_NO_FATAL_FAILURE(chord("z", "Undo: NPC "));
    ASSERT_NO_FATAL_FAILURE(save());
    EXPECT_TRUE(filesUnder(data("")) == before) << "the NPC did not come back in its place, or the round trip changed files";
    EXPECT_EQ(editor.err().find("***WARNING*** could not"), std::string::npos) << diagnostics();
    EXPECT_EQ(editor.err().find("not saved"), std::string::npos) << diagnostics();

    ASSERT_NO_FATAL_FAILURE(chord("y", "Redo: NPC "));
    ASSERT_EQ(kill(editor.pid, SIGTERM), 0);
    ASSERT_TRUE(editor.waitForExit(WAIT_MS)) << diagnostics();
    EXPECT_EQ(editor.endSignal, SIGTERM);
    EXPECT_TRUE(filesUnder(data("")) == before);
    EXPECT_EQ(filesUnder(world / "recovery/data/npcdef").size(), 2u);
}
