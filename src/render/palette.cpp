// The tile palette: a column of tile images down the left edge of the window.
#include "render/blit.h"
#include "render/direct_blit.h"
#include "shell/map_editor.h"

void MapEditor::drawTilePalette() {
    for (int n = paletteScroll; n <= LAST_TILE; ++n) {
        int y = (n - paletteScroll) * TILE_SIZE;
        if (y > SCREEN_HEIGHT - 1) return;
        // Slots without a loaded image stay empty.
        if (n < 0 || static_cast<size_t>(n) >= art.tileImages.size()) continue;
        blitOpaque(art.tileImages[n], screen, 0, y);
        if (n == currentTile) blitAt(art.iconImages[ICON_MARKER], screen, 10, y + 10);
    }
}
