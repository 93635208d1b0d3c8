// The real editor binary in a real window under a private X server, driven as a user drives it
// (held keys and clicks through XTEST, typing through xdotool), for what only a real window and
// process show; each test's name says what it covers.
#include <gtest/gtest.h>
#include <signal.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "test_support.h"
#include "world/defdir.h"
#include "x_client.h"

namespace {

constexpr int START_MS = 20000;  // start-up loads the whole art set, slower in debug builds
constexpr int SETTLE_MS = 600;   // well over one frame with three commands waiting
constexpr size_t ROW_BYTES = 351;  // a map row: 350 characters and a line feed

// The sixteen answers, in the order of the questions. No answer repeats a character back to
// back: SDL takes a key released and pressed again within 2 ms (by the X server's clock, which
// a loaded machine can bunch up) for a key repeat and drops both.
const std::vector<std::string> NPC_ANSWERS = {"Bob Smith", "hi there", "Bye now", "3", "2", "7", "10", "12",
                                              "5", "6", "150 xp", "8", "9", "4", "2", "0"};

// The 48x48 cell at (x, y) of a picture as the 16-bit (5-6-5) window shows it.
std::vector<unsigned long> cell565(const PngPixels& picture, int x, int y) {
    std::vector<unsigned long> cell;
    for (int row = y; row < y + 48; ++row)
        for (int col = x; col < x + 48; ++col) {
            const std::uint32_t p = picture.at(col, row);
            cell.push_back((p & 0xf8) << 8 | (p >> 5 & 0x7e0) | (p >> 19 & 0x1f));
        }
    return cell;
}

}  // namespace

class EditorWindowTest : public ::testing::Test {
protected:
    // In the order of their lives: the editor ends before the X connection, that before Xvfb.
    TempDir world;  // the editor's working directory: data/ and edfont.ttf
    TempDir logs;   // what the X server and the editor print
    ChildProcess xserver;
    std::string display;  // ":N"
    XClient x;
    ChildProcess editor;
    unsigned long window = 0;
    int scrollX = 0, scrollY = 0;  // the view's top-left cell, as the caption last said
    int mode = 0;                  // the right-click mode, from the counted presses of Z

    // The default world and an X server (16-bit screen, no TCP).
    void SetUp() override {
        makeDefaultWorld(world.path);
        ASSERT_NO_FATAL_FAILURE(startServer(true));
        ASSERT_TRUE(x.open(display)) << "cannot connect to Xvfb on " << display;
    }

    // Starts the X server; without noReset it resets whenever its last client leaves.
    void startServer(bool noReset) {
        // Xvfb picks a free display itself and writes its number, then a line feed, once it listens.
        std::vector<std::string> argv = {"Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x16", "-nolisten", "tcp"};
        if (noReset) argv.push_back("-noreset");
        ASSERT_TRUE(xserver.start(argv, "", {}, logs / "xvfb.display", logs / "xvfb.log"));
        ASSERT_TRUE(waitUntil([&] { return xserver.out().find('\n') != std::string::npos || xserver.poll(); }))
            << "Xvfb did not report a display: " << xserver.err();
        ASSERT_FALSE(xserver.ended) << "Xvfb ended: " << xserver.err();
        display = ":" + xserver.out().substr(0, xserver.out().find('\n'));
    }

    void TearDown() override {
        editor.stop();
        x.close();
        xserver.stop(SIGTERM, 5000);  // a terminated Xvfb removes its socket and lock file
    }

    std::string data(const std::string& relative) const { return world / ("data/" + relative); }

    // The caption and the editor's output, for failure messages.
    std::string diagnostics() {
        std::string text = "\ncaption: \"" + (window ? caption() : std::string("(no window)")) + "\"";
        if (editor.poll())
            text += "\neditor ended: status " + std::to_string(editor.exitStatus) + ", signal " +
                    std::to_string(editor.endSignal);
        return text + "\neditor stdout:\n" + editor.out() + "\neditor stderr:\n" + editor.err();
    }

