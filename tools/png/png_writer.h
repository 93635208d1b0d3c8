#pragma once
// PNG output through libpng, shared by the tools that write pictures (worldgen's art,
// worldrender's and worlddiff's world pictures).
#include <string>

// How hard zlib works: the art is small and kept, so it is packed tight; a world picture
// is large and written on every run, so speed matters more than a few percent of size.
enum class PngPacking { Small, Fast };

// Writes PNG from rows of RGBA bytes (width*height*4); false on failure, with no file left.
// Pictures without a transparent pixel are stored as RGB.
bool writePng(const std::string& path, int width, int height, const unsigned char* rgba,
              PngPacking packing = PngPacking::Small);
