// The text prompt on the dummy video driver: key presses in, one line of text out.
#include <SDL.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "driving.h"
#include "editor_fixture.h"

namespace {

class PromptTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        alarm(60);  // a prompt that never returns ends the run instead of hanging it
    }
    void TearDown() override {
        alarm(0);
        EditorTest::TearDown();
    }
    std::string ask() { return editor->getUserString("Name:", 10, 0); }
    void push(const std::vector<SDL_Event>& events) {
        for (SDL_Event e : events) ASSERT_EQ(SDL_PushEvent(&e), 0);
    }
    std::vector<SDL_Event> repeated(SDLKey key, char c, int times) {
        return std::vector<SDL_Event>(times, keyPress(key, static_cast<Uint16>(c)));
    }
};

using PromptDeathTest = PromptTest;

TEST_F(PromptTest, ReturnsTheLettersDigitsAndSpacesTyped) {
    queueAnswers({"ab c9"});
    EXPECT_EQ(ask(), "ab c9");
}

TEST_F(PromptTest, ReturnAtOnceGivesAnEmptyText) {
    queueAnswers({""});
    EXPECT_EQ(ask(), "");
}

TEST_F(PromptTest, BackspaceEmptiesTheWholeText) {
    push(typingOf("abc"));
    pushKey(SDLK_BACKSPACE, '\b');
    queueAnswers({"d"});
    EXPECT_EQ(ask(), "d");

    push(typingOf("abc"));
    pushKey(SDLK_BACKSPACE, '\b');
    pushKey(SDLK_RETURN, '\r');
    EXPECT_EQ(ask(), "");
}

TEST_F(PromptTest, KeysOtherThanLettersDigitsAndSpaceAddNothing) {
    // Each press below carries the character it types, so only the key decides.
    pushKey(SDLK_x, 'x');
    pushKey(SDLK_ESCAPE, 27);
    pushKey(SDLK_KP1, '1');
    pushKey(SDLK_PERIOD, '.');
    pushKey(SDLK_MINUS, '-');
    pushKey(SDLK_TAB, '\t');
    pushKey(SDLK_UP);
    pushKey(SDLK_LSHIFT);
    pushKey(SDLK_y, 'y');
    pushKey(SDLK_RETURN, '\r');
    EXPECT_EQ(ask(), "xy");
}

TEST_F(PromptTest, AnAcceptedKeyAddsTheCharacterItTypes) {
    pushKey(SDLK_a, 'A');        // with Shift
    pushKey(SDLK_1, '!');        // a digit key with Shift
    pushKey(SDLK_e, 0x00E9);     // an accented letter, kept to its low 8 bits
    pushKey(SDLK_x, 0x263A);
    pushKey(SDLK_RETURN, '\r');
    EXPECT_EQ(ask(), "A!\xE9:");
}

TEST_F(PromptTest, OnlyKeyPressesReachTheText) {
    pushKey(SDLK_a, 'a');
    SDL_Event release = keyPress(SDLK_z, 'z');
    release.type = SDL_KEYUP;
    release.key.state = SDL_RELEASED;
    ASSERT_EQ(SDL_PushEvent(&release), 0);
    pushClick(SDL_BUTTON_LEFT, 400, 450);
    SDL_Event motion;
    std::memset(&motion, 0, sizeof motion);
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = 10;
    motion.motion.y = 10;
    ASSERT_EQ(SDL_PushEvent(&motion), 0);
    queueAnswers({"b"});
    EXPECT_EQ(ask(), "ab");

    // The click went with the prompt: the command handler finds nothing to paint.
    CaptureOutput output;
    editor->getInput();
    EXPECT_EQ(output.out(), "");
}

TEST_F(PromptTest, AnswersTypedAheadAreSharedOutOneReturnEach) {
    queueAnswers({"one", "two"});
    EXPECT_EQ(ask(), "one");
    EXPECT_EQ(ask(), "two");
    EXPECT_TRUE(eventQueueEmpty());
}