    bool xdotool(const std::vector<std::string>& args, std::string* output = nullptr) {
        std::vector<std::string> argv = {"xdotool"};
        argv.insert(argv.end(), args.begin(), args.end());
        ProcessResult result = runProcess(argv, "", {"DISPLAY=" + display}, WAIT_MS);
        if (output) *output = result.out;
        return result.status == 0;
    }

    // Starts the editor and waits for its window, captioned "x=0 y=0" (or as given) after the first frame.
    void launch(const std::vector<std::string>& args = {}, std::vector<std::string> env = {}, std::string cwd = "",
                const std::string& firstCaption = "x=0 y=0") {
        env.insert(env.end(), {"DISPLAY=" + display, "SDL_VIDEODRIVER", "SDL_AUDIODRIVER=dummy"});
        std::vector<std::string> argv = {MAPED_BINARY};
        argv.insert(argv.end(), args.begin(), args.end());
        ASSERT_TRUE(editor.start(argv, cwd.empty() ? world.path : cwd, env, logs / "editor.out", logs / "editor.err"));
        // The editor prints this once its window is open. Until then no other client connects:
        // one could keep a server that resets when its last client leaves from resetting.
        waitUntil([&] { return editor.poll() || editor.out().find("Assets loaded.") != std::string::npos; }, START_MS);
        std::string found;
        const auto search = [&] { return xdotool({"search", "--name", "^" + firstCaption + "$"}, &found), !found.empty(); };
        bool shown = waitUntil([&] { return editor.poll() || search(); }, START_MS, 50);
        ASSERT_FALSE(editor.ended) << "the editor ended at start-up" << diagnostics();
        ASSERT_TRUE(shown) << "no window captioned \"" << firstCaption << "\" within " << START_MS << " ms" << diagnostics();
        window = std::stoul(found);
        // Without a window manager keys go to the window under the pointer.
        ASSERT_TRUE(xdotool({"mousemove", "--window", std::to_string(window), "790", "590"}));
    }

    void expectExit(int status) {
        ASSERT_TRUE(editor.waitForExit(WAIT_MS)) << "the editor is still running" << diagnostics();
        EXPECT_EQ(editor.endSignal, 0) << diagnostics();
        EXPECT_EQ(editor.exitStatus, status) << diagnostics();
    }

    std::string caption() { return x.windowName(window); }

    void readCaption() {
        const std::string text = caption();
        char rest = 0;
        ASSERT_EQ(std::sscanf(text.c_str(), "x=%d y=%d%c", &scrollX, &scrollY, &rest), 2) << "caption " << text;
    }

    // Waits until the caption has stopped changing, then reads it.
    void settleCaption() {
        std::string last = caption();
        auto since = std::chrono::steady_clock::now();
        bool settled = waitWhileRunning([&] {
            if (caption() != last) {
                last = caption();
                since = std::chrono::steady_clock::now();
            }
            return std::chrono::steady_clock::now() - since >= std::chrono::milliseconds(SETTLE_MS);
        });
        ASSERT_TRUE(settled) << "the caption kept changing" << diagnostics();
        readCaption();
    }

    // Holds the keys with F3 until the screenshot appears: F3 acts last in a frame and waits
    // 100 ms, so the keys act in that frame only.
    void pressOnce(std::vector<std::string> held) {
        held.push_back("F3");
        removeFile(world / "sshot.bmp");
        ASSERT_FALSE(fileExists(world / "sshot.bmp"));
        ASSERT_TRUE(x.sendKeys(held, true));
        bool shot = waitWhileRunning([&] { return fileExists(world / "sshot.bmp"); });
        ASSERT_TRUE(x.sendKeys(held, false));
        ASSERT_TRUE(shot) << "no screenshot while holding the keys" << diagnostics();
    }

    // pressOnce with Down as a counter: the frames the key acted in, read from the caption.
    int tapCounted(const std::string& key) {
        readCaption();
        const int before = scrollY;
        pressOnce({key, "Down"});
        // The caption follows at the end of the frame, after the screenshot's wait.
        EXPECT_TRUE(waitWhileRunning([&] { return readCaption(), scrollY != before; })) << "no scroll" << diagnostics();
        settleCaption();
        return scrollY - before;
    }

