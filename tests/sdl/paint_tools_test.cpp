// The painting tools, zoom and the wheel on the dummy video driver: where the bucket, the pick
// and the paste act, their keys and waits, the zoom levels and the scroll steps, and what the
// view draws zoomed out.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "editor_fixture.h"
#include "render/scaled_art.h"
#include "render/world_picture.h"

namespace {

using Waits = std::vector<Uint32>;

class PaintToolsTest : public EditorTest {
protected:
    // One pass of the command handler with the keys and modifiers held and the pointer at (x, y).
    Waits runAt(int x, int y, const std::vector<SDLKey>& keys, int mods = KMOD_NONE) {
        SDL_WarpMouse(static_cast<Uint16>(x), static_cast<Uint16>(y));
        SDL_SetModState(static_cast<SDLMod>(mods));
        Waits waits = run(keys);
        SDL_SetModState(KMOD_NONE);
        return waits;
    }
    std::string clickWith(int button, int mods, int x, int y) {
        CaptureOutput output;
        SDL_SetModState(static_cast<SDLMod>(mods));
        pushClick(button, x, y);
        editor->getInput();
        SDL_SetModState(KMOD_NONE);
        return output.out();
    }
    void checkerboard() {
        for (int y = 0; y < MAP_SIZE; ++y)
            for (int x = 0; x < MAP_SIZE; ++x) editor->map.tiles[y][x] = (x + y) % 2;
    }
    // The one cell that differs from the checkerboard, as x * 1000 + y, or -1.
    int changedCell() const {
        int found = -1;
        for (int y = 0; y < MAP_SIZE; ++y)
            for (int x = 0; x < MAP_SIZE; ++x)
                if (editor->map.tiles[y][x] != (x + y) % 2) found = found == -1 ? x * 1000 + y : -2;
        return found;
    }
    void view(int scrollX, int scrollY, int cellPixels, bool minimap = false, bool palette = false) {
        std::tie(editor->scrollX, editor->scrollY, editor->cellPixels) = std::tuple(scrollX, scrollY, cellPixels);
        std::tie(editor->showMinimap, editor->showPalette) = std::pair(minimap, palette);
    }
};

// On a checkerboard each region is one cell, so the cell that changes is the one filled.
TEST_F(PaintToolsTest, TheBucketFillsUnderThePointerOnlyWhereALeftClickWouldPaint) {
    checkerboard();
    editor->currentTile = 5;
    const struct {
        const char* what;
        bool minimap, palette;
        int scrollX, cellPixels, x, y, cell;
    } cases[] = {
        {"a map cell", false, false, 0, 48, 100, 150, 2003},
        {"the minimap", true, false, 0, 48, 100, 150, -1},
        {"right of the minimap's jump area", true, false, 0, 48, 340, 100, 7002},
        {"the palette", false, true, 0, 48, 47, 300, -1},
        {"beyond the map's last column", false, false, 340, 48, 480, 100, -1},
        {"zoomed out", false, false, 10, 6, 799, 599, 143099},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        view(c.scrollX, 0, c.cellPixels, c.minimap, c.palette);
        EXPECT_EQ(runAt(c.x, c.y, {SDLK_b}), Waits{200});
        EXPECT_EQ(changedCell(), c.cell);
        EXPECT_EQ(editor->history.stepCount(), c.cell == -1 ? 0u : 1u);
        if (c.cell != -1) editor->undo();
        editor->history.clear();
    }
}

TEST_F(PaintToolsTest, CtrlLeftClickPicksTheTileOfTheCellAndPaintsNothing) {
    const struct {
        const char* what;
        bool minimap, palette;
        int scrollX, cellPixels, x, y;
        const char* out;
        int tile, scrollXAfter;
    } cases[] = {
        {"a map cell", false, false, 0, 48, 100, 150, "Current tile: 21\n", 21, 0},
        {"zoomed out", false, false, 3, 12, 799, 599, "Current tile: 21\n", 21, 3},
        {"beyond the map", false, false, 340, 48, 480, 100, "", 30, 340},
        {"the minimap jumps", true, false, 0, 48, 100, 150, "jump to -> 100,150\n", 30, 100},
        {"the palette picks", false, true, 0, 48, 10, 100, "", 2, 0},
    };
    editor->map.setTileAt(2, 3, SEA_TILE);
    editor->map.setTileAt(3 + 66, 49, SEA_TILE);
    const std::string map = editor->map.serialize();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        view(c.scrollX, 0, c.cellPixels, c.minimap, c.palette);
        editor->currentTile = 30;
        EXPECT_EQ(clickWith(SDL_BUTTON_LEFT, KMOD_LCTRL, c.x, c.y), c.out);
        EXPECT_EQ(std::pair(editor->currentTile, editor->scrollX), std::pair(c.tile, c.scrollXAfter));
    }
    EXPECT_TRUE(editor->map.serialize() == map);
    EXPECT_EQ(editor->history.stepCount(), 0u);
}

