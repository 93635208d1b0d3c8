// The passable tiles: grass, sand, paths, floors and the like.
#include <cmath>

#include "textures.h"
#include "tile_names.h"

static void sand(Canvas& c, Rng& rng, Rgba base, int ripples) {
    speckle(c, rng, base, 9);
    for (int i = 0; i < ripples; i++) {
        int y = rng.range(2, 45), x = rng.range(-10, 30), len = rng.range(10, 22);
        for (int k = 0; k < len; k++) c.set(x + k, y + static_cast<int>(std::lround(std::sin(k * 0.5f))), shade(base, -22));
    }
    for (int i = 0; i < 25; i++) c.set(rng.below(48), rng.below(48), shade(base, rng.chance(0.5f) ? 25 : -35));
}

static void flowers(Canvas& c, Rng& rng, Rgba petalA, Rgba petalB, Rgba heart) {
    grass(c, rng, GRASS);
    for (int i = 0; i < 11; i++) {
        int x = rng.range(3, 44), y = rng.range(3, 44);
        Rgba petal = (i % 2) ? petalA : petalB;
        c.set(x, y + 3, rgb(40, 100, 30));
        c.set(x - 1, y, petal);
        c.set(x + 1, y, petal);
        c.set(x, y - 1, petal);
        c.set(x, y + 1, petal);
        c.set(x, y, heart);
    }
}

static void tallGrass(Canvas& c, Rng& rng) {
    speckle(c, rng, rgb(70, 134, 50), 8);
    for (int i = 0; i < 55; i++) {
        float x = rng.range(0, 47), y = rng.range(8, 50), lean = rng.range(-3, 3);
        float len = rng.range(6, 10);
        Rgba blade = rng.chance(0.5f) ? rgb(120, 190, 80) : rgb(40, 96, 36);
        c.line(x, y, x + lean, y - len, 1, blade);
    }
}

static void farmland(Canvas& c, Rng& rng) {
    Rgba soil = rgb(120, 80, 48);
    speckle(c, rng, soil, 12);
    for (int y = 0; y < 48; y += 8) {
        for (int x = 0; x < 48; x++) {
            c.set(x, y + 3, shade(soil, -40 + rng.range(-6, 6)));
            c.set(x, y + 4, shade(soil, -30 + rng.range(-6, 6)));
            c.set(x, y + 1, shade(soil, 20 + rng.range(-6, 6)));
        }
        for (int k = 0; k < 3; k++) c.rect(rng.below(46), y, 2, 2, shade(soil, -18));  // clods
    }
}

static void seedlings(Canvas& c, Rng& rng) {
    for (int y = 0; y < 48; y += 8)
        for (int x = 3 + rng.below(3); x < 48; x += 8) {
            c.set(x, y + 1, rgb(80, 170, 60));
            c.set(x - 1, y, rgb(110, 200, 80));
            c.set(x + 1, y, rgb(110, 200, 80));
        }
}

static void wheat(Canvas& c, Rng& rng) {
    farmland(c, rng);
    for (int row = 0; row < 6; row++)
        for (int x = 2; x < 48; x += 4) {
            int base = row * 8 + 6, sway = rng.range(-1, 1);
            c.line(x, base, x + sway, base - 7, 1, rgb(150, 150, 50));
            c.rect(x + sway, base - 10, 2, 4, rgb(232, 196, 80));
            c.set(x + sway, base - 10, rgb(255, 230, 140));
        }
}

static void shallowWater(Canvas& c, Rng& rng) {
    Rgba water = rgb(84, 176, 196);
    speckle(c, rng, water, 5);
    for (int i = 0; i < 8; i++)
        c.ellipse(rng.range(4, 44), rng.range(4, 44), rng.range(3, 6), rng.range(2, 3), rgb(150, 196, 170));
    waves(c, rng, rgb(200, 240, 245), 7);
}