    void setMode(int target) {
        for (int attempt = 0; attempt < 10 && mode != target && !HasFatalFailure(); ++attempt)
            mode = (mode + tapCounted("z")) % 5;
        ASSERT_EQ(mode, target);
    }

    // Ctrl with the key (Ctrl down first and up last), held until the editor prints its line;
    // the release lands within the command's 200 ms wait, so it acts once.
    void chord(const std::string& key, const std::string& said) {
        const size_t before = editor.out().size();
        ASSERT_TRUE(x.sendKeys({"Control_L", key}, true));
        bool seen = waitWhileRunning([&] { return editor.out().find(said, before) != std::string::npos; });
        ASSERT_TRUE(x.sendKeys({key, "Control_L"}, false));
        ASSERT_TRUE(seen) << "no \"" << said << "\"" << diagnostics();
    }

    // Whether the black answer strip of a question asked at top is shown, with nothing typed.
    bool answerStripShown(int top) {
        return x.pixels(window, 10, top + 20, 500, 20) == std::vector<unsigned long>(500 * 20, 0);
    }

    // Right-clicks and waits for the first question's black answer strip: the prompt is open.
    void openPrompt(int px, int py) {
        // The map lies there now; only an open prompt paints the strip black.
        ASSERT_TRUE(waitWhileRunning([&] { return !answerStripShown(0); })) << diagnostics();
        ASSERT_TRUE(x.click(window, 3, px, py));
        ASSERT_TRUE(waitWhileRunning([&] { return answerStripShown(0); })) << "no prompt opened" << diagnostics();
    }

    // Waits for the question asked at top, types the answer and Return. Answers are not empty,
    // so that a later question asked at the same place is told apart by its black strip.
    void answer(int top, const std::string& text) {
        ASSERT_FALSE(text.empty());
        // Typing only once the question shows keeps each answer to its own question.
        ASSERT_TRUE(waitWhileRunning([&] { return answerStripShown(top); })) << "no question " << top << diagnostics();
        ASSERT_TRUE(xdotool({"type", "--delay", "20", text}));
        ASSERT_TRUE(xdotool({"key", "Return"}));
    }

    // Paints a cell in view that holds another tile than the current one (tile 0, at start) with
    // a click, and returns the map the editor then holds.
    std::string paintACell(const std::string& root) {
        std::string map = readFile(root + "/data/map.dat");
        for (int row = 8; row < 12; ++row)
            for (int column = 8; column < 15; ++column) {
                const size_t cell = row * ROW_BYTES + column, before = editor.out().size();
                if (map[cell] == 'A') continue;
                EXPECT_TRUE(x.click(window, 1, column * 48 + 24, row * 48 + 24));
                const std::string echo = std::to_string(column) + "," + std::to_string(row) + "\n";
                EXPECT_TRUE(waitWhileRunning([&] { return editor.out().find(echo, before) != std::string::npos; }))
                    << diagnostics();
                map[cell] = 'A';
                return map;
            }
        ADD_FAILURE() << "no cell in view to paint";
        return map;
    }

    // G, then the typed answer (none: Return keeps the last one), until the editor says `said`.
    void goTo(const std::string& typed, const std::string& said) {
        const auto stripShown = [&] { return x.pixels(window, 300, 20, 200, 20) == std::vector<unsigned long>(200 * 20, 0); };
        ASSERT_TRUE(waitWhileRunning([&] { return !stripShown(); })) << diagnostics();
        ASSERT_TRUE(x.sendKeys({"g"}, true));
        const bool asked = waitWhileRunning(stripShown);
        ASSERT_TRUE(x.sendKeys({"g"}, false));
        ASSERT_TRUE(asked) << "no Go to: prompt" << diagnostics();
        if (!typed.empty()) {
            ASSERT_TRUE(xdotool({"type", "--delay", "20", typed}));
        }
        ASSERT_TRUE(xdotool({"key", "Return"}));
        ASSERT_TRUE(waitWhileRunning([&] { return editor.out().find(said) != std::string::npos; })) << diagnostics();
    }

