#include "world/picture_header.h"

namespace {
// The signature, then the IHDR chunk: its length, its type, the width and the height.
constexpr unsigned char SIGNATURE[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr size_t HEADER_BYTES = 24;

unsigned long bigEndian(const std::string& bytes, size_t at) {
    unsigned long value = 0;
    for (size_t i = at; i < at + 4; ++i) value = value << 8 | static_cast<unsigned char>(bytes[i]);
    return value;
}
}  // namespace

PictureHeader readPictureHeader(const std::string& bytes) {
    PictureHeader header;
    if (bytes.size() > PICTURE_FILE_LIMIT) {
        header.check = PictureCheck::TooLong;
        return header;
    }
    if (bytes.size() < HEADER_BYTES || bytes.compare(0, 8, reinterpret_cast<const char*>(SIGNATURE), 8) != 0 ||
        bytes.compare(12, 4, "IHDR") != 0)
        return header;
    const unsigned long width = bigEndian(bytes, 16), height = bigEndian(bytes, 20);
    const bool fits = width <= MAX_PICTURE_SIDE && height <= MAX_PICTURE_SIDE;
    // A side over 2^31 is no PNG a decoder accepts; it is shown as the largest int.
    header.width = static_cast<int>(width > 0x7fffffffUL ? 0x7fffffffUL : width);
    header.height = static_cast<int>(height > 0x7fffffffUL ? 0x7fffffffUL : height);
    header.check = fits ? PictureCheck::Fine : PictureCheck::TooLarge;
    return header;
}

std::string refusedPictureReason(const PictureHeader& header) {
    if (header.check == PictureCheck::NotPng) return "not a PNG picture";
    if (header.check == PictureCheck::TooLong) return "over " + std::to_string(PICTURE_FILE_LIMIT >> 20) + " MiB";
    const std::string side = std::to_string(MAX_PICTURE_SIDE);
    return std::to_string(header.width) + "x" + std::to_string(header.height) + " pixels, over the " + side + "x" +
           side + " the editor loads";
}
