// The editor's icons. 0 marks the current tile in the palette (28x28, drawn 10 pixels in from
// the tile's corner); 10 stands in for a missing image; 18 is the owner badge drawn under an
// item's picture. The rest are plain coloured symbols.
#include <cmath>
#include <string>
#include <vector>

#include "art.h"
#include "files.h"

namespace {

constexpr Rgba INK = rgb(16, 16, 16);
constexpr Rgba YELLOW = rgb(255, 230, 20);
constexpr Rgba GOLD = rgb(236, 186, 40);

Canvas marker() {
    Canvas c(28, 28);
    c.frame(1, 1, 26, 26, 3, YELLOW);
    c.outline(INK);
    return c;
}

Canvas missing() {
    Canvas c(ART_SIZE, ART_SIZE);
    for (int y = 0; y < ART_SIZE; y++)
        for (int x = 0; x < ART_SIZE; x++) c.set(x, y, ((x / 8 + y / 8) % 2) ? rgb(0, 0, 0) : rgb(255, 0, 255));
    c.frame(0, 0, ART_SIZE, ART_SIZE, 2, rgb(255, 0, 0));
    const char* glyph[7] = {".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."};
    Canvas mark(ART_SIZE, ART_SIZE);
    for (int row = 0; row < 7; row++)
        for (int col = 0; col < 5; col++)
            if (glyph[row][col] == '#') mark.rect(14 + col * 4, 10 + row * 4, 4, 4, rgb(255, 255, 255));
    mark.outline(INK);
    mark.outline(INK);
    c.paste(mark, 0, 0);
    return c;
}

Canvas ownerBadge() {
    Canvas c(ART_SIZE, ART_SIZE);
    c.ring(24, 24, 23.5f, 17.5f, rgb(150, 100, 10));
    c.ring(24, 24, 22.5f, 18.5f, GOLD);
    c.ring(24, 24, 21, 20, rgb(255, 226, 110));
    for (int i = 0; i < 24; i++) {  // the milled edge of a coin
        float a = i * 0.2618f;
        c.set(static_cast<int>(24 + std::cos(a) * 22.6f), static_cast<int>(24 + std::sin(a) * 22.6f), rgb(120, 80, 10));
    }
    return c;
}

void rotateQuarter(Canvas& c, int turns) {  // clockwise, square pictures only
    for (int t = 0; t < turns; t++) {
        Canvas copy = c;
        for (int y = 0; y < c.height; y++)
            for (int x = 0; x < c.width; x++) c.set(c.width - 1 - y, x, copy.get(x, y));
    }
}

std::vector<float> regularPolygon(float cx, float cy, float r, int sides, float turn) {
    std::vector<float> xy;
    for (int i = 0; i < sides; i++) {
        float a = turn + i * 6.2832f / sides;
        xy.push_back(cx + std::cos(a) * r);
        xy.push_back(cy + std::sin(a) * r);
    }
    return xy;
}

void star(Canvas& c, Rgba colour) {
    for (int i = 0; i < 5; i++) {
        float a = -1.5708f + i * 1.2566f;
        c.triangle(24 + std::cos(a) * 18, 25 + std::sin(a) * 18, 24 + std::cos(a + 1.5708f) * 7, 25 + std::sin(a + 1.5708f) * 7,
                   24 + std::cos(a - 1.5708f) * 7, 25 + std::sin(a - 1.5708f) * 7, colour);
    }
    c.disc(24, 25, 8, colour);
}

void symbol(Canvas& c, int icon) {
    switch (icon) {
    case 1: c.rect(20, 8, 8, 32, rgb(40, 200, 60)); c.rect(8, 20, 32, 8, rgb(40, 200, 60)); break;
    case 2: c.rect(8, 20, 32, 8, rgb(230, 50, 40)); break;
    case 3: c.disc(24, 24, 15, rgb(50, 110, 240)); break;
    case 4: c.rect(10, 10, 28, 28, rgb(250, 140, 30)); break;
    case 5: c.triangle(24, 7, 7, 39, 41, 39, rgb(150, 60, 210)); break;
    case 6: c.polygon({24, 5, 41, 24, 24, 43, 7, 24}, rgb(40, 220, 230)); break;
    case 7:
        c.disc(17, 18, 8, rgb(240, 50, 90));
        c.disc(31, 18, 8, rgb(240, 50, 90));
        c.triangle(9.5f, 21, 38.5f, 21, 24, 39, rgb(240, 50, 90));
        break;
    case 8: star(c, rgb(255, 220, 30)); break;
    case 9: case 11: case 12: case 13:
        c.rect(10, 20, 16, 8, rgb(245, 245, 245));
        c.triangle(24, 10, 40, 24, 24, 38, rgb(245, 245, 245));
        rotateQuarter(c, icon == 13 ? 0 : icon == 11 ? 1 : icon == 12 ? 2 : 3);
        break;
    case 14: c.line(9, 25, 19, 35, 6, rgb(40, 200, 60)); c.line(19, 35, 39, 12, 6, rgb(40, 200, 60)); break;
    case 15: c.line(11, 11, 37, 37, 7, rgb(230, 40, 40)); c.line(37, 11, 11, 37, 7, rgb(230, 40, 40)); break;
    case 16: c.disc(24, 29, 11, rgb(40, 120, 230)); c.triangle(24, 6, 13.5f, 26, 34.5f, 26, rgb(40, 120, 230)); break;
    case 17:
        for (int i = 0; i < 8; i++) {
            float a = i * 0.7854f;
            c.line(24, 24, 24 + std::cos(a) * 18, 24 + std::sin(a) * 18, 6, rgb(150, 150, 160));
        }
        c.disc(24, 24, 13, rgb(150, 150, 160));
        c.disc(24, 24, 5, CLEAR);
        break;
    case 19: c.ring(24, 24, 16, 10, rgb(250, 120, 200)); break;
    case 20: c.polygon(regularPolygon(24, 24, 17, 6, 0), rgb(160, 230, 40)); break;
    case 21: c.disc(24, 24, 16, rgb(30, 170, 160)); c.disc(31, 19, 13, CLEAR); break;
    case 22: c.polygon({28, 4, 12, 27, 23, 27}, rgb(255, 150, 20)); c.polygon({25, 21, 36, 21, 18, 44}, rgb(255, 150, 20)); break;
    case 23:
        c.ellipse(24, 24, 19, 11, rgb(250, 250, 250));
        c.disc(24, 24, 8, rgb(60, 140, 220));
        c.disc(24, 24, 3.5f, INK);
        break;
    case 24: c.rect(11, 6, 4, 36, rgb(120, 80, 40)); c.polygon({15, 7, 39, 15, 15, 24}, rgb(40, 90, 230)); break;
    case 25: c.rect(20, 6, 8, 24, rgb(255, 200, 0)); c.disc(24, 38, 4.5f, rgb(255, 200, 0)); break;
    case 26:
        c.disc(24, 24, 18, rgb(220, 30, 30));
        c.disc(24, 24, 13, rgb(250, 250, 250));
        c.disc(24, 24, 8, rgb(220, 30, 30));
        c.disc(24, 24, 3.5f, rgb(250, 250, 250));
        break;
    case 27:
        for (int i = 0; i < 8; i++) {
            float a = i * 0.7854f + 0.39f;
            c.line(24 + std::cos(a) * 12, 24 + std::sin(a) * 12, 24 + std::cos(a) * 20, 24 + std::sin(a) * 20, 3, rgb(255, 190, 0));
        }
        c.disc(24, 24, 10, rgb(255, 220, 40));
        break;
    case 28:
        c.rect(11, 6, 26, 4, rgb(120, 80, 40));
        c.rect(11, 38, 26, 4, rgb(120, 80, 40));
        c.triangle(13, 10, 35, 10, 24, 24, rgb(230, 200, 120));
        c.triangle(24, 24, 13, 38, 35, 38, rgb(230, 200, 120));
        break;
    default: break;
    }
}

}  // namespace

Canvas drawIcon(int icon) {
    if (icon == 0) return marker();
    if (icon == 10) return missing();
    if (icon == 18) return ownerBadge();
    Canvas c(ART_SIZE, ART_SIZE);
    symbol(c, icon);
    c.outline(INK);
    return c;
}

bool writeIcons(const std::string& root) {
    for (int icon = 0; icon < ICON_COUNT; icon++)
        if (!drawIcon(icon).save(root + "/" + iconPath(icon))) return false;
    return true;
}
