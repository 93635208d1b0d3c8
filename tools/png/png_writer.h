#pragma once
// PNG output through libpng, shared by the tools that write pictures (worldgen's art,
// worldrender's and worlddiff's world pictures).
#include <string>

// How hard zlib works: the art is small and kept, so it is packed tight; a world picture
// is large and written on every run, so speed matters more than a few percent of size.
enum class PngPacking { Small, Fast };

// Encodes rows of RGBA bytes (width*height*4) as PNG into bytes; false with why (libpng's own
// words, one line) when it cannot. Pictures without a transparent pixel are stored as RGB.
bool encodePng(int width, int height, const unsigned char* rgba, PngPacking packing, std::string& bytes,
               std::string& why);
// Writes the picture to path as the editor's saves write files: a new temporary beside it,
// then a rename, so a failure leaves whatever was at path as it was, and nothing at path is
// ever opened. "" when written, else why not, in one line.
std::string writePng(const std::string& path, int width, int height, const unsigned char* rgba,
                     PngPacking packing = PngPacking::Small);
