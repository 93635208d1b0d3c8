// Moving objects with Shift and a drag, G, N and Shift+N, and the centring, on the dummy video
// driver. What the answers and findings lead to is the world tests'; a drag with real button
// events in a real window is tested on the real binary (tests/e2e).
#include <SDL.h>

#include <cstring>

#include "editor_fixture.h"
#include "world/navigation.h"

namespace {

SDL_Event mouse(Uint8 type, int button, int x, int y) {
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = type;
    if (type == SDL_MOUSEMOTION) {
        e.motion.x = static_cast<Uint16>(x), e.motion.y = static_cast<Uint16>(y);
    } else {
        e.button.button = static_cast<Uint8>(button);
        e.button.x = static_cast<Uint16>(x), e.button.y = static_cast<Uint16>(y);
    }
    return e;
}

class NavigateTest : public EditorTest {
protected:
    // The map and the objects as drawn now.
    std::vector<Uint16> view() {
        editor->drawMap();
        editor->drawSprites();
        return grab(editor->screen);
    }
    // Types the events into the next prompt, once it waits (the command handler takes every
    // event queued before the key acts).
    void answerNextPrompt(std::vector<SDL_Event> events) {
        editor->whileWaiting = [events, typed = false]() mutable {
            if (!typed) queueEvents(events);
            typed = true;
        };
    }
};

// A press picks up what a removal click there would take; the release drops it by the
// pointer's movement.
TEST_F(NavigateTest, ShiftAndAButtonDragTheObjectUnderThePointerDrawnWhereItGoes) {
    editor->scrollX = 2, editor->scrollY = 1;
    Actor guard;
    guard.name = "Guard", guard.x = 196, guard.y = 148;  // at (100, 100) in the window
    editor->placeNpc(guard);
    Item cup;
    cup.name = "Cup", cup.x = 396, cup.y = 248;  // at (300, 200)
    editor->placeItem(cup);
    const struct {
        const char* what;
        int mode, button, x, y, toX, toY;
        float npcX, npcY, itemX, itemY;
    } cases[] = {
        {"an NPC in a place mode", MODE_PLACE_NPC, SDL_BUTTON_RIGHT, 110, 110, 160, 90, 246, 128, 396, 248},
        {"an item in a removal mode", MODE_KILL_ITEM, SDL_BUTTON_MIDDLE, 310, 210, 0, 0, 246, 128, 86, 38},
        {"nothing in the select mode", MODE_SELECT, SDL_BUTTON_RIGHT, 160, 90, 400, 400, 246, 128, 86, 38},
        {"nothing over empty ground", MODE_KILL_NPC, SDL_BUTTON_RIGHT, 600, 500, 160, 90, 246, 128, 86, 38},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        editor->rightClickMode = c.mode;
        SDL_SetModState(KMOD_LSHIFT);
        queueEvents({mouse(SDL_MOUSEBUTTONDOWN, c.button, c.x, c.y), mouse(SDL_MOUSEMOTION, 0, c.toX, c.toY)});
        editor->getInput();
        if (c.mode == MODE_PLACE_NPC) {
            // Drawn under the pointer, the NPC itself still where it was until the drop.
            const std::vector<Uint16> dragged = view();
            const MovedObject held = editor->dragged;
            editor->dragged = MovedObject();
            const std::vector<Uint16> before = view();
            editor->npcs[0].x = c.npcX, editor->npcs[0].y = c.npcY;
            EXPECT_EQ(screenDifference(dragged, view()), "");
            EXPECT_NE(screenDifference(dragged, before), "");
            editor->npcs[0].x = guard.x, editor->npcs[0].y = guard.y;
            editor->dragged = held;
            // Other presses during a drag do nothing (this one would paint).
            queueEvents({mouse(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 700, 500)});
        }
        queueEvents({mouse(SDL_MOUSEBUTTONUP, c.button, c.toX, c.toY)});
        editor->getInput();
        EXPECT_EQ(std::make_pair(editor->npcs[0].x, editor->npcs[0].y), std::make_pair(c.npcX, c.npcY));
        EXPECT_EQ(std::make_pair(editor->items[0].x, editor->items[0].y), std::make_pair(c.itemX, c.itemY));
    }
    EXPECT_EQ(editor->selX1, 5) << "Shift changes nothing in the select mode";
    EXPECT_EQ(editor->history.stepCount(), 4u) << "two placed, two moved";
    CaptureOutput output;
    editor->undoEdit();
    editor->undoEdit();
    EXPECT_EQ(output.out(), "Undo: item \"Cup\" moved\nUndo: NPC \"Guard\" moved\n");
}

TEST_F(NavigateTest, GAsksWhereToGoNAndShiftNStepThroughTheFindingsOutlined) {
    Item cup;
    cup.name = "Cup", cup.x = 4800, cup.y = 960;
    editor->placeItem(cup);
    editor->steps.findings = parseFindings("data/map.dat:101: x=50..52: tile 0 -> 1\n");
    CaptureOutput output;
    std::vector<SDL_Event> cupReturn = typingOf("cup");
    cupReturn.push_back(returnKey());
    answerNextPrompt(cupReturn);
    EXPECT_EQ(run({SDLK_g}), std::vector<Uint32>{200});
    EXPECT_EQ(std::make_pair(editor->scrollX, editor->scrollY), std::make_pair(92, 14));
    answerNextPrompt({returnKey()});  // the answer starts as the last one: Return finds the next
    EXPECT_EQ(run({SDLK_n, SDLK_g}), std::vector<Uint32>{200});  // only G acts
    EXPECT_EQ(run({SDLK_n}), std::vector<Uint32>{200});
    EXPECT_EQ(std::make_pair(editor->scrollX, editor->scrollY), std::make_pair(42, 94));
    editor->runFrame();
    const Uint32 yellow = SDL_MapRGB(editor->screen->format, 255, 255, 0);
    EXPECT_EQ(rawPixel(editor->screen, 8 * 48, 6 * 48 + 20), yellow) << "cell 50,100 is outlined";
    EXPECT_EQ(rawPixel(editor->screen, 8 * 48 + 47, 6 * 48 + 47), yellow);
    EXPECT_NE(rawPixel(editor->screen, 8 * 48 + 20, 6 * 48 + 20), yellow);
    SDL_SetModState(KMOD_LSHIFT);
    EXPECT_EQ(run({SDLK_LSHIFT, SDLK_n}), std::vector<Uint32>{200});
    EXPECT_EQ(output.out(), "Go to: item \"Cup\" (data/idef/0.def) at cell 100,20, 1 of 1\n"
                            "Go to: item \"Cup\" (data/idef/0.def) at cell 100,20, 1 of 1\n"
                            "1 of 1: data/map.dat:101: x=50..52: tile 0 -> 1\nNo more findings\n");
    EXPECT_TRUE(eventQueueEmpty());
}

// Half the window's cells before the cell, at every size of cell, never before cell 0.
TEST(Centring, TheCellIsInTheMiddleOfTheViewAtAnySizeOfCell) {
    const struct {
        int cellPixels, x, y, scrollX, scrollY;
    } cases[] = {{48, 100, 100, 92, 94}, {24, 100, 100, 84, 88}, {12, 100, 100, 67, 75},
                 {6, 100, 100, 34, 50},  {48, 8, 5, 0, 0},       {6, 349, 349, 283, 299}};
    for (const auto& c : cases) {
        View view;
        view.cellPixels = c.cellPixels;
        view.scrollX = view.scrollY = 7;
        view.centreOn(c.x, c.y);
        EXPECT_EQ(std::make_pair(view.scrollX, view.scrollY), std::make_pair(c.scrollX, c.scrollY)) << c.cellPixels;
    }
}

}  // namespace
