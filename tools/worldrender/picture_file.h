#pragma once
// What worldrender and worlddiff share: reading a world from the command line, the picture
// options, and writing a world's picture as PNG.
#include <functional>
#include <string>

#include "render/world_picture.h"

// Why a world directory cannot be read ("no such directory: x"), or "" when it can; on
// success the world holds it as the editor would load it.
std::string readWorldAt(const std::string& root, WorldRecords& world);

// "8" for --scale (1..48) and "X,Y,W,H" for --region (within the map); false when not.
bool parseScale(const char* text, int& scale);
bool parseBlock(const char* text, CellBlock& block);

// Draws the world, whose art lies under root, lets mark draw over the picture, and writes
// it to out. Empty on success, else why not (one line).
using Marker = std::function<void(const WorldPainter&, Picture&)>;
std::string writeWorldPicture(const std::string& root, const WorldRecords& world, int scale, const CellBlock& block,
                              const Marker& mark, const std::string& out);