static void swamp(Canvas& c, Rng& rng) {
    speckle(c, rng, rgb(88, 84, 46), 8);
    for (int i = 0; i < 4; i++)
        c.ellipse(rng.range(6, 42), rng.range(6, 42), rng.range(5, 8), rng.range(3, 5), rgb(60, 88, 62));
    for (int i = 0; i < 9; i++) {
        float x = rng.range(3, 45), y = rng.range(12, 46);
        c.line(x, y, x + rng.range(-1, 1), y - 9, 1, rgb(30, 70, 24));
        c.rect(static_cast<int>(x), static_cast<int>(y) - 11, 2, 3, rgb(110, 70, 36));
    }
}

static void carpet(Canvas& c, Rng& rng) {
    Rgba red = rgb(168, 30, 40), gold = rgb(226, 184, 70);
    speckle(c, rng, red, 4);
    c.rect(0, 0, 48, 3, gold);
    c.rect(0, 45, 48, 3, gold);
    c.polygon({24, 9, 39, 24, 24, 39, 9, 24}, gold);
    c.polygon({24, 13, 35, 24, 24, 35, 13, 24}, shade(red, -30));
    c.disc(24, 24, 3, gold);
}

static void checkerFloor(Canvas& c, Rng& rng) {
    for (int row = 0; row < 4; row++)
        for (int col = 0; col < 4; col++) {
            Rgba tone = ((row + col) % 2) ? rgb(70, 66, 74) : rgb(214, 206, 186);
            for (int j = 0; j < 12; j++)
                for (int i = 0; i < 12; i++) c.set(col * 12 + i, row * 12 + j, jitter(tone, rng, 4));
            c.rect(col * 12, row * 12, 12, 1, shade(tone, 25));
            c.rect(col * 12, row * 12, 1, 12, shade(tone, 15));
        }
}

static void forestFloor(Canvas& c, Rng& rng) {
    speckle(c, rng, rgb(86, 70, 40), 8);
    for (int i = 0; i < 6; i++) c.ellipse(rng.range(4, 44), rng.range(4, 44), rng.range(3, 6), rng.range(2, 4), rgb(62, 104, 44));
    Rgba leaves[3] = {rgb(200, 110, 40), rgb(170, 70, 30), rgb(210, 170, 60)};
    for (int i = 0; i < 22; i++) {
        float x = rng.range(2, 45), y = rng.range(2, 45);
        c.ellipse(x, y, 2, 1.2f, leaves[i % 3]);
    }
}

static void steps(Canvas& c, Rng& rng) {
    Rgba stone = rgb(150, 148, 144);
    for (int s = 0; s < 4; s++) {
        Rgba tone = shade(stone, -s * 12);
        for (int j = 0; j < 12; j++)
            for (int i = 0; i < 48; i++) c.set(i, s * 12 + j, jitter(tone, rng, 5));
        c.rect(0, s * 12, 48, 2, shade(tone, 40));
        c.rect(0, s * 12 + 10, 48, 2, shade(tone, -55));
    }
    c.rect(0, 0, 3, 48, rgb(90, 88, 84));
    c.rect(45, 0, 3, 48, rgb(90, 88, 84));
}

static void mossFloor(Canvas& c, Rng& rng) {
    Rgba stone = rgb(116, 120, 112);
    c.fill(rgb(60, 62, 58));
    int edges[3] = {0, 20, 34};
    for (int row = 0; row < 3; row++)
        for (int col = 0; col < 2; col++) {
            int x = col * 24 + (row == 1 ? 10 : 0) - (row == 1 && col == 1 ? 24 : 0);
            int y = edges[row], h = (row == 2 ? 48 : edges[row + 1]) - y;
            Rgba tone = jitter(stone, rng, 10);
            for (int j = 1; j < h; j++)
                for (int i = 1; i < 24; i++) c.set((x + i + 48) % 48, y + j, jitter(tone, rng, 5));
        }
    for (int i = 0; i < 6; i++) c.ellipse(rng.range(2, 46), rng.range(2, 46), rng.range(3, 6), rng.range(2, 4), rgb(70, 130, 50));
    for (int i = 0; i < 30; i++) c.set(rng.below(48), rng.below(48), rgb(96, 160, 64));
}

