#include "editor_window_test.h"

#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

constexpr int START_MS = 20000;  // start-up loads the whole art set, slower in debug builds
constexpr int SETTLE_MS = 600;   // well over one frame with three commands waiting

void EditorWindowTest::SetUp() {
    makeDefaultWorld(world.path);
    ASSERT_NO_FATAL_FAILURE(startServer(true));
    ASSERT_TRUE(x.open(display)) << "cannot connect to Xvfb on " << display;
}

void EditorWindowTest::startServer(bool noReset) {
    // Xvfb picks a free display itself and writes its number, then a line feed, once it listens.
    std::vector<std::string> argv = {"Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x16", "-nolisten", "tcp"};
    if (noReset) argv.push_back("-noreset");
    ASSERT_TRUE(xserver.start(argv, "", {}, logs / "xvfb.display", logs / "xvfb.log"));
    ASSERT_TRUE(waitUntil([&] { return xserver.out().find('\n') != std::string::npos || xserver.poll(); }))
        << "Xvfb did not report a display: " << xserver.err();
    ASSERT_FALSE(xserver.ended) << "Xvfb ended: " << xserver.err();
    display = ":" + xserver.out().substr(0, xserver.out().find('\n'));
}

void EditorWindowTest::TearDown() {
    editor.stop();
    x.close();
    xserver.stop(SIGTERM, 5000);  // a terminated Xvfb removes its socket and lock file
}

std::string EditorWindowTest::diagnostics() {
    std::string text = "\ncaption: \"" + (window ? caption() : std::string("(no window)")) + "\"";
    if (editor.poll())
        text += "\neditor ended: status " + std::to_string(editor.exitStatus) + ", signal " + std::to_string(editor.endSignal);
    return text + "\neditor stdout:\n" + editor.out() + "\neditor stderr:\n" + editor.err();
}

