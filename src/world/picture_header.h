#pragma once
// A picture's size, read from its PNG header before anything decodes it: a few hundred bytes
// of PNG can claim 12000x12000 pixels and take a gigabyte to decode. The art is PNG; anything
// else is not decoded either.
#include <string>

constexpr int MAX_PICTURE_SIDE = 1024;  // well above any real art; 1024x1024 itself is fine
// Far more than a PNG of that size needs; a picture file is never read beyond it.
constexpr size_t PICTURE_FILE_LIMIT = 32u << 20;

enum class PictureCheck { Fine, NotPng, TooLarge, TooLong };

struct PictureHeader {
    PictureCheck check = PictureCheck::NotPng;
    int width = 0, height = 0;  // when it is a PNG
};

// What a picture file's first bytes say (the file read up to PICTURE_FILE_LIMIT + 1 bytes).
PictureHeader readPictureHeader(const std::string& bytes);
// Why a picture the header refuses is not decoded: "12000x12000 pixels, over the 1024x1024
// the editor loads", "not a PNG picture" or "over 32 MiB".
std::string refusedPictureReason(const PictureHeader& header);
