// What the map view, palette, HUD, minimap and placed objects put on a 16-bit screen.
#include <gtest/gtest.h>

#include <cstdlib>

#include "editor_fixture.h"

namespace {

class RenderTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        editor->map.Init();
        editor->reloadMinimap();
    }

    // A copy of the screen to build expected pictures on.
    SDL_Surface* snapshot() {
        SDL_PixelFormat* f = editor->screen->format;
        SDL_Surface* copy = SDL_CreateRGBSurface(SDL_SWSURFACE, SCREEN_WIDTH, SCREEN_HEIGHT, f->BitsPerPixel, f->Rmask,
                                                 f->Gmask, f->Bmask, f->Amask);
        SDL_BlitSurface(editor->screen, nullptr, copy, nullptr);
        return copy;
    }
    static void blit(SDL_Surface* image, SDL_Surface* onto, int x, int y) {
        SDL_Rect at = {static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
        SDL_BlitSurface(image, nullptr, onto, &at);
    }
    // Counts the screen pixels that differ from expected (and fails if any).
    int differences(SDL_Surface* expected) {
        int count = 0;
        for (int y = 0; y < SCREEN_HEIGHT; ++y)
            for (int x = 0; x < SCREEN_WIDTH; ++x)
                if (rawPixel(editor->screen, x, y) != rawPixel(expected, x, y)) ++count;
        return count;
    }
    // The block (x, y, 48, 48) of the screen equals the image's pixels, where the image is opaque.
    void expectTileAt(SDL_Surface* image, int x, int y) {
        for (int dy = 0; dy < TILE_SIZE; dy += 7)
            for (int dx = 0; dx < TILE_SIZE; dx += 5)
                ASSERT_EQ(rawPixel(editor->screen, x + dx, y + dy), rawPixel(image, dx, dy))
                    << "screen (" << x + dx << "," << y + dy << ")";
    }
    // Every opaque pixel of the image shows at its place on the screen.
    void expectOpaquePixelsOf(SDL_Surface* image, int x, int y) {
        int opaque = 0;
        for (int dy = 0; dy < image->h; ++dy)
            for (int dx = 0; dx < image->w; ++dx) {
                Uint8 r, g, b, a;
                SDL_GetRGBA(rawPixel(image, dx, dy), image->format, &r, &g, &b, &a);
                if (a != SDL_ALPHA_OPAQUE) continue;
                ++opaque;
                ASSERT_EQ(rawPixel(editor->screen, x + dx, y + dy), SDL_MapRGB(editor->screen->format, r, g, b));
            }
        EXPECT_GT(opaque, 0);
    }
    bool isRed(int x, int y) { return pixel(x, y) == displayColour(editor->screen, 255, 0, 0); }
    int redPixelsIn(int x0, int y0, int x1, int y1) {
        int count = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) count += isRed(x, y);
        return count;
    }
    SDL_Surface* tile(int n) { return editor->art.tileImages.at(n); }
};

TEST_F(RenderTest, DisplayIsSixteenBitsAndTilesAreOpaqueCopies) {
    ASSERT_EQ(editor->screen->format->BitsPerPixel, 16);
    ASSERT_EQ(editor->art.tileImages.size(), 47u);
    for (SDL_Surface* image : editor->art.tileImages) EXPECT_FALSE(image->flags & SDL_SRCALPHA);
}

TEST_F(RenderTest, TilesAreDrawnAtTheirCellsAndTileZeroBeyondTheEdge) {
    editor->map.setTileAt(0, 0, 1);
    editor->map.setTileAt(3, 2, 5);
    editor->map.setTileAt(16, 12, 9);  // only partly on screen
    editor->drawMap();
    expectTileAt(tile(1), 0, 0);
    expectTileAt(tile(5), 3 * 48, 2 * 48);
    expectTileAt(tile(0), 4 * 48, 2 * 48);
    EXPECT_EQ(rawPixel(editor->screen, 16 * 48 + 31, 12 * 48 + 23), rawPixel(tile(9), 31, 23));

    editor->scrollX = 340;
    editor->map.setTileAt(349, 0, 7);
    CaptureOutput output;
    editor->drawMap();
    EXPECT_EQ(output.err(), "");
    expectTileAt(tile(7), 9 * 48, 0);
    expectTileAt(tile(0), 10 * 48, 0);  // column 350
    expectTileAt(tile(0), 15 * 48, 0);
}

