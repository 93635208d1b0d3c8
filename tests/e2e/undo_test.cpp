// Undo and redo through Ctrl chords in the real window, and the recovery copy kept when the
// editor ends with unsaved edits (Escape, a signal).
#include <signal.h>

#include <string>

#include "editor_window_test.h"

namespace {
constexpr int ROW_BYTES = 351;
}  // namespace

class UndoTest : public EditorWindowTest {
protected:
    // One step: the chord, modifiers first, is held until its line appears; the release lands
    // within the step's 200 ms wait. (A second step would show in the saved bytes.)
    void step(const std::string& key, const std::string& said, bool shift = false) {
        const int before = occurrences(editor.out(), said);
        std::vector<std::string> chord = {"Control_L"};
        if (shift) chord.push_back("Shift_L");
        for (const std::string& k : chord) ASSERT_NO_FATAL_FAILURE(keys({k}, true));
        ASSERT_NO_FATAL_FAILURE(keys({key}, true));
        bool seen = waitWhileRunning([&] { return occurrences(editor.out(), said) > before; });
        ASSERT_NO_FATAL_FAILURE(keys({key}, false));
        for (auto k = chord.rbegin(); k != chord.rend(); ++k) ASSERT_NO_FATAL_FAILURE(keys({*k}, false));
        ASSERT_TRUE(seen) << "no \"" << said << "\"" << diagnostics();
    }
};

TEST_F(UndoTest, PaintAndFillAreUndoneAndRedoneAndEscapeKeepsTheRestInTheRecoveryCopy) {
    const std::string original = readFile(data("map.dat"));
    ASSERT_NO_FATAL_FAILURE(launch());
    tile = tapCounted("bracketright") % 47;
    const char painted = static_cast<char>('A' + tile);
    int column = 8;
    while (column < 15 && original[(10 + scrollY) * ROW_BYTES + column + scrollX] == painted) ++column;
    ASSERT_NO_FATAL_FAILURE(click(1, column * 48 + 24, 10 * 48 + 24));
    std::string edited = original;
    edited[(10 + scrollY) * ROW_BYTES + column + scrollX] = painted;
    // A fill: S held with F shows when F was seen (S acts first in the frame, then F fills).
    ASSERT_NO_FATAL_FAILURE(click(3, 11 * 48 + 10, 5 * 48 + 10));
    ASSERT_NO_FATAL_FAILURE(click(3, 8 * 48 + 10, 1 * 48 + 10));
    const int saves = occurrences(editor.out(), "Written. closing");
    ASSERT_NO_FATAL_FAILURE(keys({"f", "s"}, true));
    bool filled = waitWhileRunning([&] { return occurrences(editor.out(), "Written. closing") > saves; });
    ASSERT_NO_FATAL_FAILURE(keys({"s", "f"}, false));
    ASSERT_TRUE(filled) << diagnostics();

    ASSERT_NO_FATAL_FAILURE(step("z", "Undo: fill of "));
    ASSERT_NO_FATAL_FAILURE(step("z", "Undo: paint of cell "));
    // Still in select mode: had Ctrl+Z moved it to a place mode, this click would open a
    // prompt, and the screenshot key would not be read until it closed.
    ASSERT_NO_FATAL_FAILURE(click(3, 600, 500));
    ASSERT_NO_FATAL_FAILURE(pressOnce({}));
    ASSERT_NO_FATAL_FAILURE(save());
    EXPECT_TRUE(readFile(data("map.dat")) == original) << "undo left changes behind";

    ASSERT_NO_FATAL_FAILURE(step("y", "Redo: paint of cell "));
    ASSERT_NO_FATAL_FAILURE(save());
    EXPECT_TRUE(readFile(data("map.dat")) == edited);

    // An edit after the last save: Escape keeps it in recovery/data and leaves data/ alone.
    ASSERT_NO_FATAL_FAILURE(step("z", "Redo: fill of ", true));
    const auto saved = filesUnder(data(""));
    ASSERT_NO_FATAL_FAILURE(keys({"Escape"}, true));
    ASSERT_NO_FATAL_FAILURE(expectExit(1));
    EXPECT_TRUE(filesUnder(data("")) == saved);
    const std::string copy = readFile(world / "recovery/data/map.dat");
    EXPECT_EQ(copy.size(), original.size());
    EXPECT_TRUE(copy != edited && copy != original) << "the recovery copy lacks the fill";
    EXPECT_NE(editor.err().find("***WARNING*** unsaved edits kept in recovery/data: copy its files into data/ to keep them\n"),
              std::string::npos);
}

TEST_F(UndoTest, ARemovedNpcComesBackInItsPlaceAndASignalKeepsUnsavedEdits) {
    // Three NPCs in view, at known places.
    const std::string dir = data("npcdef");
    for (int n = 3; fileExists(dir + "/" + std::to_string(n) + ".def"); ++n) removeFile(dir + "/" + std::to_string(n) + ".def");
    for (int n = 0; n < 3; ++n) {
        std::string bytes = readFile(dir + "/" + std::to_string(n) + ".def");
        bytes = std::to_string(100 + 150 * n) + "\n200\n" + bytes.substr(bytes.find('\n', bytes.find('\n') + 1) + 1);
        writeFile(dir + "/" + std::to_string(n) + ".def", bytes);
    }
    const auto files = filesUnder(dir);
    ASSERT_NO_FATAL_FAILURE(launch());
    ASSERT_NO_FATAL_FAILURE(load());
    ASSERT_NO_FATAL_FAILURE(setMode(3));
    ASSERT_NO_FATAL_FAILURE(click(3, 250 - 48 * scrollX + 10, 200 - 48 * scrollY + 10));
    ASSERT_NO_FATAL_FAILURE(step("z", "Undo: NPC "));
    ASSERT_NO_FATAL_FAILURE(save());
    EXPECT_TRUE(filesUnder(dir) == files) << "the NPC did not come back in its place";

    ASSERT_NO_FATAL_FAILURE(step("y", "Redo: NPC "));
    ASSERT_EQ(kill(editor.pid, SIGTERM), 0);
    ASSERT_TRUE(editor.waitForExit(WAIT_MS)) << diagnostics();
    EXPECT_EQ(editor.endSignal, SIGTERM);
    EXPECT_TRUE(filesUnder(dir) == files);
    EXPECT_EQ(filesUnder(world / "recovery/data/npcdef").size(), 2u);
}
