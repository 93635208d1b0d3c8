#pragma once
// A PNG as SDL_image loads it, as 32-bit values with red in the low byte and alpha in the top.
#include <SDL.h>

#include <string>
#include <vector>

struct PngPixels {
    int width = 0, height = 0;
    std::vector<Uint32> pixels;
    Uint32 at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    Uint8 alpha(int x, int y) const { return at(x, y) >> 24; }
};

// Empty (0x0) when the file does not load.
PngPixels loadPngPixels(const std::string& path);
inline Uint32 rgbaValue(int r, int g, int b, int a = 255) {
    return static_cast<Uint32>(r) | static_cast<Uint32>(g) << 8 | static_cast<Uint32>(b) << 16 | static_cast<Uint32>(a) << 24;
}
