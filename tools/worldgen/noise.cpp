#include "noise.h"

#include <cmath>

float latticeValue(int x, int y, uint32_t seed) {
    uint32_t h = seed;
    h ^= static_cast<uint32_t>(x) * 374761393u;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<uint32_t>(y) * 668265263u;
    h = (h ^ (h >> 15)) * 2246822519u;
    h = (h ^ (h >> 13)) * 3266489917u;
    h ^= h >> 16;
    return (h >> 8) * (1.0f / 16777216.0f);
}

float valueNoise(float x, float y, uint32_t seed) {
    float fx = std::floor(x), fy = std::floor(y);
    int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    float tx = x - fx, ty = y - fy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    float top = latticeValue(ix, iy, seed) + (latticeValue(ix + 1, iy, seed) - latticeValue(ix, iy, seed)) * tx;
    float bottom = latticeValue(ix, iy + 1, seed) + (latticeValue(ix + 1, iy + 1, seed) - latticeValue(ix, iy + 1, seed)) * tx;
    return top + (bottom - top) * ty;
}

float fractalNoise(float x, float y, uint32_t seed) {
    float sum = 0, amplitude = 0.5f, total = 0;
    for (int octave = 0; octave < 4; octave++) {
        sum += valueNoise(x, y, seed + octave * 1013u) * amplitude;
        total += amplitude;
        x *= 2;
        y *= 2;
        amplitude *= 0.5f;
    }
    return sum / total;
}