bool EditorWindowTest::xdotool(const std::vector<std::string>& args, std::string* output) {
    std::vector<std::string> argv = {"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    ProcessResult result = runProcess(argv, "", {"DISPLAY=" + display}, WAIT_MS);
    if (output) *output = result.out;
    return result.status == 0;
}

void EditorWindowTest::launch() {
    ASSERT_TRUE(editor.start({MAPED_BINARY}, world.path, {"DISPLAY=" + display, "SDL_VIDEODRIVER", "SDL_AUDIODRIVER=dummy"},
                             logs / "editor.out", logs / "editor.err"));
    // The editor prints this once its window is open. Until then no other client connects:
    // one could keep a server that resets when its last client leaves from resetting.
    waitUntil([&] { return editor.poll() || editor.out().find("Assets loaded.") != std::string::npos; }, START_MS);
    std::string found;
    bool shown = waitUntil([&] { return editor.poll() || (xdotool({"search", "--name", "^x=0 y=0$"}, &found), !found.empty()); },
                           START_MS, 50);
    ASSERT_FALSE(editor.ended) << "the editor ended at start-up" << diagnostics();
    ASSERT_TRUE(shown) << "no window captioned \"x=0 y=0\" within " << START_MS << " ms" << diagnostics();
    window = std::stoul(found);
    // Without a window manager keys go to the window under the pointer.
    ASSERT_TRUE(xdotool({"mousemove", "--window", std::to_string(window), "790", "590"}));
}

void EditorWindowTest::expectExit(int status) {
    ASSERT_TRUE(editor.waitForExit(WAIT_MS)) << "the editor is still running" << diagnostics();
    EXPECT_EQ(editor.endSignal, 0) << diagnostics();
    EXPECT_EQ(editor.exitStatus, status) << diagnostics();
}

void EditorWindowTest::readCaption() {
    const std::string text = caption();
    char rest = 0;
    ASSERT_EQ(std::sscanf(text.c_str(), "x=%d y=%d%c", &scrollX, &scrollY, &rest), 2) << "caption \"" << text << "\"";
}

void EditorWindowTest::settleCaption() {
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

void EditorWindowTest::waitForCaption(const std::string& expected) {
    ASSERT_TRUE(waitWhileRunning([&] { return caption() == expected; }))
        << "caption never became \"" << expected << "\"" << diagnostics();
    readCaption();
}

void EditorWindowTest::waitForOutput(const std::string& text) {
    ASSERT_TRUE(waitWhileRunning([&] { return editor.out().find(text) != std::string::npos; }))
        << "standard output never showed \"" << text << "\"" << diagnostics();
}

void EditorWindowTest::keys(const std::vector<std::string>& keys, bool press) {
    ASSERT_TRUE(x.sendKeys(keys, press)) << "could not press or release the keys";
}

void EditorWindowTest::click(int button, int px, int py) {
    ASSERT_TRUE(xdotool({"mousemove", "--window", std::to_string(window), std::to_string(px), std::to_string(py),
                         "click", std::to_string(button)}))
        << "xdotool click failed";
}

void EditorWindowTest::holdUntilCaptionChanges(const std::vector<std::string>& held) {
    const std::string before = caption();
    ASSERT_NO_FATAL_FAILURE(keys(held, true));
    bool changed = waitWhileRunning([&] { return caption() != before; });
    ASSERT_NO_FATAL_FAILURE(keys(held, false));
    ASSERT_TRUE(changed) << "the caption stayed \"" << before << "\"" << diagnostics();
}

void EditorWindowTest::pressOnce(const std::vector<std::string>& pressed) {
    std::vector<std::string> held = pressed;
    held.push_back("F3");
    removeFile(screenshotPath());
    ASSERT_FALSE(fileExists(screenshotPath()));
    ASSERT_NO_FATAL_FAILURE(keys(held, true));
    bool shot = waitWhileRunning([&] { return fileExists(screenshotPath()); });
    ASSERT_NO_FATAL_FAILURE(keys(held, false));
    ASSERT_TRUE(shot) << "no screenshot while holding the keys" << diagnostics();
}

int EditorWindowTest::tapCounted(const std::string& key) {
    readCaption();
    const int before = scrollY;
    pressOnce({key, "Down"});
    // The caption follows at the end of the frame, after the screenshot's wait.
    EXPECT_TRUE(waitWhileRunning([&] { return readCaption(), scrollY != before; })) << "Down did not scroll" << diagnostics();
    settleCaption();
    return scrollY - before;
}

void EditorWindowTest::chord(const std::string& key, const std::string& said, bool shift) {
    const int before = occurrences(editor.out(), said);
    std::vector<std::string> held = {"Control_L"};
    if (shift) held.push_back("Shift_L");
    held.push_back(key);
    for (const std::string& k : held) ASSERT_NO_FATAL_FAILURE(keys({k}, true));
    bool seen = waitWhileRunning([&] { return occurrences(editor.out(), said) > before; });
    for (auto k = held.rbegin(); k != held.rend(); ++k) ASSERT_NO_FATAL_FAILURE(keys({*k}, false));
    ASSERT_TRUE(seen) << "no \"" << said << "\"" << diagnostics();
}

void EditorWindowTest::setMode(int target) {
    for (int attempt = 0; attempt < 10 && mode != target && !HasFatalFailure(); ++attempt)
        mode = (mode + tapCounted("z")) % 5;
    ASSERT_EQ(mode, target);
}

void EditorWindowTest::openPrompt(int px, int py) {
    // The map lies there now; only an open prompt paints the strip black.
    ASSERT_TRUE(waitWhileRunning([&] { return !answerStripShown(0); })) << diagnostics();
    ASSERT_NO_FATAL_FAILURE(click(3, px, py));
    ASSERT_TRUE(waitWhileRunning([&] { return answerStripShown(0); })) << "no prompt opened" << diagnostics();
}

void EditorWindowTest::answer(int top, const std::string& text) {
    ASSERT_FALSE(text.empty());
    // Typing only once the question shows keeps each answer to its own question.
    ASSERT_TRUE(waitWhileRunning([&] { return answerStripShown(top); })) << "no question at top " << top << diagnostics();
    ASSERT_TRUE(xdotool({"type", "--delay", "20", text}));
    ASSERT_TRUE(xdotool({"key", "Return"}));
}
