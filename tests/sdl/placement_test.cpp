// The text prompt (key presses in, one line of text out), and placing NPCs and items through it,
// editing them in place, and removing them by a click's position. Closing the window during a
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
    Actor* placeNpc(const std::vector<std::string>& answers, int x = 0, int y = 0) {
        queueAnswers(answers);
        editor->createNewNPCAt(x, y);
        return editor->npcs.back();
    }
    Item* placeItem(const std::vector<std::string>& answers, int x = 0, int y = 0) {
        queueAnswers(answers);
        editor->createNewItemAt(x, y);
        return editor->items.back();
    }
    Actor* addNpc(float x, float y) {
        editor->npcs.push_back(new Actor());
        std::tie(editor->npcs.back()->x, editor->npcs.back()->y) = std::tuple(x, y);
        return editor->npcs.back();
    }
    Item* addItem(float x, float y, int type = 0) {
        editor->items.push_back(new Item());
        std::tie(editor->items.back()->x, editor->items.back()->y, editor->items.back()->type) = std::tuple(x, y, type);
        return editor->items.back();
    }
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

std::vector<std::string> noAnswers(int count) { return std::vector<std::string>(count, ""); }

TEST_F(PlacementTest, NpcAnswersGoToTheirMembersAndTheLastTwoQuestionsStandOnDarkBlue) {
    Actor* earlier = addNpc(0, 0);
    // x, y, hp, hpMax, mp, mpMax, experience, (spare), strength, dexterity, intelligence,
    // response flag, hostile, first and second convo, name, wandering, sprite, direction.
    Actor* npc = placeNpc({"Bob", "hi there", "bye 2", "3", "7", "12 abc", "-5", "", " 12", "1 2",
                           "99999999999", "x8", "8x", "0", "2", "1"},
                          123, 456);
    EXPECT_EQ(npc->serialize(), "123\n456\n-5\n0\n12\n1\n2147483647\n0\n0\n8\n0\n12\n1\nhi there\nbye 2\nBob\n1\n3\n7\n0\n");
    EXPECT_EQ(screenDifference(grab(editor->screen),
                               questionsOn(0, 0, 100, {"Boolean, is Hostile:", "Boolean, is wandering:"})), "");
    ASSERT_EQ(editor->npcs.size(), 2u);
    EXPECT_EQ(editor->npcs.front(), earlier);
    EXPECT_TRUE(eventQueueEmpty());

    // Empty answers are empty texts and zeroes, not the new actor's own values; hostile and
    // wandering are yes only for numbers above zero.
    std::vector<std::string> answers = noAnswers(14);
    answers.insert(answers.end(), {"-1", "true"});
    EXPECT_EQ(placeNpc(answers)->serialize(), "0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n\n\n\n0\n0\n0\n0\n");
}

TEST_F(PlacementTest, ItemAnswersGoToTheirMembersAndARangedTypeBringsANinthQuestion) {
    // type, effect, price, owner, x, y, (flag), name, description, short name, icon, range
    Item* item = placeItem({"Potion", "pot", "heals you", "3", "25", " 12", "99999999999", "7"}, 196, 50);
    EXPECT_EQ(item->serialize(), "3\n25\n12\n2147483647\n196\n50\n0\nPotion\nheals you\npot\n7\n0\n");
    Item* spaced = placeItem({"", "", "", "", "", "1 2", "", ""});
    EXPECT_EQ(spaced->serialize(), "0\n0\n1\n0\n0\n0\n0\n\n\n\n0\n0\n");  // not the unset item's texts

    fill(editor->screen, 0, 160, 0);  // the questions stand over the view
    Item* ranged = placeItem({"Bow", "", "", "8x", "", "", "", "", "12"});
    EXPECT_EQ(screenDifference(grab(editor->screen),
                               questionsOn(0, 160, 0, {"Name:", "Short name:", "Description:", "Type (check docs for list):",
                                                       "Maximum Effect:", "Price:", "Owner (check docs for list):", "Icon:",
                                                       "This is a ranged weapon (gun or bow). Range in tiles?"})), "");
    EXPECT_EQ(std::pair(ranged->type, ranged->range), std::pair(ITEM_TYPE_RANGED, 12));
    EXPECT_TRUE(eventQueueEmpty());
    // The answer queued for a ninth question stays for whoever asks next.
    Item* plain = placeItem({"Rock", "", "", "x8", "", "", "", "", "77"});
    EXPECT_EQ(std::pair(plain->type, plain->range), std::pair(0, 0));
    EXPECT_EQ(editor->getUserString("Name:", 10, 0), "77");
    EXPECT_EQ(editor->items.size(), 4u);
}
TEST_F(PlacementTest, EditingSavesOnlyTheChangedLines) {
    // Return keeps an answer's starting text; Backspace ("\b") clears it for a new one.
    const struct {
        bool npc;
        int index;  // of the world's sample objects: NPC 0, item 0 a sword, item 1 a bow (range 6)
        std::vector<std::string> answers;
        std::vector<std::pair<std::string, std::string>> changes;  // in the file before
    } cases[] = {{true, 0, noAnswers(16), {}},
                 {true, 0, {"\bOlga", "", "", "", "\b3", "", "", "", "", "", "", "", "", "", "", ""},
                  {{"Olaf the Fisherman\n1\n0\n0\n", "Olga\n1\n0\n3\n"}}},  // name, wandering, sprite, direction
                 {false, 1, noAnswers(9), {}},
                 {false, 0, {"", "", "", "\b8", "", "", "", "", "\b4"}, {{"1\n6\n", "8\n6\n"}, {"sword\n0\n0\n", "sword\n0\n4\n"}}}};
    run({SDLK_l});
    const auto before = filesUnder(DATA_DIR);
    for (const auto& c : cases) {
        const std::string path = c.npc ? npcDefPath(DATA_DIR, c.index) : itemDefPath(DATA_DIR, c.index);
        std::string expected = readFile(path);
        for (const auto& [from, to] : c.changes) expected.replace(expected.find(from), from.size(), to);
        queueAnswers(c.answers);
        if (c.npc) editor->editNPCAt(truncateToInt(editor->npcs.front()->x) + 1, truncateToInt(editor->npcs.front()->y));
        else editor->editItemAt(truncateToInt(editor->items[c.index]->x) + 1, truncateToInt(editor->items[c.index]->y));
        EXPECT_TRUE(eventQueueEmpty());
        run({SDLK_s});
        EXPECT_EQ(readFile(path), expected) << path;
    }
    // The two edits that changed something are the two undo steps.
    editor->undoEdit();
    editor->undoEdit();
    run({SDLK_s});
    EXPECT_TRUE(filesUnder(DATA_DIR) == before);
    std::string said;
    EXPECT_FALSE(editor->history.undo(WorldRef{editor->map, editor->npcs, editor->items}, said));
}

