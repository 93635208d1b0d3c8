#include <SDL_image.h>

#include "test_support.h"

PngPixels loadPngPixels(const std::string& path) {
    PngPixels p;
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (!loaded) return p;
    SDL_Surface* rgba = SDL_CreateRGBSurface(SDL_SWSURFACE, loaded->w, loaded->h, 32, 0xff, 0xff00, 0xff0000, 0xff000000);
    SDL_SetAlpha(loaded, 0, SDL_ALPHA_OPAQUE);  // copy the alpha channel instead of blending with it
    SDL_BlitSurface(loaded, nullptr, rgba, nullptr);
    p.width = rgba->w;
    p.height = rgba->h;
    for (int y = 0; y < p.height; ++y) {
        const Uint32* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(rgba->pixels) + y * rgba->pitch);
        p.pixels.insert(p.pixels.end(), row, row + p.width);
    }
    SDL_FreeSurface(rgba);
    SDL_FreeSurface(loaded);
    return p;
}
