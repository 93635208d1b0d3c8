#pragma once
// Generates the default world: art, map, sample NPCs and items, and the font.
#include <string>

#include "png_writer.h"

// The font the editor is shipped with, copied as edfont.ttf.
extern const char* const DEFAULT_FONT_PATH;


// Writes data/assets/... under root (tiles 0..46, sprites, icons 0..28, item pictures).
bool generateArt(const std::string& root);
// Writes data/map.dat under root: the default island, the same bytes every time.
bool generateMap(const std::string& root);
// Writes data/npcdef/<n>.def and data/idef/<n>.def under root.
bool generateDefinitions(const std::string& root);
// Copies the font to root/edfont.ttf.
bool copyFont(const std::string& root);
// All of the above; false (with a message on standard error) on the first failure.
bool generateWorld(const std::string& root);