// Removal: a 2x2 box at the click against the object's 48x48 box, touching counts; an NPC's
// fractions truncate toward zero.
TEST_F(PlacementTest, RemovalReachesTwoPixelsBeforeAndFortyEightAfterTheCorner) {
    const struct {
        int x, y;
        bool removed;
    } cases[] = {{94, 150, true},  {144, 150, true},  {100, 142, true},  {144, 192, true},
                 {93, 150, false}, {145, 150, false}, {100, 141, false}, {100, 193, false}};
    Item* item = addItem(96, 144);
    for (const auto& c : cases) {
        Actor* actor = addNpc(96.7f, 144.2f);
        editor->killNPCAt(c.x, c.y);
        EXPECT_EQ(editor->npcs.empty(), c.removed) << c.x << "," << c.y;
        if (!editor->npcs.empty()) delete actor, editor->npcs.clear();
        item->type = 0;
        editor->killItemAt(c.x, c.y);
        EXPECT_EQ(item->type == ITEM_TYPE_REMOVED, c.removed) << c.x << "," << c.y;
    }
    addNpc(-0.5f, 0);  // at 0, so a click at 48 touches it
    editor->killNPCAt(48, 0);
    EXPECT_TRUE(editor->npcs.empty());
    EXPECT_EQ(editor->items.size(), 1u);  // a removed item stays listed
}

TEST_F(PlacementTest, RemovalAndEditingTakeTheEarliestLiveObjectUnderTheClickOrNothing) {
    editor->killNPCAt(100, 100);
    editor->killItemAt(100, 100);
    queueAnswers({"\bBob", "", "", "", "", "", "", "", "", "", "", "", "", "", "", ""});
    editor->editNPCAt(100, 100);  // nothing there: the answers wait for the edit below
    editor->editItemAt(100, 100);
    Actor* first = addNpc(96, 144);
    Actor* second = addNpc(100, 150);
    editor->editNPCAt(100, 150);
    EXPECT_EQ(first->name, "Bob");
    Item* removed = addItem(96, 144, ITEM_TYPE_REMOVED);
    Item* live = addItem(100, 150);
    Item* later = addItem(90, 140);
    editor->killNPCAt(500, 500);  // nothing there
    editor->killItemAt(500, 500);
    EXPECT_EQ(editor->npcs.size(), 2u);
    EXPECT_EQ(live->type, 0);

    editor->killNPCAt(100, 150);
    EXPECT_EQ(editor->npcs, std::list<Actor*>{second});
    editor->killItemAt(100, 150);
    EXPECT_EQ(live->type, ITEM_TYPE_REMOVED);
    EXPECT_EQ(later->type, 0);
    editor->killItemAt(100, 150);
    EXPECT_EQ(later->type, ITEM_TYPE_REMOVED);
    EXPECT_EQ(removed->type, ITEM_TYPE_REMOVED);
    EXPECT_EQ(editor->items.size(), 3u);
}

}  // namespace
