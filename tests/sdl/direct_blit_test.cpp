// The editor's own translucent blit (the minimap) must give exactly SDL's pixels for every
// 16-bit destination value under many source values and alphas. Its clipping and the opaque
// tile copy are compared with SDL's blits where the editor draws (render_test.cpp).
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "render/direct_blit.h"

namespace {

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

}  // namespace
