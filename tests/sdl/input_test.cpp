// The command set on the dummy video driver: mouse presses from SDL's queue, then the keys
// held in SDL's key state table, each command with the waits it makes. Escape, the window's
// close request and the screenshot's pixels are tested on the real binary (tests/e2e).
#include <SDL.h>

#include <cstdio>
#include <filesystem>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "editor_fixture.h"

namespace {

const std::string MAP_FILE = "data/map.dat";
using Waits = std::vector<Uint32>;
// scrollX, scrollY, currentTile, paletteScroll, showPalette, showMinimap, rightClickMode
using KeyState = std::tuple<int, int, int, int, bool, bool, int>;

// The centre of the window pixel area that shows a cell while the view starts at cell (0, 0).
int at(int cell) { return cell * TILE_SIZE + TILE_SIZE / 2; }

class InputTest : public EditorTest {
protected:
    // One mouse press handled by the command handler; returns what it printed.
    std::string click(int button, int x, int y) {
        CaptureOutput output;
        pushClick(button, x, y);
        editor->getInput();
        return output.out();
    }
    std::vector<int> tiles() const {
        const int* first = &editor->map.tiles[0][0];
        return std::vector<int>(first, first + MAP_SIZE * MAP_SIZE);
    }
    KeyState keyState() const {
        return {editor->scrollX, editor->scrollY,   editor->currentTile,   editor->paletteScroll,
                editor->showPalette, editor->showMinimap, editor->rightClickMode};
    }
    bool minimapShows(int x, int y, Uint8 r, Uint8 g, Uint8 b) const {
        return rawPixel(editor->minimap.get(), x, y) == SDL_MapRGB(editor->minimap->format, r, g, b);
    }
    void selectWithClicks(int button, int x1, int y1, int x2, int y2) {
        pushClick(button, at(x1), at(y1));
        pushClick(button, at(x2), at(y2));
        editor->getInput();
    }
};

TEST_F(InputTest, KeyGroupsActInTheirOrderWithTheirWaits) {
    const struct {
        std::vector<SDLKey> keys;
        Waits waits;
        KeyState after;
    } steps[] = {
        // One key of each group: Up, Left, [, Q, P, M, Z and F3 act in this order.
        {{SDLK_F3, SDLK_z, SDLK_m, SDLK_p, SDLK_q, SDLK_LEFTBRACKET, SDLK_LEFT, SDLK_UP},
         {100, 100, 100, 25, 100, 200, 100, 100}, {0, 0, 46, 0, true, false, 1}},
        // The second key of each group acts when the first is not held; ] wraps to 0.
        {{SDLK_DOWN, SDLK_RIGHT, SDLK_RIGHTBRACKET, SDLK_a}, {100, 100, 100, 25}, {1, 1, 0, 1, true, false, 1}},
        // Only the first held key of a group acts.
        {{SDLK_UP, SDLK_DOWN}, {100}, {1, 0, 0, 1, true, false, 1}},
        {{SDLK_LEFT, SDLK_RIGHT}, {100}, {0, 0, 0, 1, true, false, 1}},
        {{SDLK_LEFTBRACKET, SDLK_RIGHTBRACKET}, {100}, {0, 0, 46, 1, true, false, 1}},
        {{SDLK_q, SDLK_a}, {25}, {0, 0, 46, 0, true, false, 1}},
        // Scrolling stops at zero, and still waits.
        {{SDLK_UP}, {100}, {0, 0, 46, 0, true, false, 1}},
        {{SDLK_LEFT}, {100}, {0, 0, 46, 0, true, false, 1}},
        {{SDLK_q}, {25}, {0, 0, 46, 0, true, false, 1}},
        {{SDLK_LEFTBRACKET}, {100}, {0, 0, 45, 0, true, false, 1}},
        // P and M toggle back; Z goes round the five modes; Shift changes nothing.
        {{SDLK_p}, {100}, {0, 0, 45, 0, false, false, 1}},
        {{SDLK_m}, {200}, {0, 0, 45, 0, false, true, 1}},
        {{SDLK_z}, {100}, {0, 0, 45, 0, false, true, 2}},
        {{SDLK_z}, {100}, {0, 0, 45, 0, false, true, 3}},
        {{SDLK_RSHIFT, SDLK_z}, {100}, {0, 0, 45, 0, false, true, 4}},
        {{SDLK_z}, {100}, {0, 0, 45, 0, false, true, 0}},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE("step " + std::to_string(i));
        EXPECT_EQ(run(steps[i].keys), steps[i].waits);
        EXPECT_EQ(keyState(), steps[i].after);
    }
    EXPECT_TRUE(fileExists("sshot.bmp"));
    // No upper limit on scrolling; ] reaches tile 46; the palette stops at the last tile.
    editor->scrollY = MAP_SIZE - 1;
    editor->scrollX = 1000;
    editor->paletteScroll = LAST_TILE;
    EXPECT_EQ(run({SDLK_DOWN, SDLK_RIGHT, SDLK_RIGHTBRACKET, SDLK_a}), (Waits{100, 100, 100, 25}));
    EXPECT_EQ(keyState(), KeyState(1001, MAP_SIZE, 46, LAST_TILE, false, true, 0));
}

TEST_F(InputTest, SaveComesBeforeLoadAndLoadBeforeTheModeKey) {
    removeFile(MAP_FILE);
    CaptureOutput quiet;
    EXPECT_EQ(run({SDLK_z, SDLK_l, SDLK_s, SDLK_LSHIFT}), Waits{200});
    EXPECT_TRUE(fileExists(MAP_FILE)) << "S (with Shift) did not save";
    EXPECT_FALSE(editor->dataLoaded);
    EXPECT_EQ(run({SDLK_z, SDLK_l}), Waits{200});
    EXPECT_TRUE(editor->dataLoaded);
    EXPECT_EQ(editor->rightClickMode, MODE_SELECT);
}

// A failed save's message is drawn again in each frame after S is released, until the next key
// or click: a tap would otherwise show it for one frame at most.
TEST_F(InputTest, AFailedSavesMessageStaysUntilTheNextKey) {
    writeFile(MAP_FILE, "");  // changed on disk since the editor read it
    editor->paint(1, 1, 3);
    CaptureOutput quiet;
    queueEvents({keyPress(SDLK_s)});
    run({SDLK_s});
    const auto frameTop = [&] {
        editor->runFrame();
        return grab(editor->screen, 0, 0, SCREEN_WIDTH, 20);
    };
    frameTop();
    const std::vector<Uint16> shown = frameTop();
    queueEvents({keyPress(SDLK_F1)});
    frameTop();
    EXPECT_NE(frameTop(), shown) << "still shown after a key";
    editor->drawTextAt("Save failed: see the error output.", 0, 0);
    EXPECT_TRUE(grab(editor->screen, 0, 0, SCREEN_WIDTH, 20) == shown) << "not the message over the frame";
}

// What the save did is drawn over the frame (what it wrote is the document's tests').
TEST_F(InputTest, SaveShowsWhetherEverythingWasWritten) {
    // First with an NPC placed before the world's were loaded, which is not saved.
    editor->placeNpc(Actor());
    for (const char* message : {"Save failed: see the error output.", "Saved into 'data' folder. Overwrote existing files."}) {
        fill(editor->screen, 0, 0, 0);
        CaptureOutput output;
        EXPECT_EQ(run({SDLK_s}), Waits{200});
        const std::vector<Uint16> shown = grab(editor->screen);
        fill(editor->screen, 0, 0, 0);  // the message alone on black
        editor->drawTextAt(message, 0, 0);
        EXPECT_EQ(screenDifference(shown, grab(editor->screen)), "");
        editor->npcs.clear();
    }
    // The screenshot is written as the saves are: what is in its way stays, with a warning.
    makeDirs("sshot.bmp/kept");
    CaptureOutput shot;
    run({SDLK_F3});
    EXPECT_EQ(shot.err(), "***WARNING*** could not write sshot.bmp: Is a directory\n");
    EXPECT_TRUE(std::filesystem::is_directory("sshot.bmp/kept"));
}

TEST_F(InputTest, LeftClickJumpsPicksOrPaintsByWhereItLands) {
    // All sea, so that a painted cell shows on the minimap as plain ground.
    for (auto& row : editor->map.tiles)
        for (int& tile : row) tile = SEA_TILE;
    editor->reloadMinimap();
    const struct {
        const char* what;
        bool minimap, palette;
        int scrollX, paletteScroll, x, y;
        const char* out;
        int scrollXAfter, scrollYAfter, tileAfter;
    } cases[] = {
        {"minimap jump, up to its margins", true, false, 0, 0, 333, 337, "jump to -> 333,337\n", 333, 337, 30},
        {"right of the jump area", true, false, 0, 0, 334, 100, "6,2\n", 0, 0, 30},
        {"below the jump area", true, false, 0, 0, 100, 338, "2,7\n", 0, 0, 30},
        {"minimap hidden", false, false, 0, 0, 100, 100, "2,2\n", 0, 0, 30},
        {"scrolled", false, false, 3, 0, 400, 450, "11,9\n", 3, 0, 30},
        {"beyond the map: no cell, but the echo", false, false, 349, 0, 100, 10, "351,0\n", 349, 0, 30},
        {"palette slot", false, true, 0, 3, 10, 100, "", 0, 0, 5},
        {"palette's last column", false, true, 0, 3, 47, 0, "", 0, 0, 3},
        {"column 48 is the map", false, true, 0, 3, 48, 0, "1,0\n", 0, 0, 30},
        {"the last slot holds tile 46", false, true, 0, 40, 10, 6 * TILE_SIZE, "", 0, 0, 46},
        {"below the last slot", false, true, 0, 40, 10, 7 * TILE_SIZE, "", 0, 0, 30},
        {"palette under the minimap", true, true, 0, 2, 10, 100, "jump to -> 10,100\n", 10, 100, 30},
        {"palette below the jump area", true, true, 0, 2, 10, 400, "", 0, 0, 400 / TILE_SIZE + 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        editor->showMinimap = c.minimap;
        editor->showPalette = c.palette;
        editor->scrollX = c.scrollX;
        editor->scrollY = 0;
        editor->paletteScroll = c.paletteScroll;
        editor->currentTile = 30;
        std::vector<int> expected = tiles();
        EXPECT_EQ(click(SDL_BUTTON_LEFT, c.x, c.y), c.out);
        int cellX, cellY;
        const bool painted = sscanf(c.out, "%d,%d", &cellX, &cellY) == 2 && cellX < MAP_SIZE;
        if (painted) {
            expected[cellY * MAP_SIZE + cellX] = 30;
            EXPECT_TRUE(minimapShows(cellX, cellY, 100, 100, 100)) << "the minimap was not drawn again";
        }
        EXPECT_TRUE(tiles() == expected);
        EXPECT_EQ(editor->scrollX, c.scrollXAfter);
        EXPECT_EQ(editor->scrollY, c.scrollYAfter);
        EXPECT_EQ(editor->currentTile, c.tileAfter);
        if (painted) editor->map.setTileAt(cellX, cellY, SEA_TILE);
    }
}

// Buttons 8 and 9 are a mouse's side buttons as X numbers them; the wheel is no button here.
TEST_F(InputTest, SelectionCornersInAnyOrderAndByAnyRealButtonButTheLeft) {
    editor->scrollX = 10;
    editor->scrollY = 20;
    auto selection = [&] { return std::tuple(editor->selX1, editor->selY1, editor->selX2, editor->selY2); };
    // Cells 12..15 by 23..27, given by opposite corners in all four orders.
    const int corners[4][4] = {{2, 3, 5, 7}, {5, 7, 2, 3}, {5, 3, 2, 7}, {2, 7, 5, 3}};
    const int buttons[4] = {SDL_BUTTON_MIDDLE, SDL_BUTTON_RIGHT, 8, 9};
    for (int i = 0; i < 4; ++i) {
        const int* c = corners[i];
        editor->selX1 = editor->selX2 = editor->selY1 = editor->selY2 = -1;
        EXPECT_EQ(click(buttons[i], at(c[0]), at(c[1])), "");
        EXPECT_EQ(selection(), std::tuple(10 + c[0], 20 + c[1], -1, -1)) << i;
        click(buttons[i], at(c[2]), at(c[3]));
        EXPECT_EQ(selection(), std::tuple(12, 23, 15, 27)) << i;
    }
    // A further press is a new second corner against the current first one.
    click(SDL_BUTTON_RIGHT, at(1), at(1));
    EXPECT_EQ(selection(), std::tuple(11, 21, 12, 23));
}

TEST_F(InputTest, FillPaintsExactlyTheRectangleBeforeTheScreenshotAndClearsIt) {
    for (int x = 1; x <= 7; ++x)
        for (int y = 2; y <= 9; ++y) editor->map.setTileAt(x, y, 0);
    editor->currentTile = SEA_TILE;
    selectWithClicks(SDL_BUTTON_RIGHT, 5, 7, 2, 3);
    std::vector<int> expected = tiles();
    for (int x = 2; x <= 5; ++x)
        for (int y = 3; y <= 7; ++y) expected[y * MAP_SIZE + x] = SEA_TILE;
    EXPECT_EQ(run({SDLK_f, SDLK_F3}), Waits{});  // F ends the pass: no screenshot, no wait
    EXPECT_FALSE(fileExists("sshot.bmp"));
    EXPECT_TRUE(tiles() == expected) << "other cells than 2..5 by 3..7 changed";
    EXPECT_EQ(std::tuple(editor->selX1, editor->selY1, editor->selX2, editor->selY2), std::tuple(-1, -1, -1, -1));
    EXPECT_TRUE(minimapShows(2, 3, 0, 0, 255) && minimapShows(5, 7, 0, 0, 255));
    EXPECT_TRUE(minimapShows(6, 7, 100, 100, 100));
}

TEST_F(InputTest, CtrlZUndoesAndCtrlYOrCtrlShiftZRedoesLeavingTheModeAlone) {
    for (int x = 1; x <= 3; ++x)
        for (int y = 1; y <= 3; ++y) editor->map.setTileAt(x, y, 0);
    const std::vector<int> original = tiles();
    editor->currentTile = SEA_TILE;
    editor->showMinimap = false;
    click(SDL_BUTTON_LEFT, at(1), at(1));
    const std::vector<int> painted = tiles();
    selectWithClicks(SDL_BUTTON_RIGHT, 3, 3, 2, 2);
    run({SDLK_f});
    const std::vector<int> filled = tiles();
    CaptureOutput output;
    const struct {
        SDLMod mods;
        std::vector<SDLKey> keys;
        const std::vector<int>& after;
    } steps[] = {{KMOD_LCTRL, {SDLK_LCTRL, SDLK_z}, painted}, {KMOD_RCTRL, {SDLK_RCTRL, SDLK_z}, original},
                 {KMOD_LCTRL, {SDLK_LCTRL, SDLK_y}, painted}, {KMOD_LCTRL, {SDLK_LCTRL, SDLK_LSHIFT, SDLK_z}, filled}};
    for (const auto& step : steps) {
        SDL_SetModState(static_cast<SDLMod>(step.mods | (step.keys.size() == 3 ? KMOD_LSHIFT : 0)));
        EXPECT_EQ(run(step.keys), Waits{200});
        EXPECT_TRUE(tiles() == step.after);
        EXPECT_EQ(editor->rightClickMode, MODE_SELECT);
    }
    EXPECT_EQ(output.out(), "Undo: fill of 4 cells\nUndo: paint of cell 1,1\nRedo: paint of cell 1,1\nRedo: fill of 4 cells\n");
}

TEST_F(InputTest, OtherButtonsPlaceEditAndRemoveByTheModeAtTheWorldPosition) {
    editor->scrollX = 2;
    editor->scrollY = 1;
    // Ctrl edits the object under the pointer in a place mode ("s" appended to the name).
    const struct {
        int mode, button, ctrl;
        std::vector<std::string> answers;
    } steps[] = {{MODE_PLACE_NPC, SDL_BUTTON_RIGHT, 0, {"Guard", "", "", "", "", "", "", "", "", "", "", "", "", "", "", ""}},
                 {MODE_PLACE_ITEM, SDL_BUTTON_MIDDLE, 0, {"Sword", "sw", "sharp", "3", "", "", "", ""}},
                 {MODE_PLACE_NPC, SDL_BUTTON_RIGHT, KMOD_LCTRL, {"s", "", "", "", "", "", "", "", "", "", "", "", "", "", "", ""}},
                 {MODE_PLACE_ITEM, SDL_BUTTON_RIGHT, KMOD_LCTRL, {"s", "", "", "", "", "", "", ""}},
                 {MODE_KILL_ITEM, 8, 0, {}},
                 {MODE_KILL_NPC, 9, KMOD_LCTRL, {}}};
    for (const auto& s : steps) {
        editor->rightClickMode = s.mode;
        SDL_SetModState(static_cast<SDLMod>(s.ctrl));
        pushClick(s.button, 100, 50);
        queueAnswers(s.answers);
        editor->getInput();
        if (s.mode == MODE_PLACE_NPC) {
            EXPECT_EQ(editor->npcs.front().name, s.ctrl ? "Guards" : "Guard");
        }
        if (s.ctrl || s.mode != MODE_PLACE_ITEM) continue;
        ASSERT_EQ(editor->npcs.size() + editor->items.size(), 2u);
        for (auto [x, y] : {std::pair{editor->items[0].x, editor->items[0].y}, {editor->npcs.front().x, editor->npcs.front().y}})
            EXPECT_EQ(std::make_pair(x, y), std::make_pair(196.0f, 98.0f));  // the click plus 48 times the scroll
    }
    EXPECT_TRUE(eventQueueEmpty());
    EXPECT_EQ(editor->items[0].name, "Swords");
    EXPECT_EQ(editor->items[0].type, ITEM_TYPE_REMOVED);
    EXPECT_TRUE(editor->npcs.empty());  // placed at the same place as the item, edited, removed
}

// Where a left click would paint, B fills the region under the pointer and Ctrl + left click
// picks its tile; elsewhere the bucket does nothing and Ctrl + left click does what a left
// click does. On a checkerboard each region is one cell.
TEST_F(InputTest, TheBucketAndThePickTakeTheCellUnderThePointerWhereALeftClickWouldPaint) {
    for (int y = 0; y < MAP_SIZE; ++y)
        for (int x = 0; x < MAP_SIZE; ++x) editor->map.tiles[y][x] = (x + y) % 2;
    const struct {
        bool minimap, palette;
        int scrollX, cellPixels, x, y, cellX, cellY;
        const char* picked;
        int tileAfter;
    } cases[] = {{false, false, 0, 48, 100, 150, 2, 3, "Current tile: 1\n", 1},
                 {true, false, 0, 48, 340, 100, 7, 2, "Current tile: 1\n", 1},  // right of the jump area
                 {false, false, 10, 6, 799, 599, 143, 99, "Current tile: 0\n", 0},
                 {true, false, 0, 48, 100, 150, -1, -1, "jump to -> 100,150\n", 30},
                 {false, true, 0, 48, 47, 300, -1, -1, "", 6},
                 {false, false, 340, 48, 480, 100, -1, -1, "", 30}};  // beyond the last column
    for (const auto& c : cases) {
        SCOPED_TRACE(c.picked);
        std::tie(editor->showMinimap, editor->showPalette, editor->scrollX, editor->cellPixels) =
            std::tuple(c.minimap, c.palette, c.scrollX, c.cellPixels);
        editor->currentTile = 30;
        std::vector<int> expected = tiles();
        const std::vector<int> before = expected;
        if (c.cellX >= 0) expected[c.cellY * MAP_SIZE + c.cellX] = 30;
        SDL_WarpMouse(static_cast<Uint16>(c.x), static_cast<Uint16>(c.y));
        EXPECT_EQ(run({SDLK_b}), Waits{200});
        EXPECT_TRUE(tiles() == expected);
        if (c.cellX >= 0) editor->undo();
        SDL_SetModState(KMOD_LCTRL);
        EXPECT_EQ(click(SDL_BUTTON_LEFT, c.x, c.y), c.picked);
        EXPECT_EQ(editor->currentTile, c.tileAfter);
        EXPECT_TRUE(tiles() == before);
    }
}

TEST_F(InputTest, CtrlCCopiesTheSelectionAndCtrlVPastesItUnderThePointerWhileBComesAfterZ) {
    editor->map.setTileAt(3, 2, 9);
    selectWithClicks(SDL_BUTTON_RIGHT, 2, 1, 6, 3);
    CaptureOutput output;
    EXPECT_EQ(run({SDLK_c, SDLK_v}), Waits{});  // C and V need Ctrl
    SDL_SetModState(KMOD_RCTRL);
    EXPECT_EQ(run({SDLK_RCTRL, SDLK_c}), Waits{200});
    SDL_WarpMouse(static_cast<Uint16>(at(10)), static_cast<Uint16>(at(8)));
    EXPECT_EQ(run({SDLK_RCTRL, SDLK_v}), Waits{200});
    EXPECT_EQ(editor->map.getTileAt(11, 9), 9);
    EXPECT_EQ(std::tuple(editor->selX1, editor->selY1, editor->selX2, editor->selY2), std::tuple(2, 1, 6, 3));
    SDL_SetModState(KMOD_NONE);
    EXPECT_EQ(run({SDLK_z, SDLK_b}), Waits{100});
    EXPECT_EQ(editor->history.stepCount(), 1u);
    EXPECT_EQ(output.out(), "Copied 5x3 cells\n");
}

// The keys zoom about the window's middle, Ctrl + wheel about the pointer; a scroll step is 48
// screen pixels at every zoom. A wheel turn is no click: no corner is set.
TEST_F(InputTest, ZoomKeysAndTheWheelZoomAndScrollByTheirSteps) {
    std::tie(editor->scrollX, editor->scrollY) = std::pair(100, 100);
    const struct {
        std::vector<SDLKey> keys;  // held, or else
        int button, mods;          // a wheel turn at (240, 144)
        const char* out;
        int cellPixels, scrollX, scrollY;
    } steps[] = {{{SDLK_MINUS}, 0, 0, "Zoom: 24 pixels per cell\n", 24, 92, 94},
                 {{SDLK_KP_MINUS}, 0, 0, "Zoom: 12 pixels per cell\n", 12, 75, 81},
                 {{SDLK_MINUS, SDLK_EQUALS}, 0, 0, "Zoom: 6 pixels per cell\n", 6, 42, 56},
                 {{SDLK_MINUS}, 0, 0, "", 6, 42, 56},
                 {{SDLK_DOWN, SDLK_LEFT}, 0, 0, "", 6, 34, 64},
                 {{SDLK_EQUALS}, 0, 0, "Zoom: 12 pixels per cell\n", 12, 67, 89},
                 {{SDLK_KP_PLUS}, 0, 0, "Zoom: 24 pixels per cell\n", 24, 84, 102},
                 {{}, SDL_BUTTON_WHEELUP, KMOD_LCTRL, "Zoom: 48 pixels per cell\n", 48, 89, 105},
                 {{}, SDL_BUTTON_WHEELDOWN, 0, "", 48, 89, 106},
                 {{}, SDL_BUTTON_WHEELUP, KMOD_RSHIFT, "", 48, 88, 106},
                 {{}, 7, 0, "", 48, 89, 106},
                 {{}, SDL_BUTTON_WHEELDOWN, KMOD_RCTRL | KMOD_LSHIFT, "Zoom: 24 pixels per cell\n", 24, 84, 103},
                 {{}, SDL_BUTTON_WHEELUP, 0, "", 24, 84, 101}};
    for (const auto& s : steps) {
        SCOPED_TRACE(&s - steps);
        SDL_SetModState(static_cast<SDLMod>(s.mods));
        if (s.button) {
            EXPECT_EQ(click(s.button, 240, 144), s.out);
        } else {
            CaptureOutput output;
            EXPECT_EQ(run(s.keys), (s.keys[0] == SDLK_DOWN ? Waits{100, 100} : Waits{200}));
            EXPECT_EQ(output.out(), s.out);
        }
        EXPECT_EQ(std::tuple(editor->cellPixels, editor->scrollX, editor->scrollY), std::tuple(s.cellPixels, s.scrollX, s.scrollY));
    }
    EXPECT_EQ(editor->selX1, -1);
}

}  // namespace
