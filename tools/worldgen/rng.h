#pragma once
// A small xorshift generator: the art and the map come out the same on every run.
#include <cstdint>

class Rng {
public:
    explicit Rng(uint32_t seed) : state(seed * 2654435761u + 0x6d2b79f5u) {
        if (state == 0) state = 1;
        for (int i = 0; i < 4; i++) next();  // spread nearby seeds apart
    }
    uint32_t next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    int below(int n) { return n > 0 ? static_cast<int>(next() % static_cast<uint32_t>(n)) : 0; }
    int range(int lo, int hi) { return lo + below(hi - lo + 1); }  // lo..hi inclusive
    float unit() { return (next() >> 8) * (1.0f / 16777216.0f); }  // [0, 1)
    bool chance(float p) { return unit() < p; }

private:
    uint32_t state;
};
