// The solid tiles: whatever a walker cannot cross must look like it.
#include <cmath>
#include <cstdlib>

#include "textures.h"
#include "tile_names.h"

static void leafyCanopy(Canvas& c, Rng& rng, float cx, float cy, float r, Rgba leaf) {
    c.disc(cx, cy, r + 1, shade(leaf, -60));
    c.disc(cx, cy, r, shade(leaf, -22));
    for (int i = 0; i < 7; i++) {
        float a = i * 0.9f + rng.unit() * 0.4f, d = r * 0.45f;
        c.disc(cx + std::cos(a) * d, cy + std::sin(a) * d, r * 0.5f, jitter(leaf, rng, 10));
    }
    c.disc(cx - r * 0.3f, cy - r * 0.35f, r * 0.35f, shade(leaf, 30));
    for (int i = 0; i < 40; i++) {
        float a = rng.unit() * 6.283f, d = rng.unit() * r * 0.9f;
        c.set(static_cast<int>(cx + std::cos(a) * d), static_cast<int>(cy + std::sin(a) * d),
              shade(leaf, rng.chance(0.5f) ? 40 : -40));
    }
}

static void deciduousTree(Canvas& c, Rng& rng) {
    grass(c, rng, GRASS);
    shadow(c, 27, 40, 17, 6);
    c.rect(20, 28, 8, 14, rgb(70, 44, 24));
    c.rect(22, 28, 3, 14, rgb(112, 74, 40));
    leafyCanopy(c, rng, 24, 19, 16, rgb(52, 132, 44));
}

static void pineTree(Canvas& c, Rng& rng) {
    grass(c, rng, GRASS);
    shadow(c, 27, 42, 14, 5);
    c.rect(21, 36, 6, 9, rgb(86, 54, 28));
    Rgba dark = rgb(22, 78, 46), mid = rgb(32, 104, 58), edge = rgb(10, 40, 24);
    for (int tier = 0; tier < 3; tier++) {
        float top = 2 + tier * 10, bottom = 20 + tier * 10, half = 10 + tier * 4;
        c.triangle(24, top - 1, 24 - half - 1, bottom + 1, 24 + half + 1, bottom + 1, edge);
        c.triangle(24, top, 24 - half, bottom, 24 + half, bottom, dark);
        c.triangle(24, top + 2, 24 - half + 3, bottom - 1, 24, bottom - 1, mid);
    }
    for (int i = 0; i < 25; i++) c.set(rng.range(12, 36), rng.range(10, 38), shade(dark, 30));
}

static void boulder(Canvas& c, Rng& rng) {
    grass(c, rng, GRASS);
    shadow(c, 26, 38, 20, 8);
    Rgba rock = rgb(128, 124, 118);
    std::vector<float> outer = {8, 30, 12, 14, 22, 7, 34, 9, 42, 20, 41, 34, 30, 41, 14, 40};
    c.polygon(outer, rgb(50, 48, 46));
    std::vector<float> body = {10, 30, 13, 15, 22, 9, 33, 11, 40, 21, 39, 33, 29, 39, 15, 38};
    c.polygon(body, rock);
    c.polygon({13, 15, 22, 9, 33, 11, 26, 20, 16, 22}, shade(rock, 30));
    c.polygon({26, 20, 33, 11, 40, 21, 39, 33, 30, 30}, shade(rock, -24));
    c.line(26, 20, 24, 36, 1, shade(rock, -45));
    c.line(16, 22, 26, 20, 1, shade(rock, -10));
    for (int i = 0; i < 40; i++) {
        int x = rng.range(12, 38), y = rng.range(12, 36);
        Rgba p = c.get(x, y);
        if (std::abs(p.r - p.b) < 20) c.set(x, y, shade(p, rng.chance(0.5f) ? 22 : -22));  // grain on grey only
    }
    c.disc(12, 40, 3, rgb(50, 48, 46));
    c.disc(12, 39.5f, 2.2f, shade(rock, 10));
}

