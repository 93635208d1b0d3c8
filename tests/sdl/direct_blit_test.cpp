// The editor's own blits must give exactly SDL's pixels: for the translucent minimap, every
// 16-bit destination value under many source values and alphas; for opaque tiles, the same
// copy and the same covered area; both clipped at every edge.
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

// Copies the image onto two copies of the background, by SDL and by blitOpaque, and compares
// the pixels and the covered areas.
void expectCopiedAsSdlDoes(SDL_Surface* image, SDL_Surface* background, int x, int y, const SDL_Rect* clip = nullptr) {
    SDL_PixelFormat* f = background->format;
    SDL_Surface* bySdl = SDL_CreateRGBSurface(SDL_SWSURFACE, background->w, background->h, f->BitsPerPixel, f->Rmask,
                                              f->Gmask, f->Bmask, f->Amask);
    SDL_Surface* byUs = SDL_CreateRGBSurface(SDL_SWSURFACE, background->w, background->h, f->BitsPerPixel, f->Rmask,
                                             f->Gmask, f->Bmask, f->Amask);
    SDL_BlitSurface(background, nullptr, bySdl, nullptr);
    SDL_BlitSurface(background, nullptr, byUs, nullptr);
    SDL_SetClipRect(bySdl, clip);
    SDL_SetClipRect(byUs, clip);
    SDL_Rect sdlCovered = {static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
    SDL_BlitSurface(image, nullptr, bySdl, &sdlCovered);
    SDL_Rect ourCovered = blitOpaque(image, byUs, x, y);
    EXPECT_EQ(ourCovered.w, sdlCovered.w) << "at " << x << "," << y;
    EXPECT_EQ(ourCovered.h, sdlCovered.h) << "at " << x << "," << y;
    if (sdlCovered.w && sdlCovered.h) {
        EXPECT_EQ(ourCovered.x, sdlCovered.x) << "at " << x << "," << y;
        EXPECT_EQ(ourCovered.y, sdlCovered.y) << "at " << x << "," << y;
    }
    const size_t rowBytes = static_cast<size_t>(background->w) * f->BytesPerPixel;
    int differentRows = 0;
    for (int r = 0; r < background->h; ++r)
        differentRows += memcmp(static_cast<Uint8*>(bySdl->pixels) + r * bySdl->pitch,
                                static_cast<Uint8*>(byUs->pixels) + r * byUs->pitch, rowBytes) != 0;
    EXPECT_EQ(differentRows, 0) << "at " << x << "," << y;
    SDL_FreeSurface(bySdl);
    SDL_FreeSurface(byUs);
}

TEST(OpaqueBlitTest, TilesAreCopiedAndClippedAsSdlDoes) {
    SDL_Surface* background = surface565(800, 600);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) row(background, y)[x] = static_cast<Uint16>(x * 7 + y * 1031);
    SDL_Surface* tile = surface565(48, 48);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x) row(tile, y)[x] = static_cast<Uint16>(x * 3001 + y * 17 + 5);
    // Whole, cut by every edge, just outside every edge, and far off (16-bit positions wrap).
    const int places[][2] = {{0, 0},   {752, 430}, {768, 576}, {-20, -7}, {790, 10}, {10, 590},
                             {-48, 0}, {800, 0},   {0, 600},   {0, -48},  {70000, 5}, {-65536 + 30, 40}};
    for (auto& at : places) expectCopiedAsSdlDoes(tile, background, at[0], at[1]);
    SDL_Rect clip = {100, 50, 30, 20};
    for (int x = 40; x < 140; x += 7) expectCopiedAsSdlDoes(tile, background, x, 30, &clip);
    SDL_FreeSurface(tile);
    SDL_FreeSurface(background);
}

TEST(OpaqueBlitTest, ImagesSdlDoesNotMerelyCopyAreLeftToIt) {
    SDL_Surface* background = surface565(100, 100);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) row(background, y)[x] = static_cast<Uint16>(x * 389 + y * 11);
    SDL_Surface* keyed = surface565(30, 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x) row(keyed, y)[x] = static_cast<Uint16>((x ^ y) & 4 ? 0xf81f : x * 100 + y);
    SDL_SetColorKey(keyed, SDL_SRCCOLORKEY, 0xf81f);
    expectCopiedAsSdlDoes(keyed, background, 10, 20);
    SDL_Surface* translucent = surface565(30, 30);
    SDL_FillRect(translucent, nullptr, 0x07e0);
    SDL_SetAlpha(translucent, SDL_SRCALPHA, 77);
    expectCopiedAsSdlDoes(translucent, background, -3, 80);
    SDL_Surface* withAlpha = SDL_CreateRGBSurface(SDL_SWSURFACE, 30, 30, 32, 0xff0000, 0xff00, 0xff, 0xff000000);
    SDL_FillRect(withAlpha, nullptr, 0x80ff0000);
    expectCopiedAsSdlDoes(withAlpha, background, 50, 50);
    SDL_Surface* otherLayout = SDL_CreateRGBSurface(SDL_SWSURFACE, 30, 30, 16, 0x7c00, 0x03e0, 0x001f, 0);
    SDL_FillRect(otherLayout, nullptr, 0x7c1f);
    expectCopiedAsSdlDoes(otherLayout, background, 60, 5);
    EXPECT_EQ(blitOpaque(nullptr, background, 5, 5).w, 0);
    SDL_FreeSurface(otherLayout);
    SDL_FreeSurface(withAlpha);
    SDL_FreeSurface(translucent);
    SDL_FreeSurface(keyed);
    SDL_FreeSurface(background);
}

}  // namespace
