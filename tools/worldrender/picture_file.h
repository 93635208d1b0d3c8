#pragma once
// What worldrender and worlddiff share: the picture options, and writing a world's picture as PNG.
#include <functional>
#include <string>

#include "render/world_picture.h"

// The picture options both tools take: --scale N (1..48) and --region X,Y,W,H (within the map).
struct PictureOptions {
    int scale = DEFAULT_PICTURE_SCALE;
    CellBlock block;
};
// Takes the picture option at argv[i] with its value (moving i past it): 1 when taken, 0 when
// argv[i] is no picture option, -1 with why set when its value is missing or wrong.
int takePictureOption(const char* tool, int argc, char** argv, int& i, PictureOptions& options, std::string& why);

// Why a picture cannot be written to out (one line), or "": an output that is there and is not
// a regular file or a link to one is refused before any work, and never opened (a named pipe
// would hang the writer for ever).
std::string checkPictureOutput(const std::string& out);

// Draws the world, whose art lies under root, lets mark draw over the picture, and writes
// it to out. Empty on success, else why not (one line).
using Marker = std::function<void(const WorldPainter&, Picture&)>;
std::string writeWorldPicture(const std::string& root, const World& world, int scale, const CellBlock& block,
                              const Marker& mark, const std::string& out);
