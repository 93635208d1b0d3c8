// The editor's own blits must give exactly SDL's pixels: for the translucent minimap, every
// 16-bit destination value under many source values and alphas; for opaque tiles, the same
// copy and the same covered area; both clipped at every edge.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "render/direct_blit.h"

namespace {

using Surface = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

Surface surface(int w, int h, int bits = 16, Uint32 r = 0xf800, Uint32 g = 0x07e0, Uint32 b = 0x001f, Uint32 a = 0) {
    return Surface(SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, bits, r, g, b, a), SDL_FreeSurface);
}

// A 5-6-5 surface whose pixels are a function of their place.
Surface pattern(int w, int h, const std::function<Uint16(int, int)>& pixel) {
    Surface s = surface(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) reinterpret_cast<Uint16*>(static_cast<Uint8*>(s->pixels) + y * s->pitch)[x] = pixel(x, y);
    return s;
}

Surface copyOf(SDL_Surface* source) {
    Surface copy = surface(source->w, source->h);
    SDL_BlitSurface(source, nullptr, copy.get(), nullptr);
    return copy;
}

// Blits the image onto two copies of the background, once by SDL and once by ours, and
// compares the pixels and, for blitOpaque, the area it says it covered.
void expectAsSdl(SDL_Surface* image, SDL_Surface* background, int x, int y, bool opaque, const SDL_Rect* clip = nullptr) {
    SCOPED_TRACE("at " + std::to_string(x) + "," + std::to_string(y));
    Surface bySdl = copyOf(background), byUs = copyOf(background);
    SDL_SetClipRect(bySdl.get(), clip);
    SDL_SetClipRect(byUs.get(), clip);
    SDL_Rect sdlCovered = {static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
    SDL_BlitSurface(image, nullptr, bySdl.get(), &sdlCovered);
    if (opaque) {
        SDL_Rect ours = blitOpaque(image, byUs.get(), x, y);
        EXPECT_EQ(ours.w, sdlCovered.w);
        EXPECT_EQ(ours.h, sdlCovered.h);
        if (sdlCovered.w && sdlCovered.h) {
            EXPECT_EQ(std::make_pair(ours.x, ours.y), std::make_pair(sdlCovered.x, sdlCovered.y));
        }
    } else {
        blitTranslucent(image, byUs.get(), x, y);
    }
    int differentRows = 0;
    for (int r = 0; r < background->h; ++r)
        differentRows += memcmp(static_cast<Uint8*>(bySdl->pixels) + r * bySdl->pitch,
                                static_cast<Uint8*>(byUs->pixels) + r * byUs->pitch, background->w * 2u) != 0;
    EXPECT_EQ(differentRows, 0);
}

TEST(TranslucentBlitTest, EveryDestinationPixelUnderManySourcesAndAlphas) {
    // 256 x 256 pixels: every 16-bit value once as the destination.
    Surface background = pattern(256, 256, [](int x, int y) { return static_cast<Uint16>(y * 256 + x); });
    const Uint16 minimapColours[] = {0x001f, 0x0000, 0x632c};  // sea, solid, plain
    for (int alpha : {1, 7, 8, 64, 100, 127, 128, 129, 200, 254}) {
        for (int p = 0; p < 12; ++p) {
            SCOPED_TRACE("alpha " + std::to_string(alpha) + ", pattern " + std::to_string(p));
            Surface image = pattern(256, 256, [&](int x, int y) {
                unsigned n = static_cast<unsigned>(y * 256 + x);
                return p < 3 ? minimapColours[p] : static_cast<Uint16>(n * 40503u + p * 7919u + (n >> 7));
            });
            SDL_SetAlpha(image.get(), SDL_SRCALPHA, static_cast<Uint8>(alpha));
            expectAsSdl(image.get(), background.get(), 0, 0, false);
        }
    }
}

TEST(TranslucentBlitTest, ClippedAtTheEdgesAndTheClipRectangleWithOddWidths) {
    Surface background = pattern(800, 600, [](int x, int y) { return static_cast<Uint16>(x * 31 + y * 977); });
    Surface image = pattern(37, 23, [](int x, int y) { return static_cast<Uint16>(x * 2053 + y * 61); });
    SDL_SetAlpha(image.get(), SDL_SRCALPHA, 100);
    const int places[][2] = {{0, 0}, {3, 5}, {-5, -3}, {-36, 10}, {790, 590}, {799, 599}, {800, 0}, {-37, 0}, {400, 300}};
    for (auto& at : places) expectAsSdl(image.get(), background.get(), at[0], at[1], false);
    SDL_Rect clip = {101, 51, 17, 9};
    for (int x = 80; x < 125; x += 3) expectAsSdl(image.get(), background.get(), x, 45, false, &clip);
}

TEST(OpaqueBlitTest, TilesAreCopiedAndClippedAsSdlDoes) {
    Surface background = pattern(800, 600, [](int x, int y) { return static_cast<Uint16>(x * 7 + y * 1031); });
    Surface tile = pattern(48, 48, [](int x, int y) { return static_cast<Uint16>(x * 3001 + y * 17 + 5); });
    // Whole, cut by every edge, just outside every edge, and far off (16-bit positions wrap).
    const int places[][2] = {{0, 0},   {752, 430}, {768, 576}, {-20, -7}, {790, 10},   {10, 590},
                             {-48, 0}, {800, 0},   {0, 600},   {0, -48},  {70000, 5}, {-65536 + 30, 40}};
    for (auto& at : places) expectAsSdl(tile.get(), background.get(), at[0], at[1], true);
    SDL_Rect clip = {100, 50, 30, 20};
    for (int x = 40; x < 140; x += 7) expectAsSdl(tile.get(), background.get(), x, 30, true, &clip);
}

TEST(DirectBlitTest, OtherKindsOfImageAreLeftToSdl) {
    Surface background = pattern(100, 100, [](int x, int y) { return static_cast<Uint16>(x * 389 + y * 11); });
    Surface keyed = pattern(30, 30, [](int x, int y) { return static_cast<Uint16>((x ^ y) & 4 ? 0xf81f : x * 100 + y); });
    SDL_SetColorKey(keyed.get(), SDL_SRCCOLORKEY, 0xf81f);
    Surface translucent = pattern(30, 30, [](int, int) { return Uint16{0x07e0}; });
    SDL_SetAlpha(translucent.get(), SDL_SRCALPHA, 77);
    Surface withAlpha = surface(30, 30, 32, 0xff0000, 0xff00, 0xff, 0xff000000);
    SDL_FillRect(withAlpha.get(), nullptr, 0x80ff0000);
    Surface wide = surface(20, 20, 32, 0xff0000, 0xff00, 0xff, 0);
    SDL_FillRect(wide.get(), nullptr, 0x123456);
    SDL_SetAlpha(wide.get(), SDL_SRCALPHA, 100);
    Surface otherLayout = surface(30, 30, 16, 0x7c00, 0x03e0, 0x001f, 0);
    SDL_FillRect(otherLayout.get(), nullptr, 0x7c1f);
    for (bool opaque : {true, false}) {
        SCOPED_TRACE(opaque ? "blitOpaque" : "blitTranslucent");
        expectAsSdl(keyed.get(), background.get(), 10, 20, opaque);
        expectAsSdl(translucent.get(), background.get(), -3, 80, opaque);
        expectAsSdl(withAlpha.get(), background.get(), 50, 50, opaque);
        expectAsSdl(wide.get(), background.get(), 1, 2, opaque);
        expectAsSdl(otherLayout.get(), background.get(), 60, 5, opaque);
    }
    Surface plain = surface(20, 20);
    expectAsSdl(plain.get(), background.get(), 7, 3, false);  // no alpha at all
    SDL_SetAlpha(keyed.get(), SDL_SRCALPHA, 100);
    expectAsSdl(keyed.get(), background.get(), 5, 5, false);  // alpha and a colour key
    EXPECT_EQ(blitOpaque(nullptr, background.get(), 5, 5).w, 0);
}

}  // namespace
