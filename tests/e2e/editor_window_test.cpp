#include "editor_window_test.h"

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "xdotool.h"

namespace fs = std::filesystem;

constexpr int START_MS = 20000;  // start-up loads the whole art set, slower in debug builds
constexpr int SETTLE_MS = 600;   // well over one frame with three commands waiting

void EditorWindowTest::SetUp() {
    makeDefaultWorld(world.path);
    std::string error;
    ASSERT_TRUE(xserver.start(logs / "xvfb.log", error)) << error;
    ASSERT_TRUE(x.open(xserver.display)) << "cannot connect to Xvfb on " << xserver.display;
}

void EditorWindowTest::TearDown() {
    editor.kill();
    x.close();
    xserver.stop();
}

std::string EditorWindowTest::diagnostics() {
    std::ostringstream text;
    text << "\ncaption: \"" << (window ? caption() : std::string("(no window)")) << "\"";
    if (editor.poll()) text << "\neditor ended: status " << editor.exitStatus << ", signal " << editor.endSignal;
    text << "\neditor stdout:\n" << editor.out() << "\neditor stderr:\n" << editor.err();
    return text.str();
}

void EditorWindowTest::launch() {
    ASSERT_TRUE(editor.start(MAPED_BINARY, world.path, xserver.display, logs.path));
    std::string found;
    bool shown = waitUntil(
        [&] {
            if (editor.poll()) return true;
            runXdotool(xserver.display, {"search", "--name", "^x=0 y=0$"}, &found);
            return !found.empty();
        },
        START_MS, 50);
    ASSERT_FALSE(editor.ended) << "the editor ended at start-up" << diagnostics();
    ASSERT_TRUE(shown) << "no window captioned \"x=0 y=0\" within " << START_MS << " ms" << diagnostics();
    window = std::stoul(found);
    // Without a window manager keys go to the window under the pointer.
    ASSERT_TRUE(runXdotool(xserver.display, {"mousemove", "--window", std::to_string(window), "790", "590"}));
}

void EditorWindowTest::expectExit(int status) {
    ASSERT_TRUE(editor.waitForExit(WAIT_MS)) << "the editor is still running" << diagnostics();
    EXPECT_EQ(editor.endSignal, 0) << diagnostics();
    EXPECT_EQ(editor.exitStatus, status) << diagnostics();
}

std::string EditorWindowTest::caption() { return x.windowName(window); }

void EditorWindowTest::readCaption() {
    const std::string text = caption();
    int cx = 0, cy = 0;
    char rest = 0;
    ASSERT_EQ(std::sscanf(text.c_str(), "x=%d y=%d%c", &cx, &cy, &rest), 2) << "caption \"" << text << "\"";
    scrollX = cx;
    scrollY = cy;
}

void EditorWindowTest::settleCaption() {
    std::string last = caption();
    auto since = std::chrono::steady_clock::now();
    bool settled = waitWhileRunning([&] {
        std::string now = caption();
        if (now != last) {
            last = now;
            since = std::chrono::steady_clock::now();
        }
        return std::chrono::steady_clock::now() - since >= std::chrono::milliseconds(SETTLE_MS);
    });
    ASSERT_TRUE(settled) << "the caption kept changing" << diagnostics();
    readCaption();
}

void EditorWindowTest::waitForCaption(const std::string& expected) {
    ASSERT_TRUE(waitWhileRunning([&] { return caption() == expected; }))
        << "caption never became \"" << expected << "\"" << diagnostics();
    readCaption();
}

void EditorWindowTest::waitForOutput(const std::string& text) {
    ASSERT_TRUE(waitWhileRunning([&] { return editor.out().find(text) != std::string::npos; }))
        << "standard output never showed \"" << text << "\"" << diagnostics();
}

void EditorWindowTest::keyDown(const std::vector<std::string>& keys) {
    ASSERT_TRUE(x.sendKeys(keys, true)) << "could not press the keys";
}

