// What the map view, palette, HUD, minimap and placed objects put on a 16-bit screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <tuple>

#include "editor_fixture.h"
#include "render/direct_blit.h"
#include "render/scaled_art.h"
#include "render/world_picture.h"

namespace {

class RenderTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        editor->map.Init();
        editor->reloadMinimap();
    }
    // A copy of a surface (the screen by default) to build expected pictures on.
    SDL_Surface* copyOf(SDL_Surface* source = nullptr) {
        if (!source) source = editor->screen;
        SDL_PixelFormat* f = source->format;
        SDL_Surface* copy = SDL_CreateRGBSurface(SDL_SWSURFACE, source->w, source->h, f->BitsPerPixel, f->Rmask,
                                                 f->Gmask, f->Bmask, f->Amask);
        SDL_BlitSurface(source, nullptr, copy, nullptr);
        return copy;
    }
    static void blit(SDL_Surface* image, SDL_Surface* onto, int x, int y) {
        SDL_Rect at = {static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
        SDL_BlitSurface(image, nullptr, onto, &at);
    }
    // The screen must equal expected (which this frees).
    void expectScreen(SDL_Surface* expected) {
        EXPECT_EQ(screenDifference(grab(editor->screen), grab(expected)), "");
        SDL_FreeSurface(expected);
    }
    int redPixelsIn(int x0, int y0, int x1, int y1) {
        const std::vector<Uint16> area = grab(editor->screen, x0, y0, x1 - x0 + 1, y1 - y0 + 1);
        return static_cast<int>(std::count(area.begin(), area.end(), SDL_MapRGB(editor->screen->format, 255, 0, 0)));
    }
    SDL_Surface* tile(int n) { return editor->art.tileImages.at(n); }
    SDL_Surface* icon(int n) { return editor->art.iconImages[n]; }
};

TEST_F(RenderTest, MapViewShowsEachCellsTileAndTheCurrentTile) {
    editor->drawMap();
    SDL_Surface* blank = copyOf();  // tile 0 in every cell and as the current tile
    EXPECT_GT(redPixelsIn(700, 410, 799, 429), 20);  // "Current tile:"
    editor->map.setTileAt(0, 0, 1);
    editor->map.setTileAt(3, 2, 5);
    editor->map.setTileAt(16, 12, 9);  // only partly on screen
    editor->map.setTileAt(1, 1, -3);   // reported, and drawn as tile 0
    editor->map.setTileAt(2, 1, 60);   // no image for it
    editor->currentTile = 33;
    SDL_Surface* expected = copyOf(blank);
    for (auto [image, x, y] : {std::tuple{tile(1), 0, 0}, {tile(5), 144, 96}, {tile(9), 768, 576},
                               {icon(ICON_MISSING), 96, 48}, {tile(33), 752, 430}})
        blit(image, expected, x, y);
    {
        CaptureOutput output;
        editor->drawMap();
        EXPECT_EQ(output.err(), "Invalid tile: 1,1\n");
    }
    expectScreen(expected);
    EXPECT_EQ(editor->map.getTileAt(1, 1), -3);  // drawing never changes the grid

    // At the right edge: column 349, then tile 0 beyond the map. A current tile without an
    // image is the missing icon, never read past the list.
    editor->scrollX = 340;
    editor->map.setTileAt(349, 0, 7);
    editor->currentTile = 47;
    expected = copyOf(blank);
    blit(tile(7), expected, 9 * 48, 0);
    blit(icon(ICON_MISSING), expected, 752, 430);
    CaptureOutput output;
    editor->drawMap();
    EXPECT_EQ(output.err(), "");
    expectScreen(expected);
    SDL_FreeSurface(blank);
}

