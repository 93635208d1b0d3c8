// Scrolling, the minimap jump, painting, saving, the screenshot, a Ctrl chord, and quitting
// (with the recovery copy of unsaved edits), in the real window.
#include <SDL.h>
#include <SDL_image.h>

#include <string>
#include <vector>

#include "editor_window_test.h"

namespace {

constexpr int ROW_BYTES = 351;  // 350 characters and a line feed

// The 48x48 area at (x, y) of a picture as a 16-bit (5-6-5) display shows it.
std::vector<Uint16> cell565(SDL_Surface* picture, int x, int y) {
    SDL_Surface* cell = SDL_CreateRGBSurface(SDL_SWSURFACE, 48, 48, 16, 0xf800, 0x07e0, 0x001f, 0);
    SDL_Rect area = {static_cast<Sint16>(x), static_cast<Sint16>(y), 48, 48};
    SDL_SetAlpha(picture, 0, SDL_ALPHA_OPAQUE);  // tiles are opaque: copy, do not blend
    SDL_BlitSurface(picture, &area, cell, nullptr);
    std::vector<Uint16> pixels;
    for (int row = 0; row < 48; ++row) {
        const Uint16* line = reinterpret_cast<const Uint16*>(static_cast<const Uint8*>(cell->pixels) + row * cell->pitch);
        pixels.insert(pixels.end(), line, line + 48);
    }
    SDL_FreeSurface(cell);
    return pixels;
}

std::vector<Uint16> tileImage(const std::string& path) {
    SDL_Surface* image = IMG_Load(path.c_str());
    EXPECT_NE(image, nullptr) << path;
    if (!image) return {};
    std::vector<Uint16> pixels = cell565(image, 0, 0);
    SDL_FreeSurface(image);
    return pixels;
}

// SDL writes the BMP header's file size last: the file is complete once it matches.
bool bmpComplete(const std::string& path) {
    std::string bytes = readFile(path);
    if (bytes.size() < 6) return false;
    const unsigned char* size = reinterpret_cast<const unsigned char*>(bytes.data() + 2);
    return (size[0] | size[1] << 8 | size[2] << 16 | static_cast<size_t>(size[3]) << 24) == bytes.size();
}

// The first cell where two map files differ, or "" when they are the same.
std::string firstDifference(const std::string& got, const std::string& expected) {
    if (got.size() != expected.size()) return "the files differ in size";
    for (size_t i = 0; i < got.size(); ++i)
        if (got[i] != expected[i])
            return "cell " + std::to_string(i % ROW_BYTES) + "," + std::to_string(i / ROW_BYTES) + " holds '" + got[i] +
                   "', expected '" + expected[i] + "'";
    return "";
}

}  // namespace

TEST_F(EditorWindowTest, CaptionFollowsScrollingAndTheMinimapJumpAndClosingExitsWithStatusOne) {
    ASSERT_NO_FATAL_FAILURE(launch());
    ASSERT_NO_FATAL_FAILURE(holdUntilCaptionChanges({"Right"}));
    ASSERT_NO_FATAL_FAILURE(settleCaption());
    EXPECT_GE(scrollX, 1);
    EXPECT_EQ(scrollY, 0);
    // The minimap lies at the window's corner with one pixel per cell.
    ASSERT_NO_FATAL_FAILURE(click(1, 100, 60));
    ASSERT_NO_FATAL_FAILURE(waitForCaption("x=100 y=60"));
    ASSERT_NO_FATAL_FAILURE(waitForOutput("jump to -> 100,60\n"));
    ASSERT_TRUE(x.sendCloseRequest(window));
    ASSERT_NO_FATAL_FAILURE(expectExit(1));
}

