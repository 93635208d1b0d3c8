#include "world/world_paths.h"

const char* const DATA_DIR = "data";
const char* const FONT_FILE = "edfont.ttf";

static std::string assetPath(const char* kind, const std::string& name) {
    return std::string(DATA_DIR) + "/assets/" + kind + "/" + name + ".png";
}

std::string mapFilePath(const std::string& dir) { return dir + "/map.dat"; }

std::string spritePath(int set, int direction, int frame) {
    return assetPath("sprites", std::to_string(set) + "/" + std::to_string(direction) + "-" + std::to_string(frame));
}
std::string itemPicturePath(int picture) { return assetPath("items", std::to_string(picture)); }
std::string iconPath(int icon) { return assetPath("icns", std::to_string(icon)); }
std::string tileImagePath(int tile) { return assetPath("tiles", std::to_string(tile)); }
