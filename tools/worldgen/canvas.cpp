#include "canvas.h"

#include "files.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "rng.h"
#include "worldgen.h"

static uint8_t clampByte(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); }

Rgba shade(Rgba c, int delta) {
    return Rgba{clampByte(c.r + delta), clampByte(c.g + delta), clampByte(c.b + delta), c.a};
}

Rgba jitter(Rgba c, Rng& rng, int spread) { return shade(c, rng.range(-spread, spread)); }

Rgba mix(Rgba a, Rgba b, float t) {
    auto m = [t](uint8_t x, uint8_t y) { return clampByte(static_cast<int>(std::lround(x + (y - x) * t))); };
    return Rgba{m(a.r, b.r), m(a.g, b.g), m(a.b, b.b), m(a.a, b.a)};
}

Canvas::Canvas(int w, int h) : width(w), height(h), pixels(static_cast<size_t>(w) * h * 4, 0) {}

Rgba Canvas::get(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return CLEAR;
    const uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
    return Rgba{p[0], p[1], p[2], p[3]};
}

void Canvas::set(int x, int y, Rgba c) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
    p[3] = c.a;
}

void Canvas::fill(Rgba c) { rect(0, 0, width, height, c); }

void Canvas::rect(int x, int y, int w, int h, Rgba c) {
    for (int j = y; j < y + h; j++)
        for (int i = x; i < x + w; i++) set(i, j, c);
}

void Canvas::frame(int x, int y, int w, int h, int thickness, Rgba c) {
    rect(x, y, w, thickness, c);
    rect(x, y + h - thickness, w, thickness, c);
    rect(x, y, thickness, h, c);
    rect(x + w - thickness, y, thickness, h, c);
}

// Shapes test pixel centres, so a disc at (24, 24) sits in the middle of a 48-pixel picture.
void Canvas::ellipse(float cx, float cy, float rx, float ry, Rgba c) {
    if (rx <= 0 || ry <= 0) return;
    for (int y = static_cast<int>(cy - ry) - 1; y <= static_cast<int>(cy + ry) + 1; y++)
        for (int x = static_cast<int>(cx - rx) - 1; x <= static_cast<int>(cx + rx) + 1; x++) {
            float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
            if (dx * dx + dy * dy <= 1.0f) set(x, y, c);
        }
}

void Canvas::ring(float cx, float cy, float outer, float inner, Rgba c) {
    for (int y = static_cast<int>(cy - outer) - 1; y <= static_cast<int>(cy + outer) + 1; y++)
        for (int x = static_cast<int>(cx - outer) - 1; x <= static_cast<int>(cx + outer) + 1; x++) {
            float dx = x + 0.5f - cx, dy = y + 0.5f - cy, d2 = dx * dx + dy * dy;
            if (d2 <= outer * outer && d2 >= inner * inner) set(x, y, c);
        }
}

void Canvas::line(float x0, float y0, float x1, float y1, float thickness, Rgba c) {
    float half = thickness / 2, vx = x1 - x0, vy = y1 - y0, len2 = vx * vx + vy * vy;
    int minX = static_cast<int>(std::min(x0, x1) - half) - 1, maxX = static_cast<int>(std::max(x0, x1) + half) + 1;
    int minY = static_cast<int>(std::min(y0, y1) - half) - 1, maxY = static_cast<int>(std::max(y0, y1) + half) + 1;
    for (int y = minY; y <= maxY; y++)
        for (int x = minX; x <= maxX; x++) {
            float px = x + 0.5f - x0, py = y + 0.5f - y0;
            float t = len2 > 0 ? std::clamp((px * vx + py * vy) / len2, 0.0f, 1.0f) : 0.0f;
            float dx = px - t * vx, dy = py - t * vy;
            if (dx * dx + dy * dy <= half * half) set(x, y, c);
        }
}

void Canvas::triangle(float x0, float y0, float x1, float y1, float x2, float y2, Rgba c) {
    polygon({x0, y0, x1, y1, x2, y2}, c);
}

void Canvas::polygon(const std::vector<float>& xy, Rgba c) {
    size_t n = xy.size() / 2;
    if (n < 3) return;
    float minX = xy[0], maxX = xy[0], minY = xy[1], maxY = xy[1];
    for (size_t i = 1; i < n; i++) {
        minX = std::min(minX, xy[2 * i]);
        maxX = std::max(maxX, xy[2 * i]);
        minY = std::min(minY, xy[2 * i + 1]);
        maxY = std::max(maxY, xy[2 * i + 1]);
    }
    for (int y = static_cast<int>(minY) - 1; y <= static_cast<int>(maxY) + 1; y++)
        for (int x = static_cast<int>(minX) - 1; x <= static_cast<int>(maxX) + 1; x++) {
            float px = x + 0.5f, py = y + 0.5f;
            bool anyPositive = false, anyNegative = false;
            for (size_t i = 0; i < n; i++) {
                size_t k = (i + 1) % n;
                float ex = xy[2 * k] - xy[2 * i], ey = xy[2 * k + 1] - xy[2 * i + 1];
                float side = ex * (py - xy[2 * i + 1]) - ey * (px - xy[2 * i]);
                if (side > 0) anyPositive = true;
                if (side < 0) anyNegative = true;
            }
            // Either winding order is accepted: inside means on one side of every edge.
            if (!(anyPositive && anyNegative)) set(x, y, c);
        }
}

void Canvas::outline(Rgba c) {
    Canvas before = *this;
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            if (before.get(x, y).a) continue;
            if (before.get(x - 1, y).a || before.get(x + 1, y).a || before.get(x, y - 1).a || before.get(x, y + 1).a)
                set(x, y, c);
        }
}

void Canvas::mirror() {
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width / 2; x++) {
            Rgba left = get(x, y);
            set(x, y, get(width - 1 - x, y));
            set(width - 1 - x, y, left);
        }
}

void Canvas::paste(const Canvas& other, int x, int y) {
    for (int j = 0; j < other.height; j++)
        for (int i = 0; i < other.width; i++) {
            Rgba c = other.get(i, j);
            if (c.a) set(x + i, y + j, c);
        }
}

void Canvas::makeOpaque() {
    for (size_t i = 3; i < pixels.size(); i += 4) pixels[i] = 255;
}

bool Canvas::save(const std::string& path) const {
    if (!makeDirectory(path.substr(0, path.rfind('/')))) return false;
    if (writePng(path, width, height, pixels.data()).empty()) return true;
    std::fprintf(stderr, "worldgen: could not write %s\n", path.c_str());
    return false;
}