TEST_F(EditorWindowTest, APaintIsShownSavedExactlyAndUndoneAndEscapeKeepsTheUndoInTheRecoveryCopy) {
    const std::string original = readFile(data("map.dat"));
    ASSERT_EQ(original.size(), static_cast<size_t>(350 * ROW_BYTES));
    ASSERT_NO_FATAL_FAILURE(launch());
    tile = tapCounted("bracketright") % 47;
    ASSERT_NE(tile, 0);
    const char painted = static_cast<char>('A' + tile);

    // A cell in window row 10, clear of the minimap and of the current-tile display, whose
    // tile is not the one painted.
    const int row = 10;
    int column = 8;
    while (column < 15 && original[(row + scrollY) * ROW_BYTES + column + scrollX] == painted) ++column;
    const int cellX = column + scrollX, cellY = row + scrollY;
    const int formerTile = original[cellY * ROW_BYTES + cellX] - 'A';
    ASSERT_NE(formerTile, tile) << "every candidate cell already holds tile " << tile;
    // Press and release come at once: nothing after the click makes the editor draw again,
    // yet the window shows the painted cell.
    ASSERT_TRUE(x.click(window, 1, column * 48 + 24, row * 48 + 24));
    ASSERT_NO_FATAL_FAILURE(waitForOutput("\n" + std::to_string(cellX) + "," + std::to_string(cellY) + "\n"));
    const std::vector<Uint16> paintedImage = tileImage(data("assets/tiles/" + std::to_string(tile) + ".png"));
    EXPECT_TRUE(waitWhileRunning([&] {
        const std::vector<unsigned long> cell = x.pixels(window, column * 48, row * 48, 48, 48);
        return std::vector<Uint16>(cell.begin(), cell.end()) == paintedImage;
    })) << "the window does not show the painted cell" << diagnostics();

    // The screenshot is the frame as drawn: 800x600, the cell showing the painted tile.
    ASSERT_NO_FATAL_FAILURE(pressOnce({}));
    ASSERT_TRUE(waitUntil([&] { return bmpComplete(screenshotPath()); })) << "sshot.bmp was never complete";
    SDL_Surface* shot = SDL_LoadBMP(screenshotPath().c_str());
    ASSERT_NE(shot, nullptr) << SDL_GetError();
    EXPECT_EQ(std::make_pair(shot->w, shot->h), std::make_pair(800, 600));
    const std::vector<Uint16> shown = cell565(shot, column * 48, row * 48);
    SDL_FreeSurface(shot);
    EXPECT_TRUE(shown == paintedImage)
        << "cell " << cellX << "," << cellY << " does not show tile " << tile;

    std::string expected = original;
    expected[cellY * ROW_BYTES + cellX] = painted;
    ASSERT_NO_FATAL_FAILURE(save());
    EXPECT_EQ(firstDifference(readFile(data("map.dat")), expected), "");

    // Undone with a real Ctrl chord, the world differs from the one saved: Escape keeps it in
    // recovery/data and leaves data/ alone.
    ASSERT_NO_FATAL_FAILURE(chord("z", "Undo: paint of cell "));
    ASSERT_NO_FATAL_FAILURE(keys({"Escape"}, true));
    ASSERT_NO_FATAL_FAILURE(expectExit(1));
    EXPECT_EQ(firstDifference(readFile(data("map.dat")), expected), "");
    EXPECT_EQ(firstDifference(readFile(world / "recovery/data/map.dat"), original), "") << "the recovery copy";
    EXPECT_NE(editor.err().find("***WARNING*** unsaved edits kept in recovery/data: copy its files into data/ to keep them\n"),
              std::string::npos);
}

TEST_F(EditorWindowTest, AnIdleWindowIsRepaintedWhenUncovered) {
    ASSERT_NO_FATAL_FAILURE(launch());
    const auto shown = [&] { return x.pixels(window, 100, 100, 300, 200); };
    const std::vector<unsigned long> before = shown();
    const unsigned long cover = x.cover(window, 100, 100, 300, 200);
    ASSERT_TRUE(waitWhileRunning([&] { return shown() != before; })) << "the cover did not show" << diagnostics();
    x.destroyWindow(cover);
    EXPECT_TRUE(waitWhileRunning([&] { return shown() == before; })) << "the uncovered area was not repainted" << diagnostics();
}

// SDL opens the display once to probe it and again for the window; a server without
// -noreset, whose only client the probe was, resets in between.
TEST_F(EditorWindowTest, TheWindowOpensAloneOnAServerThatResetsWhenItsLastClientLeaves) {
    for (int round = 0; round < 3 && !HasFatalFailure(); ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        editor.stop();
        x.close();
        window = 0;
        xserver.stop(SIGTERM, 5000);
        ASSERT_NO_FATAL_FAILURE(startServer(false));
        std::this_thread::sleep_for(std::chrono::milliseconds(1200));
        ASSERT_NO_FATAL_FAILURE(launch());
    }
}
