#pragma once
// The real editor binary in a real window under a private X server, driven the way a user
// drives it: held keys (XTEST), mouse clicks and typed answers (xdotool).
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "child_process.h"
#include "test_support.h"
#include "wait_until.h"
#include "x_client.h"

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
    int tile = 0;                  // the current tile, from the counted presses of ]

    void SetUp() override;  // the default world and an X server (16-bit screen, no TCP)
    // Starts the X server; without noReset it resets whenever its last client leaves.
    void startServer(bool noReset);
    void TearDown() override;

    std::string data(const std::string& relative) const { return world / ("data/" + relative); }
    std::string screenshotPath() const { return world / "sshot.bmp"; }
    std::string diagnostics();  // the caption and the editor's output, for failure messages
    bool xdotool(const std::vector<std::string>& args, std::string* output = nullptr);

    // Starts the editor and waits for its window, captioned "x=0 y=0" after the first frame.
    void launch();
    void expectExit(int status);

    std::string caption() { return x.windowName(window); }
    void readCaption();    // scrollX and scrollY from the caption
    void settleCaption();  // waits until the caption has stopped changing, then reads it
    void waitForCaption(const std::string& expected);
    void waitForOutput(const std::string& text);

    void keys(const std::vector<std::string>& keys, bool press);
    void click(int button, int x, int y);
    // Holds the keys until the caption changes, then releases them.
    void holdUntilCaptionChanges(const std::vector<std::string>& keys);
    // Holds the keys with F3 until the screenshot appears: F3 acts last in a frame and waits
    // 100 ms, so the keys act in that frame only.
    void pressOnce(const std::vector<std::string>& keys);
    // pressOnce with Down as a counter: the frames the key acted in, read from the caption.
    int tapCounted(const std::string& key);
    void setMode(int target);  // presses Z until the right-click mode is the target
    void save() { pressOnce({"s"}); }
    // Ctrl (and Shift) with the key, modifiers down first and up last, held until the editor
    // prints its line; the release lands within the command's 200 ms wait, so it acts once.
    void chord(const std::string& key, const std::string& said, bool shift = false);
    void load() { pressOnce({"l"}); }

    // Right-clicks and waits for the first question's black answer strip: the prompt is open.
    void openPrompt(int x, int y);
    // Whether the black answer strip of a question asked at top is shown, with nothing typed.
    bool answerStripShown(int top) { return x.isBlack(window, 10, top + 20, 500, 20); }
    // Waits for the question asked at top, types the answer and Return. Answers are not empty,
    // so that a later question asked at the same place is told apart by its black strip.
    void answer(int top, const std::string& text);


    template <typename Condition>
    bool waitWhileRunning(Condition done, int timeoutMs = WAIT_MS) {
        return waitUntil([&] { return done() || editor.poll(); }, timeoutMs) && !editor.ended;
    }
};
