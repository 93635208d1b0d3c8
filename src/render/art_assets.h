#pragma once
// Every image the editor draws, loaded once at start-up and converted to the display format.
#include <SDL.h>
#include <vector>

#include "world/world_paths.h"

constexpr int ICON_MARKER = 0;   // over the current tile in the palette
constexpr int ICON_MISSING = 10; // stands in for an image that does not exist
constexpr int ICON_OWNED = 18;   // under the picture of an owned item

class ArtAssets {
public:
    SDL_Surface* spriteImages[SPRITE_SETS][SPRITE_DIRECTIONS][SPRITE_FRAMES];
    std::vector<SDL_Surface*> itemImages;
    SDL_Surface* iconImages[ICON_COUNT];
    std::vector<SDL_Surface*> tileImages;

    ArtAssets();
    // Loads everything under data/assets; a missing sprite or icon ends the process.
    // Call after the video mode is set.
    void loadAssets();
    void unloadAssets();
    // The tile's image, or the missing-image icon for a number without one.
    SDL_Surface* tileImage(int tile) const;
};

// Loads one image and converts it to the display format; null when the file is missing
// or cannot be converted. Opaque images are converted without an alpha channel.
SDL_Surface* loadDisplayImage(const char* path);
