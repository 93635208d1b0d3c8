// The map view: the visible cells, the red selection and the current tile.
#include <cstdio>

#include "render/blit.h"
#include "render/direct_blit.h"
#include "shell/map_editor.h"

// The block drawn each frame; the display clips it to 17 columns and 13 rows.
constexpr int VIEW_CELLS = 20;

void MapEditor::drawMap() {
    const Uint32 red = SDL_MapRGB(screen->format, 255, 0, 0);
    for (int i = 0; i < VIEW_CELLS; ++i) {
        for (int j = 0; j < VIEW_CELLS; ++j) {
            int x = scrollX + j;
            int y = scrollY + i;
            int tile = map.getTileAt(x, y);
            if (tile < 0) {
                fprintf(stderr, "Invalid tile: %i,%i\n", x, y);
                tile = 0;
            }
            SDL_Rect covered = blitOpaque(art.tileImage(tile), screen, TILE_SIZE * j, TILE_SIZE * i);
            if (selX1 <= x && x <= selX2 && selY1 <= y && y <= selY2 && covered.w && covered.h)
                SDL_FillRect(screen, &covered, red);
        }
    }
    drawTextAt("Current tile:", 700, 410);
    blitOpaque(art.tileImage(currentTile), screen, 752, 430);
}
