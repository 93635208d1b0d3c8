#include <cstdio>

#include "art.h"
#include "files.h"
#include "world/safe_file.h"
#include "worldgen.h"

// The build passes the font's path in WORLDGEN_FONT (the DEFAULT_FONT cache variable).
const char* const DEFAULT_FONT_PATH = WORLDGEN_FONT;

bool generateArt(const std::string& root) {
    return writeTiles(root) && writeSprites(root) && writeIcons(root) && writeItemPictures(root);
}

bool copyFont(const std::string& root) {
    std::string bytes;
    if (!readWholeFile(DEFAULT_FONT_PATH, bytes) || bytes.empty()) {
        std::fprintf(stderr, "worldgen: could not read the font %s\n", DEFAULT_FONT_PATH);
        return false;
    }
    return writeBytes(root + "/" + FONT_FILE, bytes);
}

bool generateWorld(const std::string& root) {
    return makeDirectory(root) && generateArt(root) && generateMap(root) && generateDefinitions(root) && copyFont(root);
}
