// A picture's size from its PNG header, read before anything decodes it.
#include <gtest/gtest.h>

#include "test_support.h"
#include "world/picture_header.h"

TEST(PictureHeader, OnlyPngPicturesOfAtMost1024PixelsASideAreDecoded) {
    const struct {
        std::string bytes;
        PictureCheck check;
        std::string reason;
    } cases[] = {
        {pngHeader(1024, 1024), PictureCheck::Fine, ""},
        {pngHeader(1, 1) + std::string(1000, 'x'), PictureCheck::Fine, ""},
        {pngHeader(1025, 1), PictureCheck::TooLarge, "1025x1 pixels, over the 1024x1024 the editor loads"},
        {pngHeader(1, 1025), PictureCheck::TooLarge, "1x1025 pixels, over the 1024x1024 the editor loads"},
        {pngHeader(12000, 12000), PictureCheck::TooLarge, "12000x12000 pixels, over the 1024x1024 the editor loads"},
        {pngHeader(0xffffffffu, 2), PictureCheck::TooLarge, "2147483647x2 pixels, over the 1024x1024 the editor loads"},
        {pngHeader(8, 8).substr(0, 23), PictureCheck::NotPng, "not a PNG picture"},
        {"GIF89a" + pngHeader(8, 8), PictureCheck::NotPng, "not a PNG picture"},
        {pngHeader(8, 8) + std::string(PICTURE_FILE_LIMIT, '\0'), PictureCheck::TooLong, "over 32 MiB"},
    };
    for (const auto& c : cases) {
        const PictureHeader header = readPictureHeader(c.bytes);
        EXPECT_EQ(header.check, c.check) << c.reason;
        if (c.check != PictureCheck::Fine) {
            EXPECT_EQ(refusedPictureReason(header), c.reason);
        }
    }
}