static void ash(Canvas& c, Rng& rng) {
    speckle(c, rng, rgb(58, 54, 52), 10);
    for (int i = 0; i < 6; i++) c.line(rng.range(4, 44), rng.range(4, 44), rng.range(4, 44), rng.range(4, 44), 2, rgb(24, 20, 20));
    for (int i = 0; i < 14; i++) {
        int x = rng.range(2, 45), y = rng.range(2, 45);
        c.set(x, y, rgb(250, 130, 30));
        c.set(x + 1, y, rgb(200, 60, 20));
    }
}

static void straw(Canvas& c, Rng& rng) {
    speckle(c, rng, rgb(190, 150, 70), 8);
    for (int i = 0; i < 90; i++) {
        float x = rng.range(-3, 48), y = rng.range(0, 48), dx = rng.range(-5, 5), dy = rng.range(-2, 2);
        c.line(x, y, x + dx, y + dy, 1, rng.chance(0.5f) ? rgb(236, 204, 110) : rgb(150, 110, 40));
    }
}

static void snow(Canvas& c, Rng& rng) {
    speckle(c, rng, rgb(236, 240, 248), 4);
    for (int i = 0; i < 5; i++) c.ellipse(rng.range(4, 44), rng.range(4, 44), rng.range(4, 8), rng.range(2, 3), rgb(200, 210, 230));
    for (int i = 0; i < 12; i++) c.set(rng.below(48), rng.below(48), rgb(255, 255, 255));
}

static void mosaic(Canvas& c, Rng& rng) {
    for (int y = 0; y < 48; y += 6)
        for (int x = 0; x < 48; x += 6) {
            int d = std::abs(x + 3 - 24) + std::abs(y + 3 - 24);
            Rgba tone = d < 8 ? rgb(228, 186, 64) : ((d / 6) % 2 ? rgb(50, 90, 170) : rgb(232, 232, 224));
            c.rect(x, y, 6, 6, rgb(90, 90, 96));
            for (int j = 0; j < 5; j++)
                for (int i = 0; i < 5; i++) c.set(x + i, y + j, jitter(tone, rng, 5));
        }
}

static void gateway(Canvas& c, Rng& rng) {
    cobbles(c, rng, rgb(110, 104, 96), rgb(46, 42, 40), 8);
    Rgba wall = rgb(176, 172, 160);
    for (int side : {0, 40}) {
        c.rect(side, 0, 8, 48, rgb(64, 62, 58));
        for (int y = 0; y < 48; y += 12) {
            c.rect(side + 1, y + 1, 6, 10, jitter(wall, rng, 8));
            c.rect(side + 1, y + 1, 6, 2, shade(wall, 40));
        }
    }
    for (int x = 10; x < 40; x += 5) c.rect(x, 0, 2, 5, rgb(40, 38, 36));  // the raised portcullis
    c.rect(8, 4, 32, 2, rgb(40, 38, 36));
}

static void cobbleRoad(Canvas& c, Rng& rng) { bricks(c, rng, rgb(204, 172, 112), rgb(120, 100, 70), 8, 6); }

static void footprintSand(Canvas& c, Rng& rng) {
    sand(c, rng, rgb(196, 170, 112), 3);
    for (int i = 0; i < 8; i++) c.set(rng.below(48), rng.below(48), rgb(250, 250, 240));
    for (int k = 0; k < 3; k++) {
        float x = 14 + k * 10, y = 40 - k * 14;
        c.ellipse(x, y, 2, 3, rgb(160, 134, 86));
        c.ellipse(x + 6, y - 6, 2, 3, rgb(160, 134, 86));
    }
}

static void shells(Canvas& c, Rng& rng) {
    sand(c, rng, rgb(236, 220, 170), 7);
    for (int i = 0; i < 4; i++) {
        float x = rng.range(6, 42), y = rng.range(6, 42);
        Rgba shell = i % 2 ? rgb(250, 200, 200) : rgb(250, 250, 240);
        c.triangle(x, y + 3, x - 3, y - 2, x + 3, y - 2, shell);
        c.line(x, y + 3, x, y - 2, 1, shade(shell, -60));
    }
}