static void hedge(Canvas& c, Rng& rng) {
    grass(c, rng, GRASS);
    shadow(c, 25, 40, 22, 7);
    Rgba leaf = rgb(40, 110, 40);
    c.ellipse(24, 24, 22, 20, rgb(16, 52, 20));
    c.ellipse(24, 24, 21, 19, shade(leaf, -15));
    for (int i = 0; i < 14; i++) {
        float a = i * 0.45f, d = 11;
        c.disc(24 + std::cos(a) * d, 24 + std::sin(a) * d * 0.9f, 8, jitter(leaf, rng, 12));
    }
    c.disc(24, 23, 9, leaf);
    c.disc(19, 17, 5, shade(leaf, 28));
    for (int i = 0; i < 60; i++) c.set(rng.range(6, 41), rng.range(7, 41), shade(leaf, rng.chance(0.5f) ? 35 : -35));
    for (int i = 0; i < 7; i++) {
        int x = rng.range(10, 37), y = rng.range(10, 37);
        c.rect(x, y, 2, 2, rgb(200, 30, 40));
        c.set(x, y, rgb(255, 120, 120));
    }
}

static void pondWater(Canvas& c, Rng& rng) {
    speckle(c, rng, POND, 5);
    waves(c, rng, shade(POND, 40), 9);
    c.disc(31, 31, 8, rgb(30, 90, 30));
    c.disc(31, 31, 7, rgb(66, 150, 58));
    c.triangle(31, 31, 40, 27, 40, 34, shade(POND, 3));
    c.line(31, 31, 25, 35, 1, rgb(40, 110, 40));
    c.disc(29, 28, 2.5f, rgb(240, 150, 190));
    c.disc(29, 28, 1, rgb(250, 230, 90));
    c.disc(12, 14, 4, rgb(30, 90, 30));
    c.disc(12, 14, 3, rgb(70, 150, 60));
}

static void sea(Canvas& c, Rng& rng) {
    Rgba deep = rgb(30, 82, 168);
    speckle(c, rng, deep, 4);
    for (int i = 0; i < 6; i++)
        c.ellipse(rng.range(4, 44), rng.range(4, 44), rng.range(5, 9), rng.range(2, 4), shade(deep, -10));
    waves(c, rng, rgb(120, 170, 235), 10);
    waves(c, rng, rgb(220, 236, 255), 4);
}

static void castleWall(Canvas& c, Rng& rng) {
    Rgba block = rgb(176, 172, 160), mortar = rgb(64, 62, 58);
    c.fill(mortar);
    for (int row = 0; row < 4; row++)
        for (int col = -1; col < 3; col++) {
            int x = col * 24 + ((row % 2) ? 12 : 0), y = row * 12;
            Rgba tone = jitter(block, rng, 10);
            for (int j = 1; j < 11; j++)
                for (int i = 1; i < 23; i++) c.set(x + i, y + j, jitter(tone, rng, 6));
            c.rect(x + 1, y + 1, 22, 2, shade(tone, 40));
            c.rect(x + 1, y + 1, 2, 10, shade(tone, 25));
            c.rect(x + 1, y + 10, 22, 1, shade(tone, -45));
            c.rect(x + 22, y + 1, 1, 10, shade(tone, -35));
        }
}