TEST_F(RenderTest, BadTileNumbersAreReportedOrShownAsTheMissingIcon) {
    editor->map.setTileAt(1, 1, -3);
    editor->map.setTileAt(2, 1, 60);  // no image for it
    CaptureOutput output;
    editor->drawMap();
    EXPECT_EQ(output.err(), "Invalid tile: 1,1\n");
    expectTileAt(tile(0), 48, 48);
    SDL_Surface* expected = snapshot();
    blit(tile(0), expected, 96, 48);
    blit(editor->art.iconImages[ICON_MISSING], expected, 96, 48);
    EXPECT_EQ(differences(expected), 0);
    SDL_FreeSurface(expected);
    EXPECT_EQ(editor->map.getTileAt(1, 1), -3);  // drawing never changes the grid
}

TEST_F(RenderTest, SelectionCellsAreSolidRedSquares) {
    editor->selX1 = 2;
    editor->selX2 = 4;
    editor->selY1 = 1;
    editor->selY2 = 1;
    editor->drawMap();
    EXPECT_EQ(redPixelsIn(96, 48, 239, 95), 144 * 48);
    EXPECT_FALSE(isRed(95, 60));
    EXPECT_FALSE(isRed(240, 60));
    EXPECT_FALSE(isRed(120, 47));
    EXPECT_FALSE(isRed(120, 96));

    // Partly visible cells are filled only where the tile was drawn.
    editor->selX1 = 16;
    editor->selX2 = 30;
    editor->selY1 = 12;
    editor->selY2 = 30;
    editor->drawMap();
    EXPECT_EQ(redPixelsIn(768, 576, 799, 599), 32 * 24);

    // With only the first corner nothing is red.
    editor->selX1 = 2;
    editor->selY1 = 1;
    editor->selX2 = editor->selY2 = -1;
    editor->drawMap();
    EXPECT_EQ(redPixelsIn(0, 0, 799, 400), 0);
}

TEST_F(RenderTest, CurrentTileIsShownBesideItsLabel) {
    editor->currentTile = 33;
    editor->drawMap();
    expectTileAt(tile(33), 752, 430);
    EXPECT_GT(redPixelsIn(700, 410, 799, 429), 20);  // "Current tile:"

    editor->currentTile = 47;  // no image: the missing icon, never past the list
    editor->drawMap();
    expectOpaquePixelsOf(editor->art.iconImages[ICON_MISSING], 752, 430);
}

TEST_F(RenderTest, PaletteShowsTilesFromItsScrollWithTheMarker) {
    editor->drawMap();
    SDL_Surface* expected = snapshot();
    for (int n = 0; n <= 12; ++n) blit(tile(n), expected, 0, n * 48);
    blit(editor->art.iconImages[ICON_MARKER], expected, 10, 250);
    editor->currentTile = 5;
    editor->drawTilePalette();
    EXPECT_EQ(differences(expected), 0);
    SDL_FreeSurface(expected);

    // Scrolled to 40: tiles 40..46 in slots 0..288, the map below them.
    editor->currentTile = 0;
    editor->paletteScroll = 40;
    editor->drawMap();
    expected = snapshot();
    for (int n = 40; n <= 46; ++n) blit(tile(n), expected, 0, (n - 40) * 48);
    editor->drawTilePalette();
    EXPECT_EQ(differences(expected), 0);
    SDL_FreeSurface(expected);
}