TEST_F(RenderTest, SelectionCellsAreSolidRedSquares) {
    std::tie(editor->selX1, editor->selX2, editor->selY1, editor->selY2) = std::tuple(2, 4, 1, 1);
    editor->drawMap();
    EXPECT_EQ(redPixelsIn(96, 48, 239, 95), 144 * 48);
    EXPECT_EQ(redPixelsIn(95, 48, 95, 95) + redPixelsIn(240, 48, 240, 95), 0);
    EXPECT_EQ(redPixelsIn(96, 47, 239, 47) + redPixelsIn(96, 96, 239, 96), 0);

    // Partly visible cells are filled only where the tile was drawn.
    std::tie(editor->selX1, editor->selX2, editor->selY1, editor->selY2) = std::tuple(16, 30, 12, 30);
    editor->drawMap();
    EXPECT_EQ(redPixelsIn(768, 576, 799, 599), 32 * 24);

    // With only the first corner nothing is red.
    std::tie(editor->selX1, editor->selX2, editor->selY1, editor->selY2) = std::tuple(2, -1, 1, -1);
    editor->drawMap();
    EXPECT_EQ(redPixelsIn(0, 0, 799, 400), 0);
}

TEST_F(RenderTest, PaletteShowsTilesFromItsScrollWithTheMarker) {
    editor->drawMap();
    SDL_Surface* expected = copyOf();
    for (int n = 0; n <= 12; ++n) blit(tile(n), expected, 0, n * 48);
    blit(icon(ICON_MARKER), expected, 10, 250);
    editor->currentTile = 5;
    editor->drawTilePalette();
    expectScreen(expected);

    // Scrolled to 40: tiles 40..46 in slots 0..288, the map below them.
    editor->currentTile = 0;
    editor->paletteScroll = 40;
    editor->drawMap();
    expected = copyOf();
    for (int n = 40; n <= 46; ++n) blit(tile(n), expected, 0, (n - 40) * 48);
    editor->drawTilePalette();
    expectScreen(expected);
}

TEST_F(RenderTest, MinimapShowsCellColoursBlendedAtTheCornerWithTheViewBoxOrNothingWhenHidden) {
    editor->map.setTileAt(5, 5, 21);
    editor->map.setTileAt(6, 5, 4);
    editor->map.setTileAt(7, 5, 3);
    editor->map.setTileAt(349, 3, 21);  // the last column is black whatever it holds
    editor->reloadMinimap();
    SDL_Surface* mini = editor->minimap.get();
    ASSERT_NE(mini, nullptr);
    EXPECT_EQ(std::tuple(mini->w, mini->h, mini->format->alpha), std::tuple(350, 350, 100));
    EXPECT_TRUE(mini->flags & SDL_SRCALPHA);
    const Uint32 sea = SDL_MapRGB(mini->format, 0, 0, 255), black = SDL_MapRGB(mini->format, 0, 0, 0),
                 grey = SDL_MapRGB(mini->format, 100, 100, 100);
    EXPECT_EQ(std::tuple(rawPixel(mini, 5, 5), rawPixel(mini, 6, 5), rawPixel(mini, 7, 5), rawPixel(mini, 0, 0)),
              std::tuple(sea, black, grey, grey));
    EXPECT_EQ(std::tuple(rawPixel(mini, 349, 3), rawPixel(mini, 349, 100), rawPixel(mini, 100, 349)),
              std::tuple(black, black, black));

    // Blended as SDL blends it at the minimap's alpha, away from the view box.
    editor->scrollX = 10;
    editor->scrollY = 20;
    editor->drawMap();
    SDL_Surface* expected = copyOf();
    blit(mini, expected, 0, 0);
    editor->drawHUD();
    EXPECT_TRUE(grab(editor->screen, 0, 40, 350, 310) == grab(expected, 0, 40, 350, 310));
    SDL_FreeSurface(expected);
    // The box spans the 17x13 visible cells, leaving its bottom-right corner undrawn.
    const Uint16 box = static_cast<Uint16>(SDL_MapRGB(editor->screen->format, 100, 0, 0));
    const std::vector<Uint16> sides[] = {grab(editor->screen, 10, 20, 17, 1), grab(editor->screen, 10, 33, 17, 1),
                                         grab(editor->screen, 10, 20, 1, 13), grab(editor->screen, 27, 20, 1, 13)};
    for (const auto& side : sides) EXPECT_EQ(std::count(side.begin(), side.end(), box), static_cast<long>(side.size()));
    for (auto [x, y] : {std::pair{27, 33}, {28, 20}, {11, 21}}) EXPECT_NE(rawPixel(editor->screen, x, y), box) << x << "," << y;

    editor->showMinimap = false;  // above the mode line nothing is drawn
    editor->drawMap();
    const std::vector<Uint16> before = grab(editor->screen, 0, 0, 800, 560);
    editor->drawHUD();
    EXPECT_TRUE(grab(editor->screen, 0, 0, 800, 560) == before);
}

