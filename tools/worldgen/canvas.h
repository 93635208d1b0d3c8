#pragma once
// An RGBA picture and the few shapes the generated art is drawn with.
#include <cstdint>
#include <string>
#include <vector>

class Rng;

struct Rgba {
    uint8_t r = 0, g = 0, b = 0, a = 0;
};
constexpr Rgba CLEAR{0, 0, 0, 0};
constexpr Rgba rgb(int r, int g, int b) {
    return Rgba{static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b), 255};
}
// Lighter (delta > 0) or darker by delta on every channel, clamped.
Rgba shade(Rgba c, int delta);
// c with each channel moved by the same random amount in -spread..spread.
Rgba jitter(Rgba c, Rng& rng, int spread);
Rgba mix(Rgba a, Rgba b, float t);  // t = 0 gives a, 1 gives b

class Canvas {
public:
    int width, height;
    std::vector<uint8_t> pixels;  // rows of RGBA, top row first

    Canvas(int w, int h);  // fully transparent
    Rgba get(int x, int y) const;  // CLEAR off the picture
    void set(int x, int y, Rgba c);  // points off the picture are ignored
    void fill(Rgba c);
    void rect(int x, int y, int w, int h, Rgba c);
    void frame(int x, int y, int w, int h, int thickness, Rgba c);
    void ellipse(float cx, float cy, float rx, float ry, Rgba c);
    void disc(float cx, float cy, float r, Rgba c) { ellipse(cx, cy, r, r, c); }
    void ring(float cx, float cy, float outer, float inner, Rgba c);
    void line(float x0, float y0, float x1, float y1, float thickness, Rgba c);
    void triangle(float x0, float y0, float x1, float y1, float x2, float y2, Rgba c);
    // Every pixel within the shape given by its corners (convex, in order).
    void polygon(const std::vector<float>& xy, Rgba c);
    // Paints the transparent pixels that touch an opaque one: the dark rim of sprites and icons.
    void outline(Rgba c);
    void mirror();  // left to right
    // Draws other's opaque pixels over this one with their top-left corner at (x, y).
    void paste(const Canvas& other, int x, int y);
    void makeOpaque();
    // Writes the picture as PNG; on failure says so on standard error and returns false.
    bool save(const std::string& path) const;
};