TEST_F(PromptTest, PromptIsDrawnInRedAboveAnEmptyBlackStrip) {
    SDL_Surface* screen = editor->screen;
    const int x = 30, y = 100;
    fillScreen(screen, 0, 160, 0);
    queueAnswers({"abc"});  // typed ahead, so no pass of the prompt shows them
    EXPECT_EQ(editor->getUserString("Name:", x, y), "abc");
    const std::vector<Uint16> shown = grabScreen(screen);

    const std::vector<Uint16> band = grab(screen, 0, y, SCREEN_WIDTH, 20);
    const Uint16 green = rawColour(screen, 0, 160, 0), red = rawColour(screen, 255, 0, 0);
    EXPECT_GT(countOf(band, red), 30u) << "no red prompt";
    EXPECT_EQ(countOf(band, red) + countOf(band, green), band.size()) << "the prompt is not plain red";
    EXPECT_TRUE(allAre(grab(screen, x, y + 20, 500, 20), rawColour(screen, 0, 0, 0)));

    // Nothing else: the prompt text at (x, y) and the 500 by 20 strip under it.
    fillScreen(screen, 0, 160, 0);
    editor->drawTextAt("Name:", x, y);
    fillArea(screen, x, y + 20, 500, 20, 0, 0, 0);
    EXPECT_EQ(screenDifference(shown, grabScreen(screen)), "");
}

TEST_F(PromptTest, TypedTextShowsOnTheStripUntilBackspaceClears) {
    SDL_Surface* screen = editor->screen;
    const int x = 30, y = 100;
    fillScreen(screen, 0, 0, 0);
    editor->drawTextAt("ab", x, y + 20);
    const std::vector<Uint16> holdingAb = grab(screen, x, y + 20, 500, 20);
    const std::vector<Uint16> empty(500 * 20, rawColour(screen, 0, 0, 0));
    ASSERT_NE(holdingAb, empty);
    fillScreen(screen, 0, 160, 0);

    auto stripIs = [&](const std::vector<Uint16>& wanted) { return grab(screen, x, y + 20, 500, 20) == wanted; };
    bool echoed = false, cleared = false;
    EventFeeder feeder([&](EventFeeder& f) {
        f.pushAll(typingOf("ab"));
        echoed = f.waitFor([&] { return stripIs(holdingAb); });
        f.push(keyPress(SDLK_BACKSPACE, '\b'));
        // Seen empty on several looks once the Backspace is taken, not in the instant
        // between a pass clearing the strip and drawing the text again.
        cleared = f.waitFor([&] {
            if (!eventQueueEmpty()) return false;
            for (int look = 0; look < 3; ++look) {
                if (!stripIs(empty)) return false;
                SDL_Delay(10);
            }
            return true;
        });
        f.push(returnKey());
    });
    EXPECT_EQ(editor->getUserString("Name:", x, y), "");
    feeder.join();
    EXPECT_TRUE(echoed) << "\"ab\" never showed at (x, y + 20)";
    EXPECT_TRUE(cleared) << "the strip still showed text after Backspace";
}

TEST_F(PromptTest, TextStopsGrowingAt400Characters) {
    // More presses than SDL's queue holds, fed while the prompt runs.
    EventFeeder feeder([&](EventFeeder& f) {
        f.pushAll(repeated(SDLK_a, 'a', 400));
        f.pushAll(repeated(SDLK_b, 'b', 50));
        f.push(returnKey());
        // Backspace empties a full text, and typing goes on from nothing.
        f.pushAll(repeated(SDLK_a, 'a', 450));
        f.push(keyPress(SDLK_BACKSPACE, '\b'));
        f.pushAll(typingOf("ok"));
        f.push(returnKey());
    });
    EXPECT_EQ(ask(), std::string(400, 'a'));
    EXPECT_EQ(ask(), "ok");
    feeder.join();
    EXPECT_FALSE(feeder.timedOut);
}

TEST_F(PromptDeathTest, ClosingTheWindowExitsWithStatus0) {
    pushKey(SDLK_a, 'a');
    pushKey(SDLK_ESCAPE, 27);
    pushQuit();
    EXPECT_EXIT(ask(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