TEST_F(RenderTest, ModeLineNamesTheModeAtTheBottomLeft) {
    const char* const lines[] = {"Right Click: Select multiple tiles", "Right Click: Place NPC", "Right Click: Place Item",
                                 "Right Click: Kill NPC", "Right click: Kill item"};
    editor->showMinimap = false;
    for (int mode = 0; mode <= LAST_MODE; ++mode) {
        editor->rightClickMode = mode;
        editor->drawMap();
        editor->drawTextAt(lines[mode], 0, 580);
        const std::vector<Uint16> expected = grab(editor->screen);
        editor->drawMap();
        editor->drawHUD();
        EXPECT_EQ(screenDifference(grab(editor->screen), expected), "") << lines[mode];
    }
}

// Zoomed out: the cells are the whole-world picture's at the same scale in 5-6-5 pixels, the
// selection and the minimap's box cover what the view shows, objects stand scaled.
TEST_F(RenderTest, ZoomedOutCellsAreTheWorldPictureAndTheSelectionAndBoxFollowTheView) {
    std::tie(editor->selX1, editor->selX2, editor->selY1, editor->selY2) = std::tuple(12, 14, 21, 21);
    for (auto [cellPixels, columns, rows] : {std::tuple{24, 34, 25}, {12, 67, 50}, {6, 134, 100}}) {
        SCOPED_TRACE(cellPixels);
        std::tie(editor->scrollX, editor->scrollY, editor->cellPixels) = std::tuple(10, 20, cellPixels);
        editor->drawMap();
        EXPECT_EQ(redPixelsIn(0, 0, 799, 399), 3 * cellPixels * cellPixels);
        EXPECT_EQ(redPixelsIn(2 * cellPixels, cellPixels, 5 * cellPixels - 1, 2 * cellPixels - 1), 3 * cellPixels * cellPixels);
        editor->drawHUD();
        const Uint16 box = static_cast<Uint16>(SDL_MapRGB(editor->screen->format, 100, 0, 0));
        const std::vector<Uint16> sides[] = {grab(editor->screen, 10, 20, columns, 1), grab(editor->screen, 10, 20 + rows, columns, 1),
                                             grab(editor->screen, 10, 20, 1, rows), grab(editor->screen, 10 + columns, 20, 1, rows)};
        for (const auto& side : sides) EXPECT_EQ(std::count(side.begin(), side.end(), box), static_cast<long>(side.size()));
        EXPECT_NE(rawPixel(editor->screen, 11 + columns, 20), box);
    }
    Messages said;
    ASSERT_TRUE(editor->openMap(said));  // the generated world's, read again
    editor->clearSelection();
    WorldPainter painter(editor->art, 6, CellBlock{150, 140, 134, 100});
    Picture picture;
    painter.draw(*editor, picture);
    std::tie(editor->scrollX, editor->scrollY) = std::pair(150, 140);
    editor->drawMap();
    std::vector<Uint16> expected;  // the picture in 5-6-5 pixels, clear of "Current tile:"
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 700; ++x) {
            const uint8_t* p = &picture.rgba[(static_cast<size_t>(y) * picture.width + x) * 4];
            expected.push_back(static_cast<Uint16>((p[0] >> 3) << 11 | (p[1] >> 2) << 5 | p[2] >> 3));
        }
    EXPECT_TRUE(grab(editor->screen, 0, 0, 700, 400) == expected);
}