void EditorWindowTest::keyUp(const std::vector<std::string>& keys) {
    ASSERT_TRUE(x.sendKeys(keys, false)) << "could not release the keys";
}

void EditorWindowTest::click(int button, int px, int py) {
    ASSERT_TRUE(runXdotool(xserver.display, {"mousemove", "--window", std::to_string(window), std::to_string(px),
                                             std::to_string(py), "click", std::to_string(button)}))
        << "xdotool click failed";
}

void EditorWindowTest::holdUntilCaptionChanges(const std::vector<std::string>& keys) {
    const std::string before = caption();
    ASSERT_NO_FATAL_FAILURE(keyDown(keys));
    bool changed = waitWhileRunning([&] { return caption() != before; });
    ASSERT_NO_FATAL_FAILURE(keyUp(keys));
    ASSERT_TRUE(changed) << "the caption stayed \"" << before << "\"" << diagnostics();
}

void EditorWindowTest::pressOnce(const std::vector<std::string>& keys) {
    std::vector<std::string> held = keys;
    held.push_back("F3");
    removeFile(screenshotPath());
    ASSERT_FALSE(fileExists(screenshotPath()));
    ASSERT_NO_FATAL_FAILURE(keyDown(held));
    bool shot = waitWhileRunning([&] { return fileExists(screenshotPath()); });
    ASSERT_NO_FATAL_FAILURE(keyUp(held));
    ASSERT_TRUE(shot) << "no screenshot while holding the keys" << diagnostics();
}

void EditorWindowTest::tapCounted(const std::string& key, int& fired) {
    fired = 0;
    ASSERT_NO_FATAL_FAILURE(readCaption());
    const int before = scrollY;
    ASSERT_NO_FATAL_FAILURE(pressOnce({key, "Down"}));
    // The caption follows at the end of the frame, after the screenshot's wait.
    ASSERT_TRUE(waitWhileRunning([&] {
        readCaption();
        return scrollY != before;
    })) << "Down did not scroll" << diagnostics();
    ASSERT_NO_FATAL_FAILURE(settleCaption());
    fired = scrollY - before;
}

void EditorWindowTest::setMode(int target) {
    for (int attempt = 0; attempt < 10 && mode != target; ++attempt) {
        int fired = 0;
        ASSERT_NO_FATAL_FAILURE(tapCounted("z", fired));
        mode = (mode + fired) % 5;
    }
    ASSERT_EQ(mode, target);
}

void EditorWindowTest::nextTile() {
    int fired = 0;
    ASSERT_NO_FATAL_FAILURE(tapCounted("bracketright", fired));
    tile = (tile + fired) % 47;
}

bool EditorWindowTest::answerStripShown(int top) { return x.isBlack(window, 10, top + 20, 500, 20); }

void EditorWindowTest::openPrompt(int px, int py) {
    // The map lies there now; only an open prompt paints the strip black.
    ASSERT_TRUE(waitWhileRunning([&] { return !answerStripShown(0); })) << diagnostics();
    ASSERT_NO_FATAL_FAILURE(click(3, px, py));
    ASSERT_TRUE(waitWhileRunning([&] { return answerStripShown(0); })) << "no prompt opened" << diagnostics();
}

void EditorWindowTest::answer(int top, const std::string& text) {
    ASSERT_FALSE(text.empty());
    // Typing only once the question shows keeps each answer to its own question.
    ASSERT_TRUE(waitWhileRunning([&] { return answerStripShown(top); }))
        << "no question at top " << top << diagnostics();
    ASSERT_TRUE(runXdotool(xserver.display, {"type", "--delay", "20", text}));
    ASSERT_TRUE(runXdotool(xserver.display, {"key", "Return"}));
}

std::map<std::string, std::string> EditorWindowTest::filesUnder(const std::string& dir) {
    std::map<std::string, std::string> files;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(dir, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (it->is_regular_file()) files[fs::relative(it->path(), dir).string()] = readFile(it->path().string());
    }
    return files;
}