TEST_F(RenderTest, MinimapColoursSeaSolidAndPlainCells) {
    editor->map.setTileAt(5, 5, 21);
    editor->map.setTileAt(6, 5, 4);
    editor->map.setTileAt(7, 5, 3);
    editor->map.setTileAt(349, 3, 21);  // the last column is black whatever it holds
    editor->reloadMinimap();
    SDL_Surface* mini = editor->minimap;
    ASSERT_NE(mini, nullptr);
    EXPECT_EQ(mini->w, 350);
    EXPECT_EQ(mini->h, 350);
    EXPECT_TRUE(mini->flags & SDL_SRCALPHA);
    EXPECT_EQ(mini->format->alpha, 100);
    SDL_PixelFormat* f = mini->format;
    EXPECT_EQ(rawPixel(mini, 5, 5), SDL_MapRGB(f, 0, 0, 255));
    EXPECT_EQ(rawPixel(mini, 6, 5), SDL_MapRGB(f, 0, 0, 0));
    EXPECT_EQ(rawPixel(mini, 7, 5), SDL_MapRGB(f, 100, 100, 100));
    EXPECT_EQ(rawPixel(mini, 0, 0), SDL_MapRGB(f, 100, 100, 100));
    for (int i = 0; i < 350; i += 7) {
        EXPECT_EQ(rawPixel(mini, 349, i), SDL_MapRGB(f, 0, 0, 0));
        EXPECT_EQ(rawPixel(mini, i, 349), SDL_MapRGB(f, 0, 0, 0));
    }
    EXPECT_EQ(rawPixel(mini, 349, 3), SDL_MapRGB(f, 0, 0, 0));
}

TEST_F(RenderTest, MinimapIsBlendedOverTheViewAtAlphaHundred) {
    editor->map.setTileAt(5, 5, 21);
    editor->reloadMinimap();
    editor->scrollX = 100;  // keep the view box away from the probed pixels
    editor->scrollY = 100;
    editor->drawMap();
    SDL_Color under = pixel(5, 5), underGrey = pixel(7, 5);
    editor->drawHUD();
    auto blended = [](int dst, int src) { return dst + (src - dst) * 100 / 255; };
    SDL_Color sea = pixel(5, 5), grey = pixel(7, 5);
    EXPECT_NEAR(sea.r, blended(under.r, 0), 9);
    EXPECT_NEAR(sea.g, blended(under.g, 0), 9);
    EXPECT_NEAR(sea.b, blended(under.b, 255), 9);
    EXPECT_NEAR(grey.r, blended(underGrey.r, 100), 9);
    EXPECT_NEAR(grey.g, blended(underGrey.g, 100), 9);
    EXPECT_NEAR(grey.b, blended(underGrey.b, 100), 9);
    EXPECT_FALSE(sea == under);

    // Hidden: neither the minimap nor its box.
    editor->showMinimap = false;
    editor->drawMap();
    SDL_Surface* expected = snapshot();
    editor->drawHUD();
    int changed = 0;
    for (int y = 0; y < 560; ++y)
        for (int x = 0; x < 800; ++x) changed += rawPixel(editor->screen, x, y) != rawPixel(expected, x, y);
    EXPECT_EQ(changed, 0);
    SDL_FreeSurface(expected);
}

TEST_F(RenderTest, ViewBoxSpansTheVisibleCellsLeavingOneCornerUndrawn) {
    editor->scrollX = 10;
    editor->scrollY = 20;
    editor->drawMap();
    editor->drawHUD();
    const SDL_Color box = displayColour(editor->screen, 100, 0, 0);
    for (int x = 10; x <= 26; ++x) {
        EXPECT_EQ(pixel(x, 20), box) << x;
        EXPECT_EQ(pixel(x, 33), box) << x;
    }
    for (int y = 20; y <= 32; ++y) {
        EXPECT_EQ(pixel(10, y), box) << y;
        EXPECT_EQ(pixel(27, y), box) << y;
    }
    EXPECT_FALSE(pixel(27, 33) == box);
    EXPECT_FALSE(pixel(28, 20) == box);
    EXPECT_FALSE(pixel(11, 21) == box);
}

TEST_F(RenderTest, ModeLineIsRedAtTheBottomLeftForEveryMode) {
    int previous = -1;
    for (int mode = 0; mode <= LAST_MODE; ++mode) {
        editor->rightClickMode = mode;
        editor->showMinimap = mode % 2 == 0;
        editor->showPalette = mode % 2 == 1;
        editor->drawMap();
        editor->drawHUD();
        int red = redPixelsIn(0, 580, 400, 599);
        EXPECT_GT(red, 50) << mode;
        EXPECT_NE(red, previous) << mode;  // each mode has its own words
        previous = red;
        EXPECT_EQ(redPixelsIn(401, 580, 799, 599), 0);
    }
}