// Placed objects: the strict and inclusive edges, fallbacks and the owner badge.
class ObjectsTest : public RenderTest {
protected:
    void npc(float x, float y, int sprite = 0, int direction = 0) {
        Actor& a = editor->npcs.emplace_back();
        std::tie(a.x, a.y, a.sprite, a.direction) = std::tuple(x, y, sprite, direction);
    }
    void item(float x, float y, int icon = 0, int owner = 0, int type = 0) {
        Item& i = editor->items.emplace_back();
        std::tie(i.x, i.y, i.icon, i.owner, i.type) = std::tuple(x, y, icon, owner, type);
    }
    // Draws the objects over the map and compares with the blits given.
    void expectDrawn(std::initializer_list<std::tuple<SDL_Surface*, int, int>> blits) {
        editor->showMinimap = false;
        editor->drawMap();
        SDL_Surface* expected = copyOf();
        for (auto& [image, x, y] : blits) blit(image, expected, x, y);
        editor->drawSprites();
        expectScreen(expected);
    }
    SDL_Surface* sprite(int set, int direction) { return editor->art.spriteImages[set][direction][0]; }
    SDL_Surface* picture(int n) { return editor->art.itemImages.at(n); }
};

// NPCs first, then items, each in list order; NPCs use strict edges and items inclusive ones.
TEST_F(ObjectsTest, EdgesFallbacksBadgesAndDrawingOrder) {
    npc(0.0f, 100.0f);  // on the view's left edge: not drawn
    item(0.0f, 100.0f, 2);
    npc(100.7f, 50.2f, 3, 2);
    // Bad sprites, directions and icons fall back to the missing icon.
    npc(100.0f, 100.0f, 9, 0);
    npc(200.0f, 100.0f, 0, -1);
    npc(300.0f, 100.0f, 2, 4);
    item(100.0f, 300.0f, static_cast<int>(editor->art.itemImages.size()), 3);  // owned, but no badge without a picture
    item(200.0f, 300.0f, -1);
    // An owned item (any owner but 0) sits on the badge; a removed one is skipped; items cover NPCs.
    item(100.0f, 400.0f, 4, 3);
    item(700.0f, 400.0f, 5, -3);
    item(300.0f, 400.0f, 4, 0, ITEM_TYPE_REMOVED);
    npc(500.0f, 400.0f, 5, 1);
    item(510.0f, 410.0f, 6);
    SDL_Surface* missing = icon(ICON_MISSING);
    expectDrawn({{sprite(3, 2), 100, 50}, {missing, 100, 100}, {missing, 200, 100}, {missing, 300, 100},
                 {sprite(5, 1), 500, 400}, {picture(2), 0, 100}, {missing, 100, 300}, {missing, 200, 300},
                 {icon(ICON_OWNED), 100, 400}, {picture(4), 100, 400}, {icon(ICON_OWNED), 700, 400},
                 {picture(5), 700, 400}, {picture(6), 510, 410}});
}

TEST_F(ObjectsTest, ObjectsAreShiftedByTheScrollAndClippedAtTheRightEdge) {
    editor->scrollX = 2;  // camX 96
    npc(895.0f, 10.0f, 1, 1);
    npc(896.0f, 10.0f, 1, 1);
    npc(96.0f, 10.0f, 1, 1);  // exactly on the left edge
    item(96.0f, 10.0f, 1);
    item(95.9f, 10.0f, 1);
    expectDrawn({{sprite(1, 1), 799, 10}, {picture(1), 0, 10}});
}

