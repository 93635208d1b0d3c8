#include "textures.h"

void speckle(Canvas& c, Rng& rng, Rgba base, int spread) {
    for (int y = 0; y < c.height; y++)
        for (int x = 0; x < c.width; x++) c.set(x, y, jitter(base, rng, spread));
}

void grass(Canvas& c, Rng& rng, Rgba base) {
    speckle(c, rng, base, 7);
    for (int i = 0; i < 70; i++) {
        int x = rng.below(c.width), y = rng.below(c.height), len = rng.range(2, 3);
        Rgba blade = shade(base, rng.chance(0.5f) ? rng.range(18, 30) : -rng.range(18, 30));
        for (int k = 0; k < len; k++) c.set(x, y - k, blade);
    }
}

void bricks(Canvas& c, Rng& rng, Rgba brick, Rgba mortar, int w, int h) {
    c.fill(mortar);
    for (int row = 0; row * h < c.height; row++) {
        int offset = (row % 2) ? w / 2 : 0;
        for (int x = -offset; x < c.width; x += w) {
            Rgba tone = jitter(brick, rng, 12);
            int top = row * h;
            for (int j = 1; j < h; j++)
                for (int i = 1; i < w; i++) c.set(x + i, top + j, jitter(tone, rng, 5));
            c.rect(x + 1, top + 1, w - 1, 1, shade(tone, 28));
            c.rect(x + 1, top + h - 1, w - 1, 1, shade(tone, -30));
            c.rect(x + w - 1, top + 1, 1, h - 1, shade(tone, -18));
        }
    }
}

void planks(Canvas& c, Rng& rng, Rgba wood, int boardWidth, bool vertical) {
    for (int b = 0; b * boardWidth < c.width; b++) {
        Rgba tone = jitter(wood, rng, 12);
        int seamAt = rng.range(6, 42);
        for (int a = b * boardWidth; a < (b + 1) * boardWidth; a++)
            for (int along = 0; along < 48; along++) {
                Rgba p = jitter(tone, rng, 4);
                int across = a - b * boardWidth;
                if (across == 0) p = shade(tone, -55);
                else if (across == 1) p = shade(tone, 18);
                else if (along == seamAt) p = shade(tone, -45);
                else if ((along * 3 + across * 7 + b) % 11 == 0) p = shade(tone, -14);  // grain
                if (vertical) c.set(a, along, p);
                else c.set(along, a, p);
            }
        for (int n : {seamAt - 3, seamAt + 3}) {
            int across = b * boardWidth + boardWidth / 2;
            if (vertical) c.set(across, n, shade(tone, -70));
            else c.set(n, across, shade(tone, -70));
        }
    }
}

void cobbles(Canvas& c, Rng& rng, Rgba stone, Rgba bed, int size) {
    speckle(c, rng, bed, 6);
    for (int row = 0; row * size < c.height + size; row++)
        for (int col = -1; col * size < c.width + size; col++) {
            float cx = col * size + size / 2.0f + ((row % 2) ? size / 2.0f : 0) + rng.range(-1, 1);
            float cy = row * size + size / 2.0f + rng.range(-1, 1);
            float rx = size / 2.0f - 1 + rng.unit(), ry = size / 2.0f - 1.5f + rng.unit();
            Rgba tone = jitter(stone, rng, 14);
            c.ellipse(cx, cy, rx, ry, shade(tone, -22));
            c.ellipse(cx - 0.5f, cy - 0.8f, rx - 1, ry - 1, tone);
            c.ellipse(cx - rx / 3, cy - ry / 3, rx / 3, ry / 4, shade(tone, 24));
        }
}

void waves(Canvas& c, Rng& rng, Rgba crest, int count) {
    for (int i = 0; i < count; i++) {
        int x = rng.range(-2, c.width - 4), y = rng.range(2, c.height - 2), len = rng.range(4, 8);
        for (int k = 0; k < len; k++) {
            int lift = (k == 0 || k == len - 1) ? 1 : 0;  // a flat arc
            c.set(x + k, y + lift, crest);
        }
    }
}

void shadow(Canvas& c, float cx, float cy, float rx, float ry) {
    for (int y = 0; y < c.height; y++)
        for (int x = 0; x < c.width; x++) {
            float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
            if (dx * dx + dy * dy <= 1.0f) c.set(x, y, shade(c.get(x, y), -34));
        }
}

void pebbles(Canvas& c, Rng& rng, Rgba stone, int count, int maxSize) {
    for (int i = 0; i < count; i++) {
        float x = rng.range(1, c.width - 2), y = rng.range(1, c.height - 2);
        float r = 0.8f + rng.unit() * (maxSize - 0.8f);
        Rgba tone = jitter(stone, rng, 18);
        c.disc(x, y + 0.6f, r, shade(tone, -40));
        c.disc(x, y, r, tone);
        if (r > 1.5f) c.set(static_cast<int>(x - r / 3), static_cast<int>(y - r / 3), shade(tone, 35));
    }
}