static void bridge(Canvas& c, Rng& rng) {
    speckle(c, rng, POND, 5);
    planks(c, rng, rgb(130, 88, 50), 8, true);
    for (int y : {0, 44}) {
        c.rect(0, y, 48, 4, POND);
        c.rect(0, y + (y ? 0 : 1), 48, 3, rgb(70, 44, 22));
        c.rect(0, y + (y ? 0 : 1), 48, 1, rgb(120, 80, 44));
    }
}

static void transpose(Canvas& c) {
    Canvas copy = c;
    for (int y = 0; y < 48; y++)
        for (int x = 0; x < 48; x++) c.set(x, y, copy.get(y, x));
}

void drawGroundTile(int number, Canvas& c, Rng& rng) {
    switch (number) {
    case tile::GRASS: grass(c, rng, GRASS); break;
    case tile::SAND: sand(c, rng, SAND, 4); break;
    case tile::DIRT_PATH: speckle(c, rng, DIRT, 10); pebbles(c, rng, rgb(170, 140, 100), 10, 1.6f); break;
    case tile::TALL_GRASS: tallGrass(c, rng); break;
    case tile::RED_FLOWERS: flowers(c, rng, rgb(230, 50, 50), rgb(250, 220, 60), rgb(255, 250, 200)); break;
    case tile::WOOD_FLOOR: planks(c, rng, rgb(196, 146, 88), 6, false); break;  // lighter than bridges
    case tile::COBBLES: cobbles(c, rng, rgb(150, 144, 136), rgb(70, 66, 62), 12); break;
    case tile::CLOVER:
        grass(c, rng, rgb(104, 170, 70));
        for (int i = 0; i < 8; i++) {
            float x = rng.range(4, 43), y = rng.range(4, 43);
            for (float a : {0.0f, 2.1f, 4.2f}) c.disc(x + std::cos(a) * 1.6f, y + std::sin(a) * 1.6f, 1.5f, rgb(60, 140, 50));
        }
        for (int i = 0; i < 6; i++) c.set(rng.range(2, 45), rng.range(2, 45), rgb(250, 250, 250));
        break;
    case tile::GRAVEL: speckle(c, rng, rgb(150, 144, 130), 12); pebbles(c, rng, rgb(170, 166, 156), 40, 2.2f); break;
    case tile::BRIDGE_ACROSS: bridge(c, rng); break;
    case tile::BRIDGE_DOWN: bridge(c, rng); transpose(c); break;
    case tile::SHELL_SAND: shells(c, rng); break;
    case tile::FARMLAND: farmland(c, rng); seedlings(c, rng); break;
    case tile::WHEAT: wheat(c, rng); break;
    case tile::SHALLOWS: shallowWater(c, rng); break;
    case tile::SWAMP: swamp(c, rng); break;
    case tile::DARK_GRASS: grass(c, rng, DARK_GRASS); break;
    case tile::BLUE_FLOWERS: flowers(c, rng, rgb(80, 120, 240), rgb(250, 250, 250), rgb(250, 210, 60)); break;
    case tile::CARPET: carpet(c, rng); break;
    case tile::CHEQUER_FLOOR: checkerFloor(c, rng); break;
    case tile::STONY_DIRT: speckle(c, rng, shade(DIRT, -10), 10); pebbles(c, rng, rgb(130, 126, 120), 9, 4.5f); break;
    case tile::FOREST_FLOOR: forestFloor(c, rng); break;
    case tile::STEPS: steps(c, rng); break;
    case tile::BRICK_ROAD: cobbleRoad(c, rng); break;
    case tile::DRY_GRASS: grass(c, rng, rgb(176, 164, 82)); break;
    case tile::GATEWAY: gateway(c, rng); break;
    case tile::WET_SAND: footprintSand(c, rng); break;
    case tile::MOSSY_FLOOR: mossFloor(c, rng); break;
    case tile::ASH: ash(c, rng); break;
    case tile::STRAW: straw(c, rng); break;
    case tile::SNOW: snow(c, rng); break;
    case tile::MOSAIC: mosaic(c, rng); break;
    default: break;
    }
}