// Copy and paste need Ctrl; B comes after Z in their group, and copy and paste after B.
TEST_F(PaintToolsTest, CtrlCCopiesTheSelectionAndCtrlVPastesItUnderThePointer) {
    checkerboard();
    view(0, 0, 48);
    editor->currentTile = 5;
    pushClick(SDL_BUTTON_RIGHT, 2 * 48, 1 * 48);
    pushClick(SDL_BUTTON_RIGHT, 6 * 48, 3 * 48);
    editor->getInput();
    CaptureOutput output;
    EXPECT_EQ(runAt(0, 0, {SDLK_c, SDLK_v}), Waits{});
    EXPECT_EQ(runAt(0, 0, {SDLK_RCTRL, SDLK_c}, KMOD_RCTRL), Waits{200});
    EXPECT_EQ(std::tuple(editor->selX1, editor->selY1, editor->selX2, editor->selY2), std::tuple(2, 1, 6, 3));
    EXPECT_EQ(runAt(10 * 48, 8 * 48, {SDLK_LCTRL, SDLK_v}, KMOD_LCTRL), Waits{200});
    EXPECT_EQ(runAt(10 * 48, 8 * 48, {SDLK_z, SDLK_b}), Waits{100});
    EXPECT_EQ(runAt(0, 0, {SDLK_LCTRL, SDLK_b, SDLK_c}, KMOD_LCTRL), Waits{200});
    EXPECT_EQ(output.out(), "Copied 5x3 cells\n");
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(editor->map.tiles[8 + y][10 + x], (x + y + 1) % 2) << x << "," << y;
    EXPECT_EQ(editor->history.stepCount(), 2u);  // the paste, then the bucket's
    editor->undo();
    EXPECT_EQ(editor->undo().said.outText(), "Undo: paste of 15 cells\n");
}

