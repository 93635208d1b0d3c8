// Scrolling, the minimap jump, painting, filling, saving, the screenshot and quitting, in the
// real window.
#include <SDL.h>
#include <SDL_image.h>

#include <string>

#include "editor_window_test.h"

namespace {

constexpr int ROW_BYTES = 351;  // 350 characters and a line feed

// Components of a pixel as a 16-bit (5-6-5) display holds them.
struct Rgb565 {
    int r, g, b;
    bool operator==(const Rgb565& other) const { return r == other.r && g == other.g && b == other.b; }
};

Rgb565 pixelAt(SDL_Surface* surface, int x, int y, bool* opaque = nullptr) {
    const int bytes = surface->format->BytesPerPixel;
    const Uint8* p = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + x * bytes;
    Uint32 value = 0;
    switch (bytes) {
    case 1: value = *p; break;
    case 2: value = *reinterpret_cast<const Uint16*>(p); break;
    case 3: value = SDL_BYTEORDER == SDL_LIL_ENDIAN ? p[0] | p[1] << 8 | p[2] << 16 : p[0] << 16 | p[1] << 8 | p[2]; break;
    default: value = *reinterpret_cast<const Uint32*>(p); break;
    }
    Uint8 r, g, b, a;
    SDL_GetRGBA(value, surface->format, &r, &g, &b, &a);
    if (opaque) *opaque = a == 255;
    return {r >> 3, g >> 2, b >> 3};
}

// How many opaque pixels of the image differ from the screenshot's area at (left, top).
int differingPixels(SDL_Surface* shot, int left, int top, SDL_Surface* image) {
    int differing = 0;
    for (int y = 0; y < image->h; ++y) {
        for (int x = 0; x < image->w; ++x) {
            bool opaque = true;
            Rgb565 expected = pixelAt(image, x, y, &opaque);
            if (opaque && !(pixelAt(shot, left + x, top + y) == expected)) ++differing;
        }
    }
    return differing;
}

// SDL writes the BMP header's file size last: the file is complete once it matches.
bool bmpComplete(const std::string& path) {
    std::string bytes = readFile(path);
    if (bytes.size() < 6) return false;
    const unsigned char* size = reinterpret_cast<const unsigned char*>(bytes.data() + 2);
    const size_t declared = size[0] | size[1] << 8 | size[2] << 16 | static_cast<size_t>(size[3]) << 24;
    return declared != 0 && declared == bytes.size();
}

}  // namespace

TEST_F(EditorWindowTest, CaptionFollowsScrollingAndTheMinimapJumpAndEscapeExitsWithStatusOne) {
    ASSERT_NO_FATAL_FAILURE(launch());

    ASSERT_NO_FATAL_FAILURE(holdUntilCaptionChanges({"Right"}));
    ASSERT_NO_FATAL_FAILURE(settleCaption());
    EXPECT_GE(scrollX, 1);
    EXPECT_EQ(scrollY, 0);

    // The minimap lies at the window's corner with one pixel per cell.
    ASSERT_NO_FATAL_FAILURE(click(1, 100, 60));
    ASSERT_NO_FATAL_FAILURE(waitForCaption("x=100 y=60"));
    ASSERT_NO_FATAL_FAILURE(waitForOutput("jump to -> 100,60\n"));

    ASSERT_NO_FATAL_FAILURE(keyDown({"Escape"}));
    ASSERT_NO_FATAL_FAILURE(expectExit(1));
    EXPECT_EQ(editor.out().find("Written. closing"), std::string::npos) << "Escape must not save";
}

