#pragma once
// The pieces of the art set, each drawn on its own and written under data/assets.
#include <string>

#include "canvas.h"

constexpr int TILE_COUNT = 47;
constexpr int SPRITE_SETS = 9;
constexpr int SPRITE_DIRECTIONS = 4;
constexpr int SPRITE_FRAMES = 3;
constexpr int ICON_COUNT = 29;
constexpr int ITEM_PICTURES = 12;
constexpr int ART_SIZE = 48;

Canvas drawTile(int tile);
Canvas drawSprite(int set, int direction, int frame);
Canvas drawIcon(int icon);
Canvas drawItemPicture(int picture);

// Each writes its numbered files into dir (created when missing); false after the first failure.
bool writeTiles(const std::string& dir);
bool writeSprites(const std::string& dir);
bool writeIcons(const std::string& dir);
bool writeItemPictures(const std::string& dir);