    template <typename Condition>
    bool waitWhileRunning(Condition done, int timeoutMs = WAIT_MS) {
        return waitUntil([&] { return done() || editor.poll(); }, timeoutMs) && !editor.ended;
    }
};

TEST_F(EditorWindowTest, TheUncoveredWindowIsRepaintedHeldRightScrollsTheMinimapJumpsAndClosingExitsWithOne) {
    ASSERT_NO_FATAL_FAILURE(launch());
    // The window is idle: only the uncovering makes it draw again.
    const auto shown = [&] { return x.pixels(window, 100, 100, 300, 200); };
    const std::vector<unsigned long> before = shown();
    const unsigned long cover = x.cover(window, 100, 100, 300, 200);
    ASSERT_TRUE(waitWhileRunning([&] { return shown() != before; })) << "the cover did not show" << diagnostics();
    x.destroyWindow(cover);
    EXPECT_TRUE(waitWhileRunning([&] { return shown() == before; })) << "not repainted" << diagnostics();

    // Held, Right acts in frame after frame.
    ASSERT_TRUE(x.sendKeys({"Right"}, true));
    const bool scrolled = waitWhileRunning([&] { return readCaption(), scrollX >= 3; });
    ASSERT_TRUE(x.sendKeys({"Right"}, false));
    ASSERT_TRUE(scrolled) << diagnostics();
    ASSERT_NO_FATAL_FAILURE(settleCaption());
    EXPECT_EQ(scrollY, 0);
    // The minimap lies at the window's corner with one pixel per cell.
    ASSERT_TRUE(x.click(window, 1, 100, 60));
    EXPECT_TRUE(waitWhileRunning([&] { return caption() == "x=100 y=60"; })) << diagnostics();
    ASSERT_TRUE(x.sendCloseRequest(window));
    ASSERT_NO_FATAL_FAILURE(expectExit(1));
}

TEST_F(EditorWindowTest, APaintIsShownInTheWindowAndTheScreenshotSavedExactlyAndEscapeKeepsItsUndoInTheRecoveryCopy) {
    const std::string original = readFile(data("map.dat"));
    ASSERT_NO_FATAL_FAILURE(launch());
    const int tile = tapCounted("bracketright") % 47;
    ASSERT_NE(tile, 0);
    const char painted = static_cast<char>('A' + tile);
    // A cell in window row 10, clear of the minimap and of the current-tile display, whose
    // tile is not the one painted.
    const int row = 10;
    int column = 8;
    while (column < 15 && original[(row + scrollY) * ROW_BYTES + column + scrollX] == painted) ++column;
    const size_t cell = (row + scrollY) * ROW_BYTES + column + scrollX;
    ASSERT_NE(original[cell], painted) << "every candidate cell already holds tile " << tile;
    // Press and release come at once: nothing after the click makes the editor draw again,
    // yet the window shows the painted cell.
    ASSERT_TRUE(x.click(window, 1, column * 48 + 24, row * 48 + 24));
    const PngPixels tileImage = loadPngPixels(data("assets/tiles/" + std::to_string(tile) + ".png"));
    ASSERT_EQ(tileImage.width, 48);
    const std::vector<unsigned long> tilePixels = cell565(tileImage, 0, 0);
    EXPECT_TRUE(waitWhileRunning([&] { return x.pixels(window, column * 48, row * 48, 48, 48) == tilePixels; }))
        << "the window does not show the painted cell" << diagnostics();
    // The screenshot is the frame as drawn.
    ASSERT_NO_FATAL_FAILURE(pressOnce({}));
    const PngPixels shot = loadPngPixels(world / "sshot.bmp");
    ASSERT_EQ(std::make_pair(shot.width, shot.height), std::make_pair(800, 600));
    EXPECT_TRUE(cell565(shot, column * 48, row * 48) == tilePixels) << "the screenshot's painted cell";

    std::string expected = original;
    expected[cell] = painted;
    ASSERT_NO_FATAL_FAILURE(pressOnce({"s"}));
    EXPECT_TRUE(readFile(data("map.dat")) == expected) << "the saved map";
    // Undone with a real Ctrl chord, the world differs from the one saved: Escape keeps it in
    // recovery/data and leaves data/ alone.
    ASSERT_NO_FATAL_FAILURE(chord("z", "Undo: paint of cell "));
    ASSERT_TRUE(x.sendKeys({"Escape"}, true));
    ASSERT_NO_FATAL_FAILURE(expectExit(1));
    EXPECT_TRUE(readFile(data("map.dat")) == expected) << "data/ changed";
    EXPECT_TRUE(readFile(world / "recovery/data/map.dat") == original) << "the recovery copy";
}

