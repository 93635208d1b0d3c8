#pragma once
#include <SDL.h>

// Blits a whole image with its top-left corner at (x, y); returns the area it covered
// after clipping to the destination.
inline SDL_Rect blitAt(SDL_Surface* image, SDL_Surface* destination, int x, int y) {
    SDL_Rect place;
    place.x = static_cast<Sint16>(x);
    place.y = static_cast<Sint16>(y);
    place.w = place.h = 0;
    if (image) SDL_BlitSurface(image, nullptr, destination, &place);
    return place;
}

inline void fillRect(SDL_Surface* destination, int x, int y, int w, int h, Uint32 colour) {
    SDL_Rect area;
    area.x = static_cast<Sint16>(x);
    area.y = static_cast<Sint16>(y);
    area.w = static_cast<Uint16>(w);
    area.h = static_cast<Uint16>(h);
    SDL_FillRect(destination, &area, colour);
}