// Rock face: a lattice of lit stone chunks with dark cracks between them.
static void cliff(Canvas& c, Rng& rng) {
    Rgba rock = rgb(124, 108, 92);
    c.fill(rgb(40, 32, 28));
    float px[4][4], py[4][4];
    for (int j = 0; j < 4; j++)
        for (int i = 0; i < 4; i++) {
            bool edgeX = i == 0 || i == 3, edgeY = j == 0 || j == 3;  // keep the tile's edges straight
            px[j][i] = i * 16 + (edgeX ? 0 : rng.range(-4, 4));
            py[j][i] = j * 16 + (edgeY ? 0 : rng.range(-4, 4));
        }
    for (int j = 0; j < 3; j++)
        for (int i = 0; i < 3; i++) {
            float x0 = px[j][i] + 1, y0 = py[j][i] + 1, x1 = px[j][i + 1] - 1, y1 = py[j][i + 1] + 1;
            float x2 = px[j + 1][i + 1] - 1, y2 = py[j + 1][i + 1] - 1, x3 = px[j + 1][i] + 1, y3 = py[j + 1][i] - 1;
            Rgba tone = jitter(rock, rng, 14);
            c.polygon({x0, y0, x1, y1, x2, y2, x3, y3}, shade(tone, -38));
            float mx = (x0 + x1 + x2 + x3) / 4, my = (y0 + y1 + y2 + y3) / 4;
            c.polygon({x0, y0, x1, y1, mx + 3, my + 2, x3, y3 - 4}, tone);
            c.polygon({x0, y0, x1, y1, mx, my - 3}, shade(tone, 30));
        }
    for (int i = 0; i < 40; i++) {
        int x = rng.below(48), y = rng.below(48);
        if (c.get(x, y).r > 60) c.set(x, y, shade(c.get(x, y), rng.chance(0.5f) ? 18 : -18));
    }
}

static void palmTree(Canvas& c, Rng& rng) {
    speckle(c, rng, SAND, 8);
    shadow(c, 28, 42, 13, 4);
    Rgba bark = rgb(150, 110, 62);
    for (int k = 0; k < 7; k++) {
        float t = k / 6.0f, x = 20 + 6 * t * t, y = 42 - 26 * t;
        c.disc(x, y, 3.2f, shade(bark, -50));
        c.disc(x, y, 2.6f, k % 2 ? bark : shade(bark, 22));
    }
    Rgba frond = rgb(46, 146, 56);
    float cx = 26, cy = 14;
    float dirs[6][2] = {{-16, -6}, {-14, 8}, {16, -5}, {15, 9}, {-2, -13}, {5, 14}};
    for (auto& d : dirs) c.line(cx, cy, cx + d[0], cy + d[1], 5, rgb(18, 70, 30));
    for (auto& d : dirs) c.line(cx, cy, cx + d[0] * 0.95f, cy + d[1] * 0.95f, 3, frond);
    for (auto& d : dirs) c.line(cx, cy, cx + d[0] * 0.6f, cy + d[1] * 0.6f, 1, shade(frond, 50));
    c.disc(24, 17, 2.5f, rgb(90, 56, 30));
    c.disc(28.5f, 17, 2.5f, rgb(90, 56, 30));
}

static void roof(Canvas& c, Rng& rng) {
    Rgba tile = rgb(176, 66, 46);
    c.fill(shade(tile, -70));
    for (int row = 0; row < 7; row++)
        for (int col = -1; col < 7; col++) {
            float x = col * 8 + ((row % 2) ? 4 : 0) + 4, y = row * 7;
            Rgba tone = jitter(tile, rng, 12);
            c.ellipse(x, y + 3, 4, 5, shade(tone, -40));
            c.ellipse(x, y + 2.5f, 3.4f, 4.3f, tone);
            c.rect(static_cast<int>(x) - 2, static_cast<int>(y), 2, 3, shade(tone, 30));
        }
    c.rect(0, 0, 48, 2, rgb(90, 30, 24));
}

static void fence(Canvas& c, Rng& rng) {
    grass(c, rng, GRASS);
    Rgba wood = rgb(150, 104, 56), dark = rgb(60, 38, 20);
    for (int y : {16, 30}) {
        c.rect(0, y + 4, 48, 2, shade(c.get(0, y), -30));  // the rail's shadow on the grass
        c.rect(0, y - 1, 48, 5, dark);
        c.rect(0, y, 48, 3, wood);
        c.rect(0, y, 48, 1, shade(wood, 30));
    }
    for (int x : {6, 24, 42}) {
        c.rect(x - 3, 8, 7, 32, dark);
        c.rect(x - 2, 9, 5, 30, jitter(wood, rng, 8));
        c.rect(x - 2, 9, 5, 2, shade(wood, 40));
        c.rect(x + 2, 11, 1, 28, shade(wood, -30));
    }
}