// SDL opens the display once to probe it and again for the window; a server without
// -noreset, whose only client the probe was, resets in between.
TEST_F(EditorWindowTest, TheWindowOpensAloneOnAServerThatResetsWhenItsLastClientLeaves) {
    for (int round = 0; round < 3 && !HasFatalFailure(); ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        TearDown();
        window = 0;
        ASSERT_NO_FATAL_FAILURE(startServer(false));
        std::this_thread::sleep_for(std::chrono::milliseconds(1200));
        ASSERT_NO_FATAL_FAILURE(launch());
    }
}

TEST_F(EditorWindowTest, TypedAnswersMakeAnExactNpcFileAndClosingDuringAPromptExitsWithZero) {
    // Without an NPC directory the placed NPC is the world's only one, saved before any load.
    std::filesystem::remove_all(data("npcdef"));
    ASSERT_NO_FATAL_FAILURE(launch());
    ASSERT_NO_FATAL_FAILURE(setMode(1));
    const int npcX = 500 + 48 * scrollX, npcY = 300 + 48 * scrollY;
    ASSERT_NO_FATAL_FAILURE(openPrompt(500, 300));
    // Fourteen questions one under another, then two more from the top.
    for (int q = 0; q < 16; ++q) ASSERT_NO_FATAL_FAILURE(answer(40 * (q % 14), NPC_ANSWERS[q]));
    ASSERT_NO_FATAL_FAILURE(pressOnce({"s"}));
    EXPECT_EQ(readFile(data("npcdef/0.def")),
              std::to_string(npcX) + "\n" + std::to_string(npcY) +
                  "\n10\n12\n5\n6\n150\n0\n8\n9\n4\n7\n1\nhi there\nBye now\nBob Smith\n0\n3\n2\n0\n");
    ASSERT_NO_FATAL_FAILURE(openPrompt(500, 300));
    ASSERT_TRUE(x.sendCloseRequest(window));
    ASSERT_NO_FATAL_FAILURE(expectExit(0));
}

// Load, a removal undone, and a save write the world back byte for byte.
TEST_F(EditorWindowTest, ARemovedNpcComesBackInItsPlaceAndASignalKeepsUnsavedEdits) {
    // Three NPCs in view, at known places (x and y are the files' first two lines).
    for (int n = 0; fileExists(npcDefPath(world / "data", n)); ++n) {
        const std::string path = npcDefPath(world / "data", n), bytes = readFile(path);
        const std::string rest = bytes.substr(bytes.find('\n', bytes.find('\n') + 1) + 1);
        if (n < 3) writeFile(path, std::to_string(100 + 150 * n) + "\n400\n" + rest);
        else removeFile(path);
    }
    const auto before = filesUnder(data(""));
    ASSERT_GT(before.count("map.dat") * before.count("idef/0.def"), 0u);
    ASSERT_NO_FATAL_FAILURE(launch());
    ASSERT_NO_FATAL_FAILURE(pressOnce({"l"}));
    ASSERT_NO_FATAL_FAILURE(setMode(3));
    ASSERT_TRUE(x.click(window, 3, 250 - 48 * scrollX + 10, 400 - 48 * scrollY + 10));
    ASSERT_NO_FATAL_FAILURE(chord("z", "Undo: NPC "));
    ASSERT_NO_FATAL_FAILURE(pressOnce({"s"}));
    EXPECT_TRUE(filesUnder(data("")) == before) << "the round trip changed files (the NPC not back in its place?)";
    EXPECT_EQ(editor.err().find("not saved"), std::string::npos) << diagnostics();

    ASSERT_NO_FATAL_FAILURE(chord("y", "Redo: NPC "));
    ASSERT_EQ(kill(editor.pid, SIGTERM), 0);
    ASSERT_TRUE(editor.waitForExit(WAIT_MS)) << diagnostics();
    EXPECT_EQ(editor.endSignal, SIGTERM);
    EXPECT_TRUE(filesUnder(data("")) == before);
    EXPECT_EQ(filesUnder(world / "recovery/data/npcdef").size(), 2u);
}

