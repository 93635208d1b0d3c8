// The map view: the visible cells, the red selection and the current tile; the selection and
// the caption.
#include <cstdio>

#include "render/blit.h"
#include "render/direct_blit.h"
#include "render/text.h"
#include "render/view.h"

// The block drawn each frame; the display clips it to 17 columns and 13 rows.
constexpr int VIEW_CELLS = 20;

void View::drawMap(const World& world, const Canvas& canvas) const {
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
    drawText(screen, canvas.font, "Current tile:", 700, 410);
    blitOpaque(canvas.art.tileImage(currentTile), screen, 752, 430);
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
