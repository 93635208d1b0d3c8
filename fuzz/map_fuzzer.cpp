// The map file reader on arbitrary bytes: every cell ends up a tile the file can hold
// (0..62), and the grid written back reads back as the same grid.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "world/map.h"

static Map parsed, reread;  // 490 KB each: kept off the stack

// The "negative tile" lines would be all of the target's time (122,500 of them for a short
// input): without them it runs thousands of inputs a second instead of under a hundred.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Map::reportNegativeTiles = false;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    parsed.parse(reinterpret_cast<const char*>(data), size);
    for (int y = 0; y < MAP_SIZE; ++y)
        for (int x = 0; x < MAP_SIZE; ++x)
            if (parsed.tiles[y][x] < 0 || parsed.tiles[y][x] > 62) abort();
    std::string bytes = parsed.serialize();
    if (bytes.size() != static_cast<size_t>(MAP_SIZE) * (MAP_SIZE + 1)) abort();
    reread.parse(bytes.data(), bytes.size());
    if (memcmp(parsed.tiles, reread.tiles, sizeof parsed.tiles) != 0) abort();
    return 0;
}