// Autosave keeps a paint while the window is idle; after SIGKILL the next start says so on
// standard error and in the window (until a key), and maped --restore puts it back.
TEST_F(EditorWindowTest, AutosaveKeepsAnIdleEditorsPaintThroughSigkillAndRestorePutsItBack) {
    ASSERT_NO_FATAL_FAILURE(launch({"--autosave", "1"}));
    const std::string painted = paintACell(world.path);
    EXPECT_TRUE(waitWhileRunning([&] { return fileExists(world / "recovery/manifest"); })) << "no autosave" << diagnostics();
    editor.stop(SIGKILL);
    EXPECT_TRUE(readFile(world / "recovery/data/map.dat") == painted) << "the autosaved copy";

    ASSERT_NO_FATAL_FAILURE(launch());
    EXPECT_NE(editor.err().find("***WARNING*** recovery/data holds unsaved edits from an earlier run: maped --restore "
                                "puts them in data/\n"),
              std::string::npos) << diagnostics();
    const auto top = [&] { return x.pixels(window, 0, 0, 800, 20); };
    const auto noticed = top();
    ASSERT_NO_FATAL_FAILURE(pressOnce({}));
    EXPECT_TRUE(waitWhileRunning([&] { return top() != noticed; })) << "the notice stayed after a key";
    editor.stop(SIGTERM, WAIT_MS);
    const ProcessResult restored = runProcess({MAPED_BINARY, "--restore"}, world.path, {}, WAIT_MS);
    EXPECT_EQ(restored.status, 0) << restored.err;
    EXPECT_TRUE(readFile(data("map.dat")) == painted) << "the restored map";
    EXPECT_FALSE(fileExists(world / "recovery"));
}

