// The text prompt on the dummy video driver: key presses in, one line of text out. Where
// questions stand on the screen is tested with placement; closing the window during a
// prompt, on the real binary (tests/e2e).
#include <SDL.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "editor_fixture.h"

namespace {

class PromptTest : public EditorTest {
protected:
    std::string ask(const std::string& start = "") { return editor->getUserString("Name:", 10, 0, start); }
};

std::vector<SDL_Event> keys(std::initializer_list<std::pair<SDLKey, Uint16>> presses) {
    std::vector<SDL_Event> events;
    for (auto [key, unicode] : presses) events.push_back(keyPress(key, unicode));
    return events;
}

std::vector<SDL_Event> operator+(std::vector<SDL_Event> a, const std::vector<SDL_Event>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST_F(PromptTest, TypedKeysMakeTheText) {
    const std::vector<SDL_Event> backspace = keys({{SDLK_BACKSPACE, '\b'}}), enter = {returnKey()};
    const struct {
        const char* what;
        std::vector<SDL_Event> events;
        std::string text;
        std::string start = "";  // the answer's starting text
    } cases[] = {
        {"letters, digits and spaces", typingOf("ab c9") + enter, "ab c9"},
        {"Return at once", enter, ""},
        {"Backspace empties the whole text", typingOf("abc") + backspace + typingOf("d") + enter, "d"},
        {"Backspace, then Return", typingOf("abc") + backspace + enter, ""},
        // Each press carries the character it types, so only the key decides.
        {"other keys add nothing",
         keys({{SDLK_x, 'x'}, {SDLK_ESCAPE, 27}, {SDLK_KP1, '1'}, {SDLK_PERIOD, '.'}, {SDLK_MINUS, '-'},
               {SDLK_TAB, '\t'}, {SDLK_UP, 0}, {SDLK_LSHIFT, 0}, {SDLK_y, 'y'}}) + enter,
         "xy"},
        // Shift, a digit key with Shift, and characters beyond 8 bits kept to their low byte...
        {"an accepted key adds the character it types",
         keys({{SDLK_a, 'A'}, {SDLK_1, '!'}, {SDLK_e, 0x00E9}, {SDLK_x, 0x263A}}) + enter, "A!\xE9:"},
        // ...except those that would become a line feed or a carriage return and break the
        // definition file the answer is saved in.
        {"no line breaks", keys({{SDLK_a, 'a'}, {SDLK_c, 0x010A}, {SDLK_w, 0x400D}, {SDLK_b, 0x0162}}) + enter, "ab"},
        {"Return keeps a starting text", enter, "-12 x.", "-12 x."},
        {"Backspace clears it, typing replaces it", backspace + typingOf("7") + enter, "7", "42"},
        {"the cap of 400 counts the starting text", typingOf("ab") + enter, std::string(399, 'x') + "a", std::string(399, 'x')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        queueEvents(c.events);
        EXPECT_EQ(ask(c.start), c.text);
    }
}

TEST_F(PromptTest, OnlyKeyPressesReachTheTextAndTypedAheadAnswersWait) {
    SDL_Event release = keyPress(SDLK_z, 'z');
    release.type = SDL_KEYUP;
    release.key.state = SDL_RELEASED;
    SDL_Event motion;
    std::memset(&motion, 0, sizeof motion);
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = motion.motion.y = 10;
    queueEvents({keyPress(SDLK_a, 'a'), release, motion});
    pushClick(SDL_BUTTON_LEFT, 400, 450);
    queueAnswers({"b", "two"});
    EXPECT_EQ(ask(), "ab");
    EXPECT_EQ(ask(), "two");  // one Return each
    EXPECT_TRUE(eventQueueEmpty());
    // The click went with the prompt: the command handler finds nothing to paint.
    CaptureOutput output;
    editor->getInput();
    EXPECT_EQ(output.out(), "");
}

// The prompt drains SDL's queue as it goes: a second thread types and watches the strip.
TEST_F(PromptTest, TypedTextShowsUnderTheQuestionUntilBackspaceClearsIt) {
    SDL_Surface* screen = editor->screen;
    fill(screen, 0, 0, 0);
    editor->drawTextAt("ab", 30, 120);
    const std::vector<Uint16> ab = grab(screen, 30, 120, 500, 20), empty(500 * 20, 0);
    fill(screen, 0, 160, 0);
    auto strip = [&] { return grab(screen, 30, 120, 500, 20); };
    auto push = [](SDL_Event e) { waitUntil([&] { return SDL_PushEvent(&e) == 0; }); };
    bool echoed = false, cleared = false;
    std::thread typist([&] {
        for (SDL_Event e : typingOf("ab")) push(e);
        echoed = waitUntil([&] { return strip() == ab; });
        push(keyPress(SDLK_BACKSPACE, '\b'));
        // Empty on three looks in a row once the Backspace is taken, not in the instant between
        // a pass clearing the strip and drawing the text again.
        int looks = 0;
        cleared = waitUntil([&] { return (looks = eventQueueEmpty() && strip() == empty ? looks + 1 : 0) == 3; }, WAIT_MS, 10);
        push(returnKey());
    });
    EXPECT_EQ(editor->getUserString("Name:", 30, 100), "");
    typist.join();
    EXPECT_TRUE(echoed) << "\"ab\" never showed under the question";
    EXPECT_TRUE(cleared) << "the strip still showed text after Backspace";
}

}  // namespace
