#pragma once
// Where a world's files live, relative to its working directory, and how the art is numbered.
#include <string>

extern const char* const DATA_DIR;   // "data"
extern const char* const FONT_FILE;  // "edfont.ttf", beside the data directory

constexpr int SPRITE_SETS = 9;
constexpr int SPRITE_DIRECTIONS = 4;
constexpr int SPRITE_FRAMES = 3;
constexpr int ICON_COUNT = 29;
constexpr int ART_SIZE = 48;  // tiles, sprites and item pictures are drawn on the 48-pixel grid

// <dir>/map.dat, where dir is the data directory.
std::string mapFilePath(const std::string& dir);

// data/assets/sprites/<set>/<direction>-<frame>.png and the numbered images.
std::string spritePath(int set, int direction, int frame);
std::string itemPicturePath(int picture);
std::string iconPath(int icon);
std::string tileImagePath(int tile);
