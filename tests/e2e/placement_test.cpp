// NPCs and items placed through the real prompt, removed, saved and loaded, in the real window.
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

// Type 8, a ranged weapon, brings a ninth question.
const std::vector<std::string> ITEM_ANSWERS = {"Iron Bow", "bow", "a plain bow", "8", "15", "120", "2", "3", "4"};
std::string itemFile(const std::string& type, int x, int y, const std::string& range) {
    return type + "\n15\n120\n2\n" + std::to_string(x) + "\n" + std::to_string(y) + "\n0\nIron Bow\na plain bow\nbow\n3\n" +
           range + "\n";
}

}  // namespace

TEST_F(EditorWindowTest, PlacedNpcAndItemAreSavedExactlyAndTheirRemovalIsSaved) {
    // A new world: no definition directories yet, so S writes its files.
    fs::remove_all(data("npcdef"));
    fs::remove_all(data("idef"));
    ASSERT_NO_FATAL_FAILURE(launch());
    // Loading a world without definitions warns and keeps the editor running; after it a save
    // makes each directory hold exactly the list.
    ASSERT_NO_FATAL_FAILURE(load());
    EXPECT_NE(editor.err().find("*** WARNING *** DATA DIR data IS MISSING filename data/npcdef/0.def\n"), std::string::npos);
    EXPECT_NE(editor.err().find("*** WARNING *** DATA DIR data IS MISSING\n"), std::string::npos);

    ASSERT_NO_FATAL_FAILURE(setMode(1));
    const int npcX = 500 + 48 * scrollX, npcY = 300 + 48 * scrollY;
    ASSERT_NO_FATAL_FAILURE(openPrompt(500, 300));
    for (int q = 0; q < 16; ++q) ASSERT_NO_FATAL_FAILURE(answer(npcQuestionTop(q), NPC_ANSWERS[q]));

    ASSERT_NO_FATAL_FAILURE(setMode(2));
    const int itemX = 600 + 48 * scrollX, itemY = 420 + 48 * scrollY;
    ASSERT_NO_FATAL_FAILURE(openPrompt(600, 420));
    for (int q = 0; q < 9; ++q) ASSERT_NO_FATAL_FAILURE(answer(40 * q, ITEM_ANSWERS[q]));

    ASSERT_NO_FATAL_FAILURE(save());
    EXPECT_EQ(readFile(data("npcdef/0.def")), npcFile(npcX, npcY));
    EXPECT_EQ(readFile(data("idef/0.def")), itemFile("8", itemX, itemY, "4"));
    EXPECT_EQ(filesUnder(data("npcdef")).size(), 1u);
    EXPECT_EQ(filesUnder(data("idef")).size(), 1u);

    // Removal clicks inside each object's 48x48 box, wherever the view has moved since.
    ASSERT_NO_FATAL_FAILURE(setMode(3));
    ASSERT_NO_FATAL_FAILURE(click(3, npcX - 48 * scrollX + 10, npcY - 48 * scrollY + 10));
    ASSERT_NO_FATAL_FAILURE(setMode(4));
    ASSERT_NO_FATAL_FAILURE(click(3, itemX - 48 * scrollX + 10, itemY - 48 * scrollY + 10));
    ASSERT_NO_FATAL_FAILURE(save());
    EXPECT_TRUE(filesUnder(data("npcdef")).empty()) << "the removed NPC's file is still there";
    // A removed item keeps its file, marked with type 5; only a ranged weapon writes its range.
    EXPECT_EQ(readFile(data("idef/0.def")), itemFile("5", itemX, itemY, "0"));
    EXPECT_EQ(filesUnder(data("idef")).size(), 1u);
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

TEST_F(EditorWindowTest, LoadThenSaveWritesTheWorldBackByteForByte) {
    const auto before = filesUnder(data(""));
    ASSERT_GT(before.count("map.dat"), 0u);
    ASSERT_GT(before.count("npcdef/0.def"), 0u);
    ASSERT_GT(before.count("idef/0.def"), 0u);
    ASSERT_NO_FATAL_FAILURE(launch());
    ASSERT_NO_FATAL_FAILURE(load());
    ASSERT_NO_FATAL_FAILURE(save());
    ASSERT_NO_FATAL_FAILURE(waitForOutput("Written. closing\n"));
    EXPECT_TRUE(filesUnder(data("")) == before) << "the round trip changed the world's files";
    EXPECT_EQ(editor.err().find("***WARNING*** could not"), std::string::npos) << diagnostics();
    EXPECT_EQ(editor.err().find("not saved"), std::string::npos) << diagnostics();
}