// At 12 pixels per cell the view's corner (2, 1) is world pixel (96, 48) and it shows 3,200 by 2,400.
TEST_F(ObjectsTest, ZoomedOutObjectsStandAtTheirScaledPlacesWithTheViewsEdges) {
    std::tie(editor->scrollX, editor->scrollY, editor->cellPixels) = std::tuple(2, 1, 12);
    ScaledArt art;
    art.prepare(editor->art, 12);
    npc(596.9f, 348.0f, 2);  // at (125, 75)
    npc(96.0f, 100.0f);      // on the left edge: not drawn
    npc(3296.0f, 100.0f);    // just past the right edge
    item(96.0f, 148.0f, 1, 4);
    item(3248.0f, 2400.0f, 1, 4);  // at (788, 588), wholly in view
    for (SDL_Surface* image : {art.of(sprite(2, 0)), art.of(picture(1))}) EXPECT_EQ(std::pair(image->w, image->h), std::pair(12, 12));
    expectDrawn({{art.of(sprite(2, 0)), 125, 75}, {art.of(icon(ICON_OWNED)), 0, 25}, {art.of(picture(1)), 0, 25},
                 {art.of(icon(ICON_OWNED)), 788, 588}, {art.of(picture(1)), 788, 588}});
}

// The editor's own translucent blit (the minimap) must give exactly SDL's pixels for every
// 16-bit destination value under many source values and alphas.
using Surface = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

// A 256x256 5-6-5 surface whose pixels are a function of their index.
Surface pattern(const std::function<Uint16(unsigned)>& pixel) {
    Surface s(SDL_CreateRGBSurface(SDL_SWSURFACE, 256, 256, 16, 0xf800, 0x07e0, 0x001f, 0), SDL_FreeSurface);
    for (unsigned n = 0; n < 256 * 256; ++n)
        reinterpret_cast<Uint16*>(static_cast<Uint8*>(s->pixels) + n / 256 * s->pitch)[n % 256] = pixel(n);
    return s;
}

TEST(DirectBlitTest, TranslucentBlitGivesSdlsPixelsForEveryDestinationValue) {
    const Uint16 minimapColours[] = {0x001f, 0x0000, 0x632c};  // sea, solid, plain
    for (int alpha : {1, 8, 100, 127, 128, 254}) {
        for (unsigned p = 0; p < 6; ++p) {
            SCOPED_TRACE("alpha " + std::to_string(alpha) + ", pattern " + std::to_string(p));
            Surface image = pattern([&](unsigned n) {
                return p < 3 ? minimapColours[p] : static_cast<Uint16>(n * 40503u + p * 7919u + (n >> 7));
            });
            SDL_SetAlpha(image.get(), SDL_SRCALPHA, static_cast<Uint8>(alpha));
            // Every 16-bit value once as the destination.
            Surface bySdl = pattern([](unsigned n) { return static_cast<Uint16>(n); });
            Surface byUs = pattern([](unsigned n) { return static_cast<Uint16>(n); });
            SDL_BlitSurface(image.get(), nullptr, bySdl.get(), nullptr);
            blitTranslucent(image.get(), byUs.get(), 0, 0);
            int differentRows = 0;
            for (int r = 0; r < 256; ++r)
                differentRows += memcmp(static_cast<Uint8*>(bySdl->pixels) + r * bySdl->pitch,
                                        static_cast<Uint8*>(byUs->pixels) + r * byUs->pitch, 512) != 0;
            EXPECT_EQ(differentRows, 0);
        }
    }
}

// Shrinking the art widens 5-6-5 pixels to 8 bits a channel as SDL does, for every value.
TEST(ShrunkArt, PixelsWidenAsSdlWidensThemForEveryValue) {
    Surface all = pattern([](unsigned n) { return static_cast<Uint16>(n); });
    const std::vector<uint8_t> rgba = rgbaOf(all.get());
    int differing = 0;
    for (unsigned n = 0; n < 65536; ++n) {
        Uint8 c[4];
        SDL_GetRGBA(n, all->format, &c[0], &c[1], &c[2], &c[3]);
        differing += memcmp(c, &rgba[n * 4], 4) != 0;
    }
    EXPECT_EQ(differing, 0);
}

}  // namespace
