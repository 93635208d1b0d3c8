// Shift and a button drag in the NPC and item modes, and N and Shift+N with the centring and
// the outline, on the dummy video driver. The drag's drawing and the file it
// saves, and G, are tested on the real binary (tests/e2e).
#include <SDL.h>

#include <cstring>

#include "editor_fixture.h"
#include "world/navigation.h"

namespace {

SDL_Event mouse(Uint8 type, int button, int x, int y) {
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = type;
    e.button.button = static_cast<Uint8>(button);
    e.button.x = static_cast<Uint16>(x), e.button.y = static_cast<Uint16>(y);
    if (type == SDL_MOUSEMOTION) e.motion.x = static_cast<Uint16>(x), e.motion.y = static_cast<Uint16>(y);
    return e;
}

// An item picked up in a removal mode is drawn where the pointer takes it; presses meanwhile
// do nothing; in the select mode Shift changes nothing.
TEST_F(EditorTest, ShiftAndAButtonDragTheObjectARemovalWouldTakeButNotInTheSelectMode) {
    editor->scrollX = 2, editor->scrollY = 1;
    Item cup;
    cup.name = "Cup", cup.x = 396, cup.y = 248;  // at (300, 200) in the window
    editor->placeItem(cup);
    SDL_SetModState(KMOD_LSHIFT);
    for (int mode : {MODE_SELECT, MODE_KILL_ITEM}) {
        editor->rightClickMode = mode;
        queueEvents({mouse(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 310, 210), mouse(SDL_MOUSEMOTION, 0, 20, 400)});
        editor->waitForEvent();  // keeps the motion that came with the press
        editor->getInput();
        EXPECT_EQ(std::make_tuple(editor->dragged.index, editor->dragged.x, editor->dragged.y),
                  mode == MODE_SELECT ? std::make_tuple(-1, 0.0f, 0.0f) : std::make_tuple(0, 106.0f, 438.0f));
        queueEvents({mouse(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 310, 210), mouse(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE, 0, 0)});
        editor->getInput();
    }
    EXPECT_EQ(std::make_tuple(editor->items[0].x, editor->items[0].y, editor->items[0].type), std::make_tuple(86.0f, 38.0f, 0));
    EXPECT_EQ(std::make_tuple(editor->selX1, editor->selY1, editor->selX2), std::make_tuple(8, 5, 8));
    EXPECT_EQ(editor->history.stepCount(), 2u);
}

// At 24 pixels per cell the view's top-left cell is X-16, Y-12 (never below 0), and the
// outline stands where a cell in the middle of the window is drawn.
TEST_F(EditorTest, NAndShiftNStepThroughTheFindingsCentredAndOutlinedAtAnySizeOfCell) {
    editor->cellPixels = 24;
    editor->steps.findings = parseFindings("data/map.dat:101: x=50..52: tile 0 -> 1\ndata/map.dat:3: x=2\n");
    CaptureOutput output;
    EXPECT_EQ(run({SDLK_n}), std::vector<Uint32>{200});
    EXPECT_EQ(std::make_pair(editor->scrollX, editor->scrollY), std::make_pair(34, 88));
    editor->runFrame();
    const Uint32 yellow = SDL_MapRGB(editor->screen->format, 255, 255, 0);
    for (auto [x, y, edge] : {std::tuple{0, 10, true}, {23, 23, true}, {10, 10, false}, {25, 10, false}})
        EXPECT_EQ(rawPixel(editor->screen, 16 * 24 + x, 12 * 24 + y) == yellow, edge) << x << "," << y;
    run({SDLK_n});
    EXPECT_EQ(std::make_pair(editor->scrollX, editor->scrollY), std::make_pair(0, 0));
    run({SDLK_n});
    SDL_SetModState(KMOD_LSHIFT);
    EXPECT_EQ(run({SDLK_LSHIFT, SDLK_n}), std::vector<Uint32>{200});
    EXPECT_EQ(std::make_pair(editor->scrollX, editor->scrollY), std::make_pair(34, 88));
    EXPECT_EQ(output.out(), "1 of 2: data/map.dat:101: x=50..52: tile 0 -> 1\n2 of 2: data/map.dat:3: x=2\n"
                            "No more findings\n1 of 2: data/map.dat:101: x=50..52: tile 0 -> 1\n");
}

}  // namespace
