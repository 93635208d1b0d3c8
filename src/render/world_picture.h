#pragma once
// The whole world (or a block of it) as one picture, drawn without a display: every cell
// with its tile image and every NPC and item the editor would draw, at any scale.
#include <SDL.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "render/art_assets.h"
#include "world/world.h"

constexpr int MIN_PICTURE_SCALE = 1, MAX_PICTURE_SCALE = 48, DEFAULT_PICTURE_SCALE = 8;

class CellBlock {
public:
    int x = 0, y = 0, w = MAP_SIZE, h = MAP_SIZE;  // in cells
};

class Rgb {
public:
    uint8_t r, g, b;
};

// RGBA rows, top row first; every pixel is opaque once drawn.
class Picture {
public:
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
    void fill(int x, int y, int w, int h, Rgb c);  // clipped to the picture
    void frame(int x, int y, int w, int h, int thickness, Rgb c);
};

// An image scaled from the 48-pixel grid to `scale` pixels per cell, each output pixel the
// average of the source pixels under it (alpha-weighted, so clear pixels add no colour).
class ScaledImage {
public:
    int width = 0, height = 0;
    bool opaque = true;
    std::vector<uint8_t> rgba;
};

// The image's pixels as RGBA rows, whatever its format (an RLE surface is decoded by the lock).
std::vector<uint8_t> rgbaOf(SDL_Surface* image);
// The image shrunk so that its 48-pixel cell becomes `scale` pixels (at least one pixel); from
// its RGBA pixels (w x h) when they are at hand.
ScaledImage scaleImage(SDL_Surface* image, int scale);
ScaledImage scaleRgba(const std::vector<uint8_t>& source, int w, int h, int scale);

class WorldPainter {
public:
    const ArtAssets& art;
    int scale;
    CellBlock block;
    std::unordered_map<const SDL_Surface*, ScaledImage> scaled;

    WorldPainter(const ArtAssets& art, int scale, const CellBlock& block) : art(art), scale(scale), block(block) {}
    // The block's cells, then the NPCs and then the items over them as the editor draws
    // them; an object partly outside the picture is clipped at its edges.
    void draw(const World& world, Picture& picture);
    // Where a world point lands in the picture.
    int pictureX(float worldX) const;
    int pictureY(float worldY) const;
    const ScaledImage& scaledOf(SDL_Surface* image);
    void paste(SDL_Surface* image, Picture& picture, int x, int y);
};

// Starts SDL on its dummy video driver (no display needed) and loads the art from
// data/assets under the working directory without console messages. False with one line
// saying why otherwise, naming files under `shownRoot` (the world as the user gave it).
bool loadArtWithoutDisplay(ArtAssets& art, const std::string& shownRoot, std::string& error);