// Where unsaved edits go when their place beside the world cannot take them, and when no place can.
TEST_F(EditorWindowTest, HostileWorldsTheRecoveryCopyRefusedInItsPlaceNowhereAndTheXServerGone) {
    enum End { ESCAPE, ESCAPE_TWICE, X_SERVER_KILLED };
    const struct {
        const char* what;
        End end;
        bool userPlace;  // the copy in the per-user place (else beside the world, or nowhere)
    } rows[] = {
        {"recovery a file: the copy goes to the per-user place", ESCAPE, true},
        {"recovery a file and no per-user place: a second Escape quits without the edits", ESCAPE_TWICE, false},
        {"the X server killed under an editor with edits", X_SERVER_KILLED, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        TearDown();
        ASSERT_NO_FATAL_FAILURE(startServer(true));
        ASSERT_TRUE(x.open(display));
        TempDir root;
        makeDefaultWorld(root.path);
        if (row.end != X_SERVER_KILLED) writeFile(root / "recovery", "not a folder");
        if (row.end == ESCAPE_TWICE) writeFile(root / "state", "not a folder");
        ASSERT_NO_FATAL_FAILURE(launch({}, {"XDG_STATE_HOME=" + root / (row.end == ESCAPE_TWICE ? "state" : "home")}, root.path));
        const std::string painted = paintACell(root.path);
        if (row.end == X_SERVER_KILLED) {
            x.close();
            window = 0;
            xserver.stop(SIGKILL);
        } else {
            ASSERT_TRUE(x.sendKeys({"Escape"}, true));
        }
        if (row.end == ESCAPE_TWICE) {
            const std::string refused = "Escape or close it again within 3 s to quit without them\n";
            EXPECT_TRUE(waitWhileRunning([&] { return editor.err().find(refused) != std::string::npos; })) << diagnostics();
            std::this_thread::sleep_for(std::chrono::milliseconds(SETTLE_MS));  // held on, it is no second press
            ASSERT_FALSE(editor.poll()) << "Escape ended the editor with its edits nowhere" << diagnostics();
            ASSERT_TRUE(x.sendKeys({"Escape"}, false));
            std::this_thread::sleep_for(std::chrono::milliseconds(100));  // else SDL takes the two for a key repeat
            ASSERT_TRUE(x.sendKeys({"Escape"}, true));
        }
        ASSERT_NO_FATAL_FAILURE(expectExit(1));
        std::string copy = root / "recovery/data";
        if (row.userPlace) {
            // One folder per world and time: <world>-<YYYYmmdd-HHMMSS>.
            const auto kept = filesUnder(root / "home/maped/recovery");
            const std::string folder = kept.empty() ? "" : kept.begin()->first.substr(0, kept.begin()->first.find('/'));
            EXPECT_EQ(folder.rfind(root.path.substr(root.path.rfind('/') + 1) + "-20", 0), 0u) << folder;
            copy = root / "home/maped/recovery/" + folder + "/data";
            EXPECT_NE(editor.err().find("***WARNING*** unsaved edits kept in " + copy + ": "), std::string::npos) << diagnostics();
        }
        EXPECT_EQ(readFile(copy + "/map.dat") == painted, row.end != ESCAPE_TWICE);
    }
}

// --goto centres its cell from the start; G and a name, then G and Return, find two NPCs in
// turn. Shift and the right button pick one up, it is drawn under the pointer as it moves, and
// the release drops it: the save writes the new position into its own file.
TEST_F(EditorWindowTest, GoToAndGByNameThenAShiftDragWithRealButtonEventsSavedInTheNpcsFile) {
    // The world's NPCs replaced by three, at these world pixels.
    for (int n = 0; fileExists(npcDefPath(world / "data", n)); ++n) removeFile(npcDefPath(world / "data", n));
    const std::tuple<const char*, float, float> npcs[] = {{"Guard One", 1440, 1920}, {"Bob", 0, 0}, {"Old guard", 4800, 9620}};
    for (int n = 0; n < 3; ++n) {
        Actor npc;
        std::tie(npc.name, npc.x, npc.y) = npcs[n];
        writeFile(npcDefPath(world / "data", n), npc.serialize());
    }
    const std::string guardOne = readFile(data("npcdef/0.def"));
    ASSERT_NO_FATAL_FAILURE(launch({"--goto", "20,16"}, {}, "", "x=12 y=10"));
    ASSERT_NO_FATAL_FAILURE(pressOnce({"l"}));
    ASSERT_NO_FATAL_FAILURE(goTo("guard", "Go to: NPC \"Guard One\" (data/npcdef/0.def) at cell 30,40, 1 of 2\n"));
    EXPECT_TRUE(waitWhileRunning([&] { return caption() == "x=22 y=34"; })) << diagnostics();
    ASSERT_NO_FATAL_FAILURE(goTo("", "Go to: NPC \"Old guard\" (data/npcdef/2.def) at cell 100,200, 2 of 2\n"));
    EXPECT_TRUE(waitWhileRunning([&] { return caption() == "x=92 y=194"; })) << diagnostics();

    ASSERT_NO_FATAL_FAILURE(setMode(1));
    const int px = 4800 - 48 * scrollX + 10, py = 9620 - 48 * scrollY + 10, dx = 130, dy = -70;
    const std::vector<unsigned long> before = x.pixels(window, px - 10 + dx, py - 10 + dy, 48, 48);
    // XTEST presses and motion through xdotool, with Shift held from before the press.
    const auto pointer = [&](int x, int y) {
        return xdotool({"mousemove", "--window", std::to_string(window), std::to_string(x), std::to_string(y)});
    };
    ASSERT_TRUE(x.sendKeys({"Shift_L"}, true));
    ASSERT_TRUE(pointer(px, py) && xdotool({"mousedown", "3"}));
    for (int step = 1; step <= 4; ++step) ASSERT_TRUE(pointer(px + dx * step / 4, py + dy * step / 4));
    const bool drawn = waitWhileRunning([&] { return x.pixels(window, px - 10 + dx, py - 10 + dy, 48, 48) != before; });
    ASSERT_TRUE(xdotool({"mouseup", "3"}) && x.sendKeys({"Shift_L"}, false));
    EXPECT_TRUE(drawn) << "the NPC was not drawn under the pointer" << diagnostics();
    ASSERT_NO_FATAL_FAILURE(pressOnce({"s"}));
    Actor moved;
    moved.name = "Old guard", moved.x = 4800 + dx, moved.y = 9620 + dy;
    EXPECT_EQ(readFile(data("npcdef/2.def")), moved.serialize());
    EXPECT_EQ(readFile(data("npcdef/0.def")), guardOne);
}

// Zoomed out to 12 pixels per cell, every click acts on what lies under the pointer, and a
// turn of the wheel in a place mode scrolls four cells instead of asking for an NPC.
TEST_F(EditorWindowTest, ZoomedOutAClickPaintsAndPlacesUnderThePointerAndTheWheelOnlyScrolls) {
    std::filesystem::remove_all(data("npcdef"));  // the placed NPC is the world's only one
    const std::string original = readFile(data("map.dat"));
    ASSERT_NO_FATAL_FAILURE(launch());
    ASSERT_NO_FATAL_FAILURE(setMode(1));
    for (const char* said : {"Zoom: 24 pixels per cell\n", "Zoom: 12 pixels per cell\n"}) {
        ASSERT_NO_FATAL_FAILURE(pressOnce({"minus"}));
        ASSERT_TRUE(waitWhileRunning([&] { return editor.out().find(said) != std::string::npos; })) << diagnostics();
    }
    ASSERT_NO_FATAL_FAILURE(settleCaption());
    const int before = scrollY;
    ASSERT_TRUE(x.click(window, 5, 500, 300));
    EXPECT_TRUE(waitWhileRunning([&] { return readCaption(), scrollY == before + 4; })) << diagnostics();
    ASSERT_NO_FATAL_FAILURE(settleCaption());
    EXPECT_FALSE(answerStripShown(0)) << "the wheel opened the placing questions";

    // A cell clear of the minimap and of the current-tile display whose tile is not 0.
    size_t cell = (450 / 12 + scrollY) * ROW_BYTES + 400 / 12 + scrollX;
    while (original[cell] == 'A' && cell % ROW_BYTES < 650 / 12 + size_t(scrollX)) ++cell;
    ASSERT_NE(original[cell], 'A');
    ASSERT_TRUE(x.click(window, 1, int(cell % ROW_BYTES - scrollX) * 12 + 6, 450));
    ASSERT_NO_FATAL_FAILURE(openPrompt(500, 300));
    for (int q = 0; q < 16; ++q) ASSERT_NO_FATAL_FAILURE(answer(40 * (q % 14), NPC_ANSWERS[q]));
    ASSERT_NO_FATAL_FAILURE(pressOnce({"s"}));
    std::string expected = original;
    expected[cell] = 'A';
    EXPECT_TRUE(readFile(data("map.dat")) == expected) << "the painted cell";
    const std::string npc = readFile(data("npcdef/0.def"));
    EXPECT_EQ(npc.substr(0, npc.find('\n', npc.find('\n') + 1) + 1),
              std::to_string(500 * 4 + 48 * scrollX) + "\n" + std::to_string(300 * 4 + 48 * scrollY) + "\n");
}
