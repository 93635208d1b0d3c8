#pragma once
// The pieces of the art set, each drawn on its own and written under data/assets.
#include <string>

#include "canvas.h"
#include "world/map.h"
#include "world/world_paths.h"

constexpr int TILE_COUNT = LAST_TILE + 1;
constexpr int ITEM_PICTURES = 12;

Canvas drawTile(int tile);
Canvas drawSprite(int set, int direction, int frame);
Canvas drawIcon(int icon);
Canvas drawItemPicture(int picture);

// Each writes its numbered files at the editor's paths under root; false after the first failure.
bool writeTiles(const std::string& root);
bool writeSprites(const std::string& root);
bool writeIcons(const std::string& root);
bool writeItemPictures(const std::string& root);
