// The island's ground before anything is built on it: the coast from noise, beaches around it,
// a mountain in the south-east, forests in the north-east and west, meadows elsewhere.
#include <algorithm>
#include <cmath>
#include <vector>

#include "island.h"
#include "noise.h"
#include "rng.h"
#include "tile_names.h"
#include "world/map.h"

namespace {

// 1 at the centre, falling to 0 at radius r.
float bump(int x, int y, float cx, float cy, float r) {
    float d = std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy));
    return std::max(0.0f, 1 - d / r);
}

float distanceToSegment(float x, float y, float x0, float y0, float x1, float y1) {
    float vx = x1 - x0, vy = y1 - y0;
    float t = std::clamp(((x - x0) * vx + (y - y0) * vy) / (vx * vx + vy * vy), 0.0f, 1.0f);
    float dx = x - x0 - t * vx, dy = y - y0 - t * vy;
    return std::sqrt(dx * dx + dy * dy);
}

bool isLand(int x, int y) {
    int edge = std::min({x, y, MAP_SIZE - 1 - x, MAP_SIZE - 1 - y});
    if (edge < 4) return false;
    // Between a square and a circle, with a coast pushed in and out by noise.
    float cx = x - 175.0f, cy = y - 175.0f;
    float shape = 0.6f * std::max(std::fabs(cx), std::fabs(cy)) + 0.4f * std::sqrt(cx * cx + cy * cy);
    float radius = 150 + 120 * (fractalNoise(x / 55.0f, y / 55.0f, 11) - 0.5f);
    // A headland reaches into the view the editor opens on.
    float spit = distanceToSegment(x, y, 11, 9, 60, 58);
    radius += 70 * std::exp(-spit * spit / (2 * 9.0f * 9.0f));
    return shape < radius;
}

// Steps (four-way) from each cell to the nearest cell of the other kind, up to limit.
std::vector<int> distanceAcross(const std::vector<char>& land, int limit) {
    std::vector<int> dist(MAP_SIZE * MAP_SIZE, limit + 1);
    std::vector<int> frontier;
    for (int i = 0; i < MAP_SIZE * MAP_SIZE; i++) {
        int x = i % MAP_SIZE, y = i / MAP_SIZE;
        for (int k = 0; k < 4; k++) {
            int nx = x + (k == 0) - (k == 1), ny = y + (k == 2) - (k == 3);
            if (nx < 0 || ny < 0 || nx >= MAP_SIZE || ny >= MAP_SIZE) continue;
            if (land[ny * MAP_SIZE + nx] != land[i]) {
                dist[i] = 1;
                frontier.push_back(i);
                break;
            }
        }
    }
    for (int step = 2; step <= limit; step++) {
        std::vector<int> next;
        for (int i : frontier) {
            int x = i % MAP_SIZE, y = i / MAP_SIZE;
            for (int k = 0; k < 4; k++) {
                int nx = x + (k == 0) - (k == 1), ny = y + (k == 2) - (k == 3);
                if (nx < 0 || ny < 0 || nx >= MAP_SIZE || ny >= MAP_SIZE) continue;
                int j = ny * MAP_SIZE + nx;
                if (land[j] == land[i] && dist[j] > step) {
                    dist[j] = step;
                    next.push_back(j);
                }
            }
        }
        frontier.swap(next);
    }
    return dist;
}

// Water that the open sea does not reach is a lake.
std::vector<char> openSea(const std::vector<char>& land) {
    std::vector<char> sea(MAP_SIZE * MAP_SIZE, 0);
    std::vector<int> stack = {0};
    sea[0] = 1;
    while (!stack.empty()) {
        int i = stack.back();
        stack.pop_back();
        int x = i % MAP_SIZE, y = i / MAP_SIZE;
        for (int k = 0; k < 4; k++) {
            int nx = x + (k == 0) - (k == 1), ny = y + (k == 2) - (k == 3);
            if (nx < 0 || ny < 0 || nx >= MAP_SIZE || ny >= MAP_SIZE) continue;
            int j = ny * MAP_SIZE + nx;
            if (!land[j] && !sea[j]) {
                sea[j] = 1;
                stack.push_back(j);
            }
        }
    }
    return sea;
}