static void flagstones(Canvas& c, Rng& rng, Rgba stone) {
    c.fill(shade(stone, -50));
    for (int row = 0; row < 3; row++)
        for (int col = 0; col < 3; col++) {
            Rgba tone = jitter(stone, rng, 10);
            for (int j = 1; j < 16; j++)
                for (int i = 1; i < 16; i++) c.set(col * 16 + i, row * 16 + j, jitter(tone, rng, 5));
            c.rect(col * 16 + 1, row * 16 + 1, 15, 1, shade(tone, 20));
        }
}

static void pillar(Canvas& c, Rng& rng) {
    flagstones(c, rng, rgb(150, 146, 136));
    shadow(c, 28, 29, 19, 18);
    Rgba marble = rgb(218, 214, 204);
    c.disc(24, 24, 19, rgb(60, 58, 54));
    c.disc(24, 24, 18, shade(marble, -30));
    c.disc(24, 24, 15, marble);
    c.ring(24, 24, 12, 11, shade(marble, -35));
    c.disc(24, 24, 9, shade(marble, 15));
    c.disc(20, 20, 4, rgb(250, 250, 246));
    for (int i = 0; i < 8; i++) {
        float a = i * 0.785f;
        c.line(24 + std::cos(a) * 15, 24 + std::sin(a) * 15, 24 + std::cos(a) * 18, 24 + std::sin(a) * 18, 1,
               shade(marble, -60));
    }
}

static void crate(Canvas& c, int x, int y, int size, Rgba wood) {
    c.rect(x, y, size, size, rgb(50, 30, 16));
    c.rect(x + 1, y + 1, size - 2, size - 2, wood);
    c.frame(x + 1, y + 1, size - 2, size - 2, 3, shade(wood, -30));
    c.line(x + 3, y + 3, x + size - 3, y + size - 3, 3, shade(wood, -22));
    c.line(x + size - 3, y + 3, x + 3, y + size - 3, 3, shade(wood, -22));
    c.rect(x + 1, y + 1, size - 2, 1, shade(wood, 35));
}

static void crates(Canvas& c, Rng& rng) {
    planks(c, rng, WOOD, 8, false);
    shadow(c, 26, 29, 22, 18);
    crate(c, 3, 4, 24, rgb(196, 150, 84));
    crate(c, 22, 22, 22, rgb(180, 132, 72));
    c.disc(11, 37, 8, rgb(50, 30, 16));  // a barrel seen from above
    c.disc(11, 37, 7, rgb(140, 92, 48));
    c.ring(11, 37, 7, 5.5f, rgb(90, 90, 96));
    c.disc(9, 35, 2, rgb(176, 124, 70));
}

void drawObstacleTile(int number, Canvas& c, Rng& rng) {
    switch (number) {
    case tile::STONE_WALL: bricks(c, rng, STONE, rgb(62, 62, 68), 16, 8); break;
    case tile::TREE: deciduousTree(c, rng); break;
    case tile::BOULDER: boulder(c, rng); break;
    case tile::PINE: pineTree(c, rng); break;
    case tile::HOUSE_WALL: bricks(c, rng, rgb(156, 68, 48), rgb(196, 186, 166), 12, 6); break;
    case tile::BUSH: hedge(c, rng); break;
    case tile::POND: pondWater(c, rng); break;
    case tile::SEA: sea(c, rng); break;
    case tile::CASTLE_WALL: castleWall(c, rng); break;
    case tile::CLIFF: cliff(c, rng); break;
    case tile::PALM: palmTree(c, rng); break;
    case tile::ROOF: roof(c, rng); break;
    case tile::FENCE: fence(c, rng); break;
    case tile::PILLAR: pillar(c, rng); break;
    case tile::CRATES: crates(c, rng); break;
    default: break;
    }
}