TEST_F(RenderTest, TextIsRedAndEmptyTextDrawsNothing) {
    editor->drawMap();
    SDL_Surface* before = snapshot();
    editor->drawTextAt("", 100, 100);
    EXPECT_EQ(differences(before), 0);
    editor->drawTextAt("Hello", 100, 100);
    EXPECT_GT(redPixelsIn(100, 100, 160, 120), 20);
    EXPECT_EQ(redPixelsIn(0, 0, 99, 99), 0);
    SDL_FreeSurface(before);
}

// Placed objects: the strict and inclusive edges, fallbacks and the owner badge.
class ObjectsTest : public RenderTest {
protected:
    SDL_Surface* background = nullptr;
    void SetUp() override {
        RenderTest::SetUp();
        editor->showMinimap = false;
        editor->drawMap();
        background = snapshot();
    }
    void TearDown() override {
        SDL_FreeSurface(background);
        RenderTest::TearDown();
    }
    Actor* npc(float x, float y, int sprite = 0, int direction = 0) {
        Actor* a = new Actor();
        a->x = x;
        a->y = y;
        a->sprite = sprite;
        a->direction = direction;
        editor->npcs.push_back(a);
        return a;
    }
    Item* item(float x, float y, int icon = 0, int owner = 0, int type = 0) {
        Item* i = new Item();
        i->x = x;
        i->y = y;
        i->icon = icon;
        i->owner = owner;
        i->type = type;
        editor->items.push_back(i);
        return i;
    }
    // Draws the objects over the background and compares with the blits given.
    void expectDrawn(std::initializer_list<std::tuple<SDL_Surface*, int, int>> blits) {
        SDL_BlitSurface(background, nullptr, editor->screen, nullptr);
        editor->drawSprites();
        SDL_Surface* expected = snapshot();
        SDL_BlitSurface(background, nullptr, expected, nullptr);
        for (auto& [image, x, y] : blits) blit(image, expected, x, y);
        EXPECT_EQ(differences(expected), 0);
        SDL_FreeSurface(expected);
    }
    SDL_Surface* sprite(int set, int direction) { return editor->art.spriteImages[set][direction][0]; }
    SDL_Surface* icon(int n) { return editor->art.iconImages[n]; }
    SDL_Surface* picture(int n) { return editor->art.itemImages.at(n); }
};

TEST_F(ObjectsTest, NpcsUseStrictEdgesAndItemsInclusiveOnes) {
    npc(0.0f, 100.0f);
    item(0.0f, 100.0f, 2);
    npc(100.7f, 50.2f, 3, 2);
    expectDrawn({{picture(2), 0, 100}, {sprite(3, 2), 100, 50}});
}

TEST_F(ObjectsTest, ObjectsAreShiftedByTheScrollAndClippedAtTheRightEdge) {
    editor->scrollX = 2;  // camX 96
    npc(895.0f, 10.0f, 1, 1);
    npc(896.0f, 10.0f, 1, 1);
    npc(96.0f, 10.0f, 1, 1);  // exactly on the left edge
    item(96.0f, 10.0f, 1);
    item(95.9f, 10.0f, 1);
    editor->drawMap();
    SDL_FreeSurface(background);
    background = snapshot();
    expectDrawn({{sprite(1, 1), 799, 10}, {picture(1), 0, 10}});
}

TEST_F(ObjectsTest, BadImagesFallBackToTheMissingIcon) {
    npc(100.0f, 100.0f, 9, 0);
    npc(200.0f, 100.0f, 0, -1);
    npc(300.0f, 100.0f, 2, 4);
    int pictures = static_cast<int>(editor->art.itemImages.size());
    item(100.0f, 300.0f, pictures, 3);  // owned, but no badge without a picture
    item(200.0f, 300.0f, -1);
    expectDrawn({{icon(10), 100, 100}, {icon(10), 200, 100}, {icon(10), 300, 100}, {icon(10), 100, 300},
                 {icon(10), 200, 300}});
}

TEST_F(ObjectsTest, OwnedItemsSitOnTheBadgeRemovedOnesAreSkippedItemsCoverNpcs) {
    item(100.0f, 100.0f, 4, 3);
    item(300.0f, 100.0f, 4, 0, ITEM_TYPE_REMOVED);
    npc(500.0f, 100.0f, 5, 1);
    item(510.0f, 110.0f, 6);
    expectDrawn({{sprite(5, 1), 500, 100}, {icon(18), 100, 100}, {picture(4), 100, 100}, {picture(6), 510, 110}});
}

}  // namespace
