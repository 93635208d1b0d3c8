// The 47 tile pictures; tile_names.h says what each number shows.
#include <string>

#include "art.h"
#include "files.h"
#include "textures.h"
#include "world/map.h"

Canvas drawTile(int tile) {
    Canvas c(ART_SIZE, ART_SIZE);
    Rng rng(1000 + static_cast<uint32_t>(tile));
    if (isSolidTile(tile)) drawObstacleTile(tile, c, rng);
    else drawGroundTile(tile, c, rng);
    c.makeOpaque();  // the editor keeps tiles without an alpha channel
    return c;
}

bool writeTiles(const std::string& root) {
    for (int tile = 0; tile < TILE_COUNT; tile++)
        if (!drawTile(tile).save(root + "/" + tileImagePath(tile))) return false;
    return true;
}
