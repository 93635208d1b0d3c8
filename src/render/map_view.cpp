// The map view: the visible cells, the red selection and the current tile; the selection and
// the caption.
#include <algorithm>
#include <cstdio>
#include <iterator>

#include "render/blit.h"
#include "render/direct_blit.h"
#include "render/text.h"
#include "render/view.h"

// The block drawn each frame at 48 pixels per cell; the display clips it to 17 columns and 13 rows.
constexpr int VIEW_CELLS = 20;

void View::drawMap(const World& world, const Canvas& canvas) const {
    SDL_Surface* screen = canvas.screen;
    if (cellPixels == TILE_SIZE)
        drawCells(world, canvas);
    else
        drawScaledCells(world, canvas);
    drawText(screen, canvas.font, "Current tile:", 700, 410);
    blitOpaque(canvas.art.tileImage(currentTile), screen, 752, 430);
}

void View::drawCells(const World& world, const Canvas& canvas) const {
    SDL_Surface* screen = canvas.screen;
    const Uint32 red = SDL_MapRGB(screen->format, 255, 0, 0);
    for (int i = 0; i < VIEW_CELLS; ++i) {
        for (int j = 0; j < VIEW_CELLS; ++j) {
            int x = scrollX + j;
            int y = scrollY + i;
            int tile = world.map.getTileAt(x, y);
            if (tile < 0) {
                fprintf(stderr, "Invalid tile: %i,%i\n", x, y);
                tile = 0;
            }
            SDL_Rect covered = blitOpaque(canvas.art.tileImage(tile), screen, TILE_SIZE * j, TILE_SIZE * i);
            if (selX1 <= x && x <= selX2 && selY1 <= y && y <= selY2 && covered.w && covered.h)
                SDL_FillRect(screen, &covered, red);
        }
    }
}

const ScaledArt& View::scaledArt(const ArtAssets& art) const {
    scaled.prepare(art, cellPixels);
    return scaled;
}

// Zoomed out: the cells the window shows with the shrunk tiles, then the selection's visible
// part as one red rectangle (a cell at a time could be 13,400 fills); nothing is red while
// the selection has only its first corner.
void View::drawScaledCells(const World& world, const Canvas& canvas) const {
    SDL_Surface* screen = canvas.screen;
    const ScaledArt& art = scaledArt(canvas.art);
    const int columns = viewColumns(), rows = viewRows();
    for (int i = 0; i < rows; ++i)
        for (int j = 0; j < columns; ++j) {
            const int x = scrollX + j, y = scrollY + i;
            int tile = world.map.getTileAt(x, y);
            if (tile < 0) {
                fprintf(stderr, "Invalid tile: %i,%i\n", x, y);
                tile = 0;
            }
            blitOpaque(art.tileImage(tile), screen, cellPixels * j, cellPixels * i);
        }
    const int left = std::max(selX1, scrollX) - scrollX, right = std::min(selX2, scrollX + columns - 1) - scrollX;
    const int top = std::max(selY1, scrollY) - scrollY, bottom = std::min(selY2, scrollY + rows - 1) - scrollY;
    if (left > right || top > bottom) return;
    fillRect(screen, left * cellPixels, top * cellPixels, (right - left + 1) * cellPixels, (bottom - top + 1) * cellPixels,
             SDL_MapRGB(screen->format, 255, 0, 0));
}

bool View::zoom(int steps, int mx, int my) {
    const int last = static_cast<int>(std::size(ZOOM_LEVELS)) - 1;
    int level = 0;
    while (level < last && ZOOM_LEVELS[level] > cellPixels) ++level;
    const int next = level + steps;
    if (next < 0 || next > last || ZOOM_LEVELS[next] == cellPixels) return false;
    const int keptX = cellX(mx), keptY = cellY(my);
    cellPixels = ZOOM_LEVELS[next];
    scrollX = std::max(0, keptX - mx / cellPixels);
    scrollY = std::max(0, keptY - my / cellPixels);
    return true;
}

void View::selectCorner(int cellX, int cellY) {
    if (selX1 == -1) {
        selX1 = cellX;
        selY1 = cellY;
        return;
    }
    selY2 = cellY;
    if (cellX >= selX1) {
        selX2 = cellX;
    } else {
        selX2 = selX1;
        selX1 = cellX;
    }
    if (selY2 < selY1) std::swap(selY1, selY2);
}

bool View::captionChanged(std::string& caption) {
    if (scrollX == captionX && scrollY == captionY) return false;
    char text[40];
    snprintf(text, sizeof text, "x=%i y=%i", scrollX, scrollY);
    caption = text;
    captionX = scrollX;
    captionY = scrollY;
    return true;
}
