// worldgen <root>: writes the default world (art, map, sample NPCs and items, font) under root.
#include <cstdio>
#include <cstring>

#include "art.h"
#include "definitions.h"
#include "world/map.h"
#include "worldgen.h"

static const char* const USAGE =
    "usage: worldgen <root>\n"
    "Writes the default world under <root>, creating it when missing:\n"
    "  data/assets/tiles/0..46.png, data/assets/sprites/<set>/<direction>-<frame>.png,\n"
    "  data/assets/icns/0..28.png, data/assets/items/<n>.png, data/map.dat,\n"
    "  data/npcdef/<n>.def, data/idef/<n>.def and edfont.ttf (a copy of %s).\n"
    "Files of those names are replaced; the output is the same on every run.\n";

int main(int argc, char** argv) {
    if (argc == 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
        std::printf(USAGE, DEFAULT_FONT_PATH);
        return 0;
    }
    if (argc != 2 || argv[1][0] == '\0' || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: worldgen <root> (worldgen --help for details)\n");
        return 1;
    }
    if (!generateWorld(argv[1])) return 1;  // generateWorld has said what went wrong
    std::printf("worldgen: wrote %d tiles, %d sprite sets, %d icons, %d item pictures, the %dx%d map, %d NPCs and %d items under %s\n",
                TILE_COUNT, SPRITE_SETS, ICON_COUNT, ITEM_PICTURES, MAP_SIZE, MAP_SIZE, sampleNpcCount(), sampleItemCount(),
                argv[1]);
    return 0;
}