int seaTile(int x, int y, int toLand) {
    if (toLand == 1) return tile::SHALLOWS;
    if (toLand == 2 && valueNoise(x / 6.0f, y / 6.0f, 17) > 0.5f) return tile::SHALLOWS;
    return tile::SEA;
}

int beachTile(int toSea, Rng& rng) {
    if (toSea == 1) return rng.chance(0.85f) ? tile::WET_SAND : tile::SAND;
    if (rng.chance(0.05f)) return tile::PALM;
    return rng.chance(0.04f) ? tile::SHELL_SAND : tile::SAND;
}

int inlandTile(int x, int y, Rng& rng) {
    float hill = std::max(bump(x, y, 262, 262, 55), bump(x, y, 292, 238, 34)) *
                 (0.75f + 0.5f * fractalNoise(x / 14.0f, y / 14.0f, 61));
    if (hill > 0.82f) return tile::SNOW;
    if (hill > 0.6f) return tile::CLIFF;
    if (hill > 0.42f) {
        if (rng.chance(0.12f)) return tile::BOULDER;
        float n = valueNoise(x / 5.0f, y / 5.0f, 71);
        return n < 0.4f ? tile::STONY_DIRT : n < 0.65f ? tile::GRAVEL : tile::DRY_GRASS;
    }
    // Forests in the north-east and the west; the castle and village grounds stay open.
    float forest = fractalNoise(x / 35.0f, y / 35.0f, 31) + 0.3f * bump(x, y, 262, 92, 70) +
                   0.3f * bump(x, y, 70, 205, 50) - 0.35f * bump(x, y, 175, 166, 75) - 0.35f * bump(x, y, 82, 86, 40);
    if (forest > 0.64f) {
        float r = rng.unit();
        bool pines = valueNoise(x / 20.0f, y / 20.0f, 81) + (y < 140 ? 0.25f : -0.1f) > 0.55f;
        if (r < 0.42f) return pines ? tile::PINE : tile::TREE;
        if (r < 0.48f) return tile::BUSH;
        return valueNoise(x / 4.0f, y / 4.0f, 91) > 0.5f ? tile::FOREST_FLOOR : tile::DARK_GRASS;
    }
    if (forest > 0.58f) {
        if (rng.chance(0.12f)) return tile::TREE;
        return rng.chance(0.6f) ? tile::DARK_GRASS : tile::GRASS;
    }
    float dry = fractalNoise(x / 50.0f, y / 50.0f, 41) + 0.3f * bump(x, y, 95, 262, 60);
    if (dry > 0.66f) {
        if (rng.chance(0.01f)) return tile::BOULDER;
        return rng.chance(0.9f) ? tile::DRY_GRASS : tile::GRASS;
    }
    if (fractalNoise(x / 12.0f, y / 12.0f, 51) > 0.64f) return tile::TALL_GRASS;
    float r = rng.unit();
    if (r < 0.012f) return tile::RED_FLOWERS;
    if (r < 0.022f) return tile::BLUE_FLOWERS;
    if (r < 0.036f) return tile::CLOVER;
    if (r < 0.044f) return tile::TREE;
    if (r < 0.048f) return tile::BUSH;
    if (r < 0.050f) return tile::BOULDER;
    return tile::GRASS;
}

}  // namespace

void buildTerrain(Map& map) {
    std::vector<char> land(MAP_SIZE * MAP_SIZE);
    for (int y = 0; y < MAP_SIZE; y++)
        for (int x = 0; x < MAP_SIZE; x++) land[y * MAP_SIZE + x] = isLand(x, y);
    std::vector<int> across = distanceAcross(land, 6);
    std::vector<char> sea = openSea(land);
    Rng rng(2024);
    for (int y = 0; y < MAP_SIZE; y++)
        for (int x = 0; x < MAP_SIZE; x++) {
            int i = y * MAP_SIZE + x;
            float beachWidth = 2 + 3 * valueNoise(x / 20.0f, y / 20.0f, 21);
            int t;
            if (!land[i]) t = sea[i] ? seaTile(x, y, across[i]) : tile::POND;
            else if (across[i] <= beachWidth) t = beachTile(across[i], rng);
            else t = inlandTile(x, y, rng);
            map.setTileAt(x, y, t);
        }
}
