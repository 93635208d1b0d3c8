#pragma once
// The art the view draws when zoomed out: every tile image, the NPCs' sprites, the item
// pictures and the icons drawn for objects, shrunk to the view's pixels per cell once per zoom
// (each pixel the average of the pixels under it, as in the whole-world picture), in the
// display's format. Images are known by their address: the editor loads its art once a run.
#include <SDL.h>

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "render/art_assets.h"
#include "render/surface.h"

class ScaledArt {
public:
    // Makes the images for this many pixels per cell, unless they are made already; at 48
    // pixels per cell the view draws the art itself and nothing is kept.
    void prepare(const ArtAssets& art, int cellPixels);
    // The tile's image at the prepared size (the missing-image icon for a number without one);
    // only after a prepare at another size than 48.
    SDL_Surface* tileImage(int tile) const;
    // An object's image at the prepared size; the original when it was not prepared.
    SDL_Surface* of(SDL_Surface* original) const;
    int preparedPixels() const { return cellPixels; }

private:
    const ArtAssets* source = nullptr;
    int cellPixels = 0;
    std::vector<SurfacePtr> tiles;
    std::unordered_map<const SDL_Surface*, SurfacePtr> objects;
    // Each image's own pixels as RGBA, read at the first zoom out and kept for the next ones
    // (about 1.5 MB): reading them (decoding the run-length encoded ones) took half the time.
    std::unordered_map<const SDL_Surface*, std::vector<uint8_t>> rgba;
    SDL_Surface* shrink(SDL_Surface* image);  // to cellPixels, in the display's format
};