// The keys zoom about the window's middle cell, the wheel with Ctrl about the cell under the
// pointer; a scroll step is 48 screen pixels at every zoom.
TEST_F(PaintToolsTest, ZoomKeysAndTheWheelZoomAndScrollByTheirSteps) {
    view(100, 100, 48);
    const struct {
        std::vector<SDLKey> keys;
        Waits waits;
        int button, mods;  // a wheel turn at (240, 144) instead of keys
        const char* out;
        int cellPixels, scrollX, scrollY;
    } steps[] = {
        {{SDLK_MINUS}, {200}, 0, 0, "Zoom: 24 pixels per cell\n", 24, 92, 94},
        {{SDLK_KP_MINUS}, {200}, 0, 0, "Zoom: 12 pixels per cell\n", 12, 75, 81},
        {{SDLK_MINUS, SDLK_EQUALS}, {200}, 0, 0, "Zoom: 6 pixels per cell\n", 6, 42, 56},
        {{SDLK_MINUS}, {200}, 0, 0, "", 6, 42, 56},
        {{SDLK_DOWN, SDLK_LEFT}, {100, 100}, 0, 0, "", 6, 34, 64},
        {{SDLK_EQUALS}, {200}, 0, 0, "Zoom: 12 pixels per cell\n", 12, 67, 89},
        {{SDLK_KP_PLUS}, {200}, 0, 0, "Zoom: 24 pixels per cell\n", 24, 84, 102},
        {{}, {}, SDL_BUTTON_WHEELUP, KMOD_LCTRL, "Zoom: 48 pixels per cell\n", 48, 89, 105},
        {{}, {}, SDL_BUTTON_WHEELUP, KMOD_RCTRL, "", 48, 89, 105},
        {{}, {}, SDL_BUTTON_WHEELDOWN, 0, "", 48, 89, 106},
        {{}, {}, SDL_BUTTON_WHEELUP, 0, "", 48, 89, 105},
        {{}, {}, SDL_BUTTON_WHEELDOWN, KMOD_LSHIFT, "", 48, 90, 105},
        {{}, {}, SDL_BUTTON_WHEELUP, KMOD_RSHIFT, "", 48, 89, 105},
        {{}, {}, 7, 0, "", 48, 90, 105},
        {{}, {}, 6, 0, "", 48, 89, 105},
        {{}, {}, SDL_BUTTON_WHEELDOWN, KMOD_LCTRL | KMOD_LSHIFT, "Zoom: 24 pixels per cell\n", 24, 84, 102},
        {{}, {}, SDL_BUTTON_WHEELUP, 0, "", 24, 84, 100},
        {{}, {}, 6, 0, "", 24, 82, 100},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(std::to_string(&s - steps));
        if (s.button) {
            EXPECT_EQ(clickWith(s.button, s.mods, 240, 144), s.out);
        } else {
            CaptureOutput output;
            EXPECT_EQ(runAt(0, 0, s.keys), s.waits);
            EXPECT_EQ(output.out(), s.out);
        }
        EXPECT_EQ(std::tuple(editor->cellPixels, editor->scrollX, editor->scrollY),
                  std::tuple(s.cellPixels, s.scrollX, s.scrollY));
    }
}

// A wheel turn is no click in any mode: no corner, no prompt, nothing removed.
TEST_F(PaintToolsTest, AWheelTurnActsByNoMode) {
    view(0, 0, 48);
    Actor npc;
    npc.x = npc.y = 190;
    editor->placeNpc(npc);
    Item item;
    item.x = item.y = 190;
    editor->placeItem(item);
    for (int mode = 0; mode <= LAST_MODE; ++mode) {
        editor->rightClickMode = mode;
        for (int button : {SDL_BUTTON_WHEELUP, 6}) pushClick(button, 200, 200);
        queueAnswers(std::vector<std::string>(16, "x"));  // what a prompt, had one opened, would take
        editor->getInput();
        EXPECT_EQ(std::tuple(editor->selX1, editor->npcs.size(), editor->items.size(), editor->items[0].type),
                  std::tuple(-1, 1u, 1u, 0))
            << mode;
    }
    EXPECT_EQ(editor->history.stepCount(), 2u);
}

// Zoomed out, the cells are the whole-world picture's at the same scale, in the display's
// 5-6-5 pixels; objects stand at their world position scaled, with the view's edge rules.
class ZoomedViewTest : public PaintToolsTest {
protected:
    SDL_Surface* copyOfScreen() {
        SDL_PixelFormat* f = editor->screen->format;
        SDL_Surface* copy = SDL_CreateRGBSurface(SDL_SWSURFACE, SCREEN_WIDTH, SCREEN_HEIGHT, 16, f->Rmask, f->Gmask, f->Bmask, 0);
        SDL_BlitSurface(editor->screen, nullptr, copy, nullptr);
        return copy;
    }
};

TEST_F(ZoomedViewTest, CellsAreTheWorldPictureShrunkToTheZoom) {
    for (int cellPixels : {24, 12, 6}) {
        SCOPED_TRACE(cellPixels);
        view(150, 140, cellPixels);
        editor->drawMap();
        WorldPainter painter(editor->art, cellPixels, CellBlock{150, 140, editor->viewColumns(), editor->viewRows()});
        Picture picture;
        painter.draw(*editor, picture);
        const std::vector<Uint16> shown = grab(editor->screen, 0, 0, 700, 400);  // clear of "Current tile:"
        int differing = 0;
        for (int y = 0; y < 400; ++y)
            for (int x = 0; x < 700; ++x) {
                const uint8_t* p = &picture.rgba[(static_cast<size_t>(y) * picture.width + x) * 4];
                differing += shown[static_cast<size_t>(y * 700 + x)] != ((p[0] >> 3) << 11 | (p[1] >> 2) << 5 | p[2] >> 3);
            }
        EXPECT_EQ(differing, 0);
    }
}

