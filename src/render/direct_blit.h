#pragma once
// Blits the editor makes itself where SDL's own are slow, with exactly SDL's pixels.
#include <SDL.h>

// Blits an opaque image (no alpha, no colour key) of the destination's pixel format with its
// top-left corner at (x, y) by copying its rows, and returns the area covered after clipping
// (empty when nothing was), as blitAt does. SDL's own copy stores around the cache, so that
// everything drawn over the tiles afterwards had to fetch the frame back from memory.
SDL_Rect blitOpaque(SDL_Surface* image, SDL_Surface* destination, int x, int y);

// Blits an image that carries a per-surface alpha (SDL_SRCALPHA, no colour key) with its
// top-left corner at (x, y), giving exactly the pixels SDL_BlitSurface gives. Between 16-bit
// 5-6-5 surfaces it blends eight pixels at a time, where SDL's own blitter takes one; any
// other case is left to SDL.
void blitTranslucent(SDL_Surface* image, SDL_Surface* destination, int x, int y);

// One pixel of that blend: SDL's formula for 5-6-5 pixels, green spread away from red and
// blue so that all three fields scale in one multiplication by the alpha's top five bits.
inline Uint16 blend565(Uint16 source, Uint16 destination, unsigned alpha5) {
    Uint32 s = (source | static_cast<Uint32>(source) << 16) & 0x07e0f81fu;
    Uint32 d = (destination | static_cast<Uint32>(destination) << 16) & 0x07e0f81fu;
    d += (s - d) * alpha5 >> 5;
    d &= 0x07e0f81fu;
    return static_cast<Uint16>(d | d >> 16);
}
