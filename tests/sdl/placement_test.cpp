// The text prompt (key presses in, one line of text out) and the questions of placing drawn
// in the window. What the answers make is the document's tests'; closing the window during a
// prompt is tested on the real binary (tests/e2e).
#include <SDL.h>

#include <list>
#include <string>
#include <thread>
#include <vector>

#include "editor_fixture.h"
#include "world/defdir.h"
#include "world/world_paths.h"

namespace {

class PromptTest : public EditorTest {
protected:
    std::string ask(const std::string& start = "") { return editor->getUserString("Name:", 10, 0, start).value_or("(closed)"); }
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

class PlacementTest : public EditorTest {
protected:
    // The screen a row of questions leaves on a plain background: each question in red, 40
    // pixels under the one before, with its empty black answer strip under it.
    std::vector<Uint16> questionsOn(Uint8 r, Uint8 g, Uint8 b, std::vector<const char*> questions) {
        fill(editor->screen, r, g, b);
        for (int i = 0; i < static_cast<int>(questions.size()); ++i) {
            editor->drawTextAt(questions[i], 10, i * 40);
            fill(editor->screen, 0, 0, 0, 10, i * 40 + 20, 500, 20);
        }
        return grab(editor->screen);
    }
};

TEST_F(PlacementTest, QuestionsStandOverTheViewAndTheLastTwoOfAnNpcOnDarkBlue) {
    fill(editor->screen, 0, 160, 0);  // the questions stand over the view
    queueAnswers({"Bow", "", "", "8", "", "", "", "", "12"});
    editor->createNewItemAt(0, 0);
    EXPECT_EQ(screenDifference(grab(editor->screen),
                               questionsOn(0, 160, 0, {"Name:", "Short name:", "Description:", "Type (check docs for list):",
                                                       "Maximum Effect:", "Price:", "Owner (check docs for list):", "Icon:",
                                                       "This is a ranged weapon (gun or bow). Range in tiles?"})), "");
    queueAnswers(std::vector<std::string>(16, ""));
    editor->createNewNPCAt(0, 0);
    EXPECT_EQ(screenDifference(grab(editor->screen),
                               questionsOn(0, 0, 100, {"Boolean, is Hostile:", "Boolean, is wandering:"})), "");
    EXPECT_TRUE(eventQueueEmpty());
    EXPECT_EQ(editor->npcs.size() + editor->items.size(), 2u);
}

}  // namespace
