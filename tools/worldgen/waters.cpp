// Fresh water: a river from the mountain's western foot to the south coast, with a swamp along
// its upper course, and a lake in the north-east.
#include <cmath>

#include "island.h"
#include "noise.h"
#include "paint.h"

static void riverDisc(Map& map, float cx, float cy, float r) {
    for (int y = static_cast<int>(cy - r) - 1; y <= static_cast<int>(cy + r) + 1; y++)
        for (int x = static_cast<int>(cx - r) - 1; x <= static_cast<int>(cx + r) + 1; x++) {
            float dx = x - cx, dy = y - cy;
            if (dx * dx + dy * dy > r * r) continue;
            int t = map.getTileAt(x, y);
            if (t != tile::SEA && t != tile::SHALLOWS) map.setTileAt(x, y, tile::POND);
        }
}

static void river(Map& map) {
    const float points[][2] = {{228, 256}, {206, 270}, {182, 290}, {158, 304}, {138, 320}, {124, 346}};
    const int count = sizeof(points) / sizeof(points[0]);
    float travelled = 0;
    for (int i = 0; i + 1 < count; i++) {
        float x0 = points[i][0], y0 = points[i][1], x1 = points[i + 1][0], y1 = points[i + 1][1];
        float length = std::hypot(x1 - x0, y1 - y0);
        for (float s = 0; s <= length; s += 0.25f) {
            float t = s / length, along = travelled + s;
            // Meanders that die out at the control points, so the pieces join.
            float sway = (valueNoise(along / 9.0f, 0.5f, 301) - 0.5f) * 10 * std::sin(t * 3.14159f);
            float x = x0 + (x1 - x0) * t - (y1 - y0) / length * sway;
            float y = y0 + (y1 - y0) * t + (x1 - x0) / length * sway;
            riverDisc(map, x, y, 0.9f + along / 120.0f);  // widening towards the sea
        }
        travelled += length;
    }
}

// Marshy ground where the river leaves the hills.
static void swamp(Map& map) {
    const float cx = 208, cy = 274;
    for (int y = static_cast<int>(cy) - 16; y <= static_cast<int>(cy) + 16; y++)
        for (int x = static_cast<int>(cx) - 16; x <= static_cast<int>(cx) + 16; x++) {
            float d = std::hypot(x - cx, y - cy);
            int t = map.getTileAt(x, y);
            if (d > 16 || isWaterTile(t) || t == tile::SAND || t == tile::WET_SAND) continue;
            float n = fractalNoise(x / 7.0f, y / 7.0f, 311);
            if (n > 0.3f + d / 30) map.setTileAt(x, y, n > 0.62f && d < 9 ? tile::POND : tile::SWAMP);
        }
}

static void lake(Map& map) {
    const float cx = 212, cy = 108;
    for (int y = 90; y < 126; y++)
        for (int x = 194; x < 230; x++) {
            float a = std::atan2(y - cy, x - cx);
            float r = 8 + 4 * valueNoise(a * 1.5f + 4, 0.5f, 321);
            float d = std::hypot(x - cx, y - cy);
            if (d < r) map.setTileAt(x, y, tile::POND);
            else if (d < r + 1.2f) map.setTileAt(x, y, tile::SAND);
            else if (d < r + 2.5f && valueNoise(x / 2.0f, y / 2.0f, 331) > 0.55f) map.setTileAt(x, y, tile::TALL_GRASS);
        }
}

void buildWaters(Map& map) {
    river(map);
    swamp(map);
    lake(map);
}
