#include "render/direct_blit.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "render/blit.h"

// The part of a w x h image at (x, y) that falls inside the destination's clip rectangle,
// found as SDL_BlitSurface finds it (positions are 16-bit there).
class ClippedArea {
public:
    int x, y, left, top, right, bottom;
    ClippedArea(const SDL_Surface* image, const SDL_Surface* destination, int atX, int atY)
        : x(static_cast<Sint16>(atX)), y(static_cast<Sint16>(atY)) {
        const SDL_Rect& clip = destination->clip_rect;
        left = std::max(x, static_cast<int>(clip.x));
        top = std::max(y, static_cast<int>(clip.y));
        right = std::min(x + image->w, clip.x + static_cast<int>(clip.w));
        bottom = std::min(y + image->h, clip.y + static_cast<int>(clip.h));
    }
    bool empty() const { return left >= right || top >= bottom; }
};

// Both surfaces locked for direct access, when they need it; false if either could not be.
static bool lockBoth(SDL_Surface* image, SDL_Surface* destination) {
    if (SDL_MUSTLOCK(destination) && SDL_LockSurface(destination) < 0) return false;
    if (SDL_MUSTLOCK(image) && SDL_LockSurface(image) < 0) {
        if (SDL_MUSTLOCK(destination)) SDL_UnlockSurface(destination);
        return false;
    }
    return true;
}

static void unlockBoth(SDL_Surface* image, SDL_Surface* destination) {
    if (SDL_MUSTLOCK(image)) SDL_UnlockSurface(image);
    if (SDL_MUSTLOCK(destination)) SDL_UnlockSurface(destination);
}

// SDL copies such an image byte for byte: same pixel layout, nothing to blend or skip.
// Palettes (one byte per pixel) are left to SDL, which maps them.
static bool copiesLikeSdl(const SDL_Surface* image, const SDL_Surface* destination) {
    const SDL_PixelFormat* from = image->format;
    const SDL_PixelFormat* to = destination->format;
    return image != destination && !(image->flags & (SDL_SRCALPHA | SDL_SRCCOLORKEY | SDL_RLEACCEL)) &&
           from->BytesPerPixel >= 2 && from->BitsPerPixel == to->BitsPerPixel &&
           from->BytesPerPixel == to->BytesPerPixel && from->Rmask == to->Rmask && from->Gmask == to->Gmask &&
           from->Bmask == to->Bmask && from->Amask == to->Amask;
}

SDL_Rect blitOpaque(SDL_Surface* image, SDL_Surface* destination, int x, int y) {
    if (!image || !copiesLikeSdl(image, destination)) return blitAt(image, destination, x, y);
    SDL_Rect covered;
    const ClippedArea area(image, destination, x, y);
    covered.x = static_cast<Sint16>(area.left);
    covered.y = static_cast<Sint16>(area.top);
    covered.w = covered.h = 0;
    if (area.empty() || !lockBoth(image, destination)) return covered;
    const int bytesPerPixel = image->format->BytesPerPixel;
    const size_t rowBytes = static_cast<size_t>(area.right - area.left) * bytesPerPixel;
    const Uint8* from = static_cast<const Uint8*>(image->pixels) + (area.top - area.y) * image->pitch +
                        (area.left - area.x) * bytesPerPixel;
    Uint8* to = static_cast<Uint8*>(destination->pixels) + area.top * destination->pitch + area.left * bytesPerPixel;
    for (int row = area.top; row < area.bottom; ++row) {
        memcpy(to, from, rowBytes);
        from += image->pitch;
        to += destination->pitch;
    }
    unlockBoth(image, destination);
    covered.w = static_cast<Uint16>(area.right - area.left);
    covered.h = static_cast<Uint16>(area.bottom - area.top);
    return covered;
}

static bool is565(const SDL_PixelFormat* f) {
    return f->BytesPerPixel == 2 && f->Rmask == 0xf800 && f->Gmask == 0x07e0 && f->Bmask == 0x001f && f->Amask == 0;
}

// SDL takes its own paths for these: alpha 128 by halving, alpha 255 and RLE surfaces otherwise.
static bool blendsLikeSdl565(const SDL_Surface* image, const SDL_Surface* destination) {
    const Uint32 flags = image->flags & (SDL_SRCALPHA | SDL_SRCCOLORKEY | SDL_RLEACCEL | SDL_RLEACCELOK);
    const Uint8 alpha = image->format->alpha;
    return flags == SDL_SRCALPHA && alpha != 128 && alpha != SDL_ALPHA_OPAQUE && is565(image->format) &&
           is565(destination->format);
}

#if defined(__SSE2__)
// Eight pixels: the same sums as blend565 in 32-bit lanes. The product (s - d) * alpha5 is
// taken modulo 2^32 from 16-bit halves, since SSE2 has no 32-bit multiplication.
static __m128i blend565x4(__m128i s, __m128i d, __m128i alpha5) {
    const __m128i mask = _mm_set1_epi32(0x07e0f81f);
    s = _mm_and_si128(_mm_or_si128(s, _mm_slli_epi32(s, 16)), mask);
    d = _mm_and_si128(_mm_or_si128(d, _mm_slli_epi32(d, 16)), mask);
    __m128i difference = _mm_sub_epi32(s, d);
    __m128i product = _mm_add_epi32(_mm_mullo_epi16(difference, alpha5),
                                    _mm_slli_epi32(_mm_mulhi_epu16(difference, alpha5), 16));
    d = _mm_and_si128(_mm_add_epi32(d, _mm_srli_epi32(product, 5)), mask);
    d = _mm_or_si128(d, _mm_srli_epi32(d, 16));
    // Keep the low 16 bits, sign-extended so that the saturating pack leaves them as they are.
    return _mm_srai_epi32(_mm_slli_epi32(d, 16), 16);
}

static void blendRow(const Uint16* source, Uint16* destination, int width, unsigned alpha5) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i alpha = _mm_set1_epi16(static_cast<short>(alpha5));
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + x));
        __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(destination + x));
        __m128i low = blend565x4(_mm_unpacklo_epi16(s, zero), _mm_unpacklo_epi16(d, zero), alpha);
        __m128i high = blend565x4(_mm_unpackhi_epi16(s, zero), _mm_unpackhi_epi16(d, zero), alpha);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(destination + x), _mm_packs_epi32(low, high));
    }
    for (; x < width; ++x) destination[x] = blend565(source[x], destination[x], alpha5);
}
#else
static void blendRow(const Uint16* source, Uint16* destination, int width, unsigned alpha5) {
    for (int x = 0; x < width; ++x) destination[x] = blend565(source[x], destination[x], alpha5);
}
#endif

void blitTranslucent(SDL_Surface* image, SDL_Surface* destination, int x, int y) {
    if (!image) return;
    if (!blendsLikeSdl565(image, destination)) {
        blitAt(image, destination, x, y);
        return;
    }
    const ClippedArea area(image, destination, x, y);
    if (area.empty() || !lockBoth(image, destination)) return;
    const unsigned alpha5 = image->format->alpha >> 3;
    for (int row = area.top; row < area.bottom; ++row) {
        const Uint16* from = reinterpret_cast<const Uint16*>(static_cast<const Uint8*>(image->pixels) +
                                                             (row - area.y) * image->pitch) + (area.left - area.x);
        Uint16* to = reinterpret_cast<Uint16*>(static_cast<Uint8*>(destination->pixels) + row * destination->pitch) +
                     area.left;
        blendRow(from, to, area.right - area.left, alpha5);
    }
    unlockBoth(image, destination);
}