TEST_F(ZoomedViewTest, ObjectsStandAtTheirScaledPlacesWithTheViewsEdges) {
    view(2, 1, 12);  // the view's corner is world pixel (96, 48); it shows 3,200 by 2,400
    ScaledArt art;
    art.prepare(editor->art, 12);
    auto npcAt = [&](float x, float y) {
        Actor& a = editor->npcs.emplace_back();
        std::tie(a.x, a.y, a.sprite) = std::tuple(x, y, 2);
    };
    auto itemAt = [&](float x, float y) {
        Item& i = editor->items.emplace_back();
        std::tie(i.x, i.y, i.icon, i.owner) = std::tuple(x, y, 1, 4);
    };
    npcAt(596.9f, 348.0f);   // at (125, 75)
    npcAt(96.0f, 100.0f);    // on the left edge: not drawn
    npcAt(3296.0f, 100.0f);  // just past the right edge
    itemAt(96.0f, 148.0f);   // on the left edge: drawn at (0, 25)
    itemAt(3295.0f, 2447.0f);
    editor->drawMap();
    SDL_Surface* expected = copyOfScreen();
    const std::tuple<SDL_Surface*, int, int> blits[] = {
        {art.of(editor->art.spriteImages[2][0][0]), 125, 75}, {art.of(editor->art.iconImages[ICON_OWNED]), 0, 25},
        {art.of(editor->art.itemImages[1]), 0, 25},           {art.of(editor->art.iconImages[ICON_OWNED]), 799, 599},
        {art.of(editor->art.itemImages[1]), 799, 599}};
    for (auto [image, x, y] : blits) {
        SDL_Rect at = {static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
        SDL_BlitSurface(image, nullptr, expected, &at);
    }
    editor->drawSprites();
    EXPECT_EQ(screenDifference(grab(editor->screen), grab(expected)), "");
    SDL_FreeSurface(expected);
}

TEST_F(ZoomedViewTest, TheMinimapsBoxAndTheSelectionShowWhatTheViewShows) {
    const Uint16 box = static_cast<Uint16>(SDL_MapRGB(editor->screen->format, 100, 0, 0));
    const Uint16 red = static_cast<Uint16>(SDL_MapRGB(editor->screen->format, 255, 0, 0));
    auto count = [&](Uint16 colour, int x, int y, int w, int h) {
        const std::vector<Uint16> area = grab(editor->screen, x, y, w, h);
        return static_cast<int>(std::count(area.begin(), area.end(), colour));
    };
    editor->map.Init();  // tile 0 has no red in it
    std::tie(editor->selX1, editor->selX2, editor->selY1, editor->selY2) = std::tuple(12, 14, 21, 21);
    for (auto [cellPixels, columns, rows] : {std::tuple{24, 34, 25}, {12, 67, 50}, {6, 134, 100}}) {
        SCOPED_TRACE(cellPixels);
        view(10, 20, cellPixels, true);
        editor->drawMap();
        EXPECT_EQ(count(red, 0, 0, SCREEN_WIDTH, 400), 3 * cellPixels * cellPixels);
        EXPECT_EQ(count(red, 2 * cellPixels, cellPixels, 3 * cellPixels, cellPixels), 3 * cellPixels * cellPixels);
        editor->drawHUD();
        EXPECT_EQ(count(box, 10, 20, columns, 1) + count(box, 10, 20 + rows, columns, 1), 2 * columns);
        EXPECT_EQ(count(box, 10, 21, 1, rows - 1) + count(box, 10 + columns, 20, 1, rows), 2 * rows - 1);
        EXPECT_NE(rawPixel(editor->screen, 11 + columns, 20), box);
        EXPECT_NE(rawPixel(editor->screen, 10, 21 + rows), box);
    }
}

}  // namespace