TEST_F(EditorWindowTest, PaintAndFillAreSavedExactlyShownInTheScreenshotAndClosingExitsWithStatusOne) {
    const std::string original = readFile(data("map.dat"));
    ASSERT_EQ(original.size(), static_cast<size_t>(350 * ROW_BYTES));
    ASSERT_NO_FATAL_FAILURE(launch());
    ASSERT_NO_FATAL_FAILURE(nextTile());
    ASSERT_NE(tile, 0);
    const char painted = static_cast<char>('A' + tile);

    // A cell in window row 10, clear of the minimap and of the current-tile display, whose
    // tile is not the one painted.
    const int row = 10;
    int column = -1;
    for (int c = 8; c <= 15 && column < 0; ++c)
        if (original[(row + scrollY) * ROW_BYTES + c + scrollX] != painted) column = c;
    ASSERT_GE(column, 0) << "every candidate cell already holds tile " << tile;
    const int cellX = column + scrollX, cellY = row + scrollY;
    const int formerTile = original[cellY * ROW_BYTES + cellX] - 'A';

    ASSERT_NO_FATAL_FAILURE(click(1, column * 48 + 24, row * 48 + 24));
    ASSERT_NO_FATAL_FAILURE(waitForOutput("\n" + std::to_string(cellX) + "," + std::to_string(cellY) + "\n"));

    // The screenshot is the frame as drawn: 800x600, the cell showing the painted tile.
    ASSERT_NO_FATAL_FAILURE(pressOnce({}));
    ASSERT_TRUE(waitUntil([&] { return bmpComplete(screenshotPath()); })) << "sshot.bmp was never complete";
    SDL_Surface* shot = SDL_LoadBMP(screenshotPath().c_str());
    ASSERT_NE(shot, nullptr) << SDL_GetError();
    EXPECT_EQ(shot->w, 800);
    EXPECT_EQ(shot->h, 600);
    SDL_Surface* paintedImage = IMG_Load(data("assets/tiles/" + std::to_string(tile) + ".png").c_str());
    SDL_Surface* formerImage = IMG_Load(data("assets/tiles/" + std::to_string(formerTile) + ".png").c_str());
    ASSERT_NE(paintedImage, nullptr);
    ASSERT_NE(formerImage, nullptr);
    if (shot->w == 800 && shot->h == 600) {
        EXPECT_EQ(differingPixels(shot, column * 48, row * 48, paintedImage), 0)
            << "cell " << cellX << "," << cellY << " does not show tile " << tile;
        EXPECT_GT(differingPixels(shot, column * 48, row * 48, formerImage), 0)
            << "cell " << cellX << "," << cellY << " still shows tile " << formerTile;
    }
    SDL_FreeSurface(paintedImage);
    SDL_FreeSurface(formerImage);
    SDL_FreeSurface(shot);

    std::string expected = original;
    expected[cellY * ROW_BYTES + cellX] = painted;
    ASSERT_NO_FATAL_FAILURE(save());
    EXPECT_TRUE(readFile(data("map.dat")) == expected) << "map.dat is not the original with one cell painted";

    // A rectangle from its bottom-right corner to its top-left one, filled with the same tile.
    ASSERT_NO_FATAL_FAILURE(click(3, 11 * 48 + 10, 5 * 48 + 10));
    ASSERT_NO_FATAL_FAILURE(click(3, 8 * 48 + 10, 1 * 48 + 10));
    // F and F3 share a group, so S tells when F has been seen: it saves first, then F fills.
    const int saves = occurrences(editor.out(), "Written. closing");
    ASSERT_NO_FATAL_FAILURE(keyDown({"f"}));
    ASSERT_NO_FATAL_FAILURE(keyDown({"s"}));
    bool seen = waitWhileRunning([&] { return occurrences(editor.out(), "Written. closing") > saves; });
    ASSERT_NO_FATAL_FAILURE(keyUp({"s", "f"}));
    ASSERT_TRUE(seen) << diagnostics();
    ASSERT_NO_FATAL_FAILURE(save());
    for (int x = 8; x <= 11; ++x)
        for (int y = 1; y <= 5; ++y) expected[(y + scrollY) * ROW_BYTES + x + scrollX] = painted;
    const std::string saved = readFile(data("map.dat"));
    ASSERT_EQ(saved.size(), expected.size());
    int reported = 0;
    for (size_t i = 0; i < saved.size() && reported < 10; ++i) {
        if (saved[i] == expected[i]) continue;
        ADD_FAILURE() << "cell " << i % ROW_BYTES << "," << i / ROW_BYTES << " holds '" << saved[i] << "', expected '"
                      << expected[i] << "'";
        ++reported;
    }

    ASSERT_TRUE(x.sendCloseRequest(window));
    ASSERT_NO_FATAL_FAILURE(expectExit(1));
}
