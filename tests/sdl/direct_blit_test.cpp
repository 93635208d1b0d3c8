// The editor's own blits must give exactly SDL's pixels: for the translucent minimap, every
// 16-bit destination value under many source values and alphas, clipped at every edge.
#include <gtest/gtest.h>

#include <cstring>

#include "render/direct_blit.h"

namespace {

SDL_Surface* surface565(int w, int h) {
    return SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 16, 0xf800, 0x07e0, 0x001f, 0);
}

Uint16* row(SDL_Surface* s, int y) { return reinterpret_cast<Uint16*>(static_cast<Uint8*>(s->pixels) + y * s->pitch); }

bool samePixels(SDL_Surface* a, SDL_Surface* b) {
    for (int y = 0; y < a->h; ++y)
        if (memcmp(row(a, y), row(b, y), static_cast<size_t>(a->w) * 2) != 0) return false;
    return true;
}

// Blits the image onto two copies of the background, once by SDL and once by blitTranslucent.
bool blendsAsSdlDoes(SDL_Surface* image, SDL_Surface* background, int x, int y, const SDL_Rect* clip = nullptr) {
    SDL_Surface* bySdl = surface565(background->w, background->h);
    SDL_Surface* byUs = surface565(background->w, background->h);
    SDL_BlitSurface(background, nullptr, bySdl, nullptr);
    SDL_BlitSurface(background, nullptr, byUs, nullptr);
    SDL_SetClipRect(bySdl, clip);
    SDL_SetClipRect(byUs, clip);
    SDL_Rect at = {static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
    SDL_BlitSurface(image, nullptr, bySdl, &at);
    blitTranslucent(image, byUs, x, y);
    bool same = samePixels(bySdl, byUs);
    SDL_FreeSurface(bySdl);
    SDL_FreeSurface(byUs);
    return same;
}

TEST(TranslucentBlitTest, EveryDestinationPixelUnderManySourcesAndAlphas) {
    // 256 x 256 pixels: every 16-bit value once as the destination.
    SDL_Surface* background = surface565(256, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) row(background, y)[x] = static_cast<Uint16>(y * 256 + x);
    SDL_Surface* image = surface565(256, 256);
    const Uint16 minimapColours[] = {0x001f, 0x0000, 0x632c};  // sea, solid, plain
    const int alphas[] = {1, 7, 8, 64, 100, 127, 128, 129, 200, 254};
    for (int alpha : alphas) {
        SDL_SetAlpha(image, SDL_SRCALPHA, static_cast<Uint8>(alpha));
        for (int pattern = 0; pattern < 12; ++pattern) {
            for (int y = 0; y < 256; ++y)
                for (int x = 0; x < 256; ++x) {
                    unsigned n = static_cast<unsigned>(y * 256 + x);
                    row(image, y)[x] = pattern < 3 ? minimapColours[pattern]
                                                   : static_cast<Uint16>(n * 40503u + pattern * 7919u + (n >> 7));
                }
            EXPECT_TRUE(blendsAsSdlDoes(image, background, 0, 0)) << "alpha " << alpha << ", pattern " << pattern;
        }
    }
    SDL_FreeSurface(image);
    SDL_FreeSurface(background);
}

TEST(TranslucentBlitTest, ClippedAtTheEdgesAndTheClipRectangleWithOddWidths) {
    SDL_Surface* background = surface565(800, 600);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) row(background, y)[x] = static_cast<Uint16>(x * 31 + y * 977);
    SDL_Surface* image = surface565(37, 23);
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x) row(image, y)[x] = static_cast<Uint16>(x * 2053 + y * 61);
    SDL_SetAlpha(image, SDL_SRCALPHA, 100);
    const int places[][2] = {{0, 0}, {3, 5}, {-5, -3}, {-36, 10}, {790, 590}, {799, 599}, {800, 0}, {-37, 0}, {400, 300}};
    for (auto& at : places) EXPECT_TRUE(blendsAsSdlDoes(image, background, at[0], at[1])) << at[0] << "," << at[1];
    SDL_Rect clip = {101, 51, 17, 9};
    for (int x = 80; x < 125; x += 3) EXPECT_TRUE(blendsAsSdlDoes(image, background, x, 45, &clip)) << x;
    SDL_FreeSurface(image);
    SDL_FreeSurface(background);
}

TEST(TranslucentBlitTest, OtherKindsOfImageAreLeftToSdl) {
    SDL_Surface* background = surface565(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) row(background, y)[x] = static_cast<Uint16>(x * 1021 + y * 3);
    SDL_Surface* keyed = surface565(20, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) row(keyed, y)[x] = static_cast<Uint16>((x + y) % 3 ? 0xf800 : 0x07e0);
    SDL_SetAlpha(keyed, SDL_SRCALPHA, 100);
    SDL_SetColorKey(keyed, SDL_SRCCOLORKEY, 0x07e0);
    EXPECT_TRUE(blendsAsSdlDoes(keyed, background, 5, 5));
    SDL_Surface* opaque = surface565(20, 20);
    EXPECT_TRUE(blendsAsSdlDoes(opaque, background, 7, 3));
    SDL_Surface* wide = SDL_CreateRGBSurface(SDL_SWSURFACE, 20, 20, 32, 0xff0000, 0xff00, 0xff, 0);
    SDL_FillRect(wide, nullptr, 0x123456);
    SDL_SetAlpha(wide, SDL_SRCALPHA, 100);
    EXPECT_TRUE(blendsAsSdlDoes(wide, background, 1, 2));
    SDL_FreeSurface(wide);
    SDL_FreeSurface(opaque);
    SDL_FreeSurface(keyed);
    SDL_FreeSurface(background);
}

}  // namespace
