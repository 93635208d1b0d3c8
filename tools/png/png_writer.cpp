#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <vector>

#include "png_writer.h"

static bool allOpaque(int width, int height, const unsigned char* rgba) {
    for (long i = 0; i < static_cast<long>(width) * height; i++)
        if (rgba[i * 4 + 3] != 255) return false;
    return true;
}

// Pictures without a transparent pixel are stored as RGB: the editor then treats them as opaque
// whether it looks at the pixels or at the surface's alpha mask.
bool writePng(const std::string& path, int width, int height, const unsigned char* rgba, PngPacking packing) {
    if (width <= 0 || height <= 0 || !rgba) return false;
    bool opaque = allOpaque(width, height, rgba);
    int channels = opaque ? 3 : 4;
    std::vector<unsigned char> rows(static_cast<size_t>(width) * height * channels);
    for (long i = 0; i < static_cast<long>(width) * height; i++)
        for (int k = 0; k < channels; k++) rows[i * channels + k] = rgba[i * 4 + k];
    std::vector<png_bytep> rowPointers(height);
    for (int y = 0; y < height; y++) rowPointers[y] = &rows[static_cast<size_t>(y) * width * channels];

    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        // libpng jumps back here on any error while writing.
        png_destroy_write_struct(&png, info ? &info : nullptr);
        std::fclose(file);
        std::remove(path.c_str());
        return false;
    }
    png_init_io(png, file);
    if (packing == PngPacking::Fast) {
        // Level 1 with one filter: a 2800x2800 world picture in a fraction of the default's time.
        png_set_compression_level(png, 1);
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    }
    png_set_IHDR(png, info, width, height, 8, opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGBA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rowPointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fclose(file) != 0) {
        std::remove(path.c_str());
        return false;
    }
    return true;
}
