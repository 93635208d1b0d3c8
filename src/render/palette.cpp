// The tile palette: a column of tile images down the left edge of the window.
#include "render/blit.h"
#include "render/direct_blit.h"
#include "render/view.h"

void View::drawTilePalette(const Canvas& canvas) const {
    const ArtAssets& art = canvas.art;
    for (int n = paletteScroll; n <= LAST_TILE; ++n) {
        int y = (n - paletteScroll) * TILE_SIZE;
        if (y > SCREEN_HEIGHT - 1) return;
        // Slots without a loaded image stay empty.
        if (n < 0 || static_cast<size_t>(n) >= art.tileImages.size()) continue;
        blitOpaque(art.tileImages[n], canvas.screen, 0, y);
        if (n == currentTile) blitAt(art.iconImages[ICON_MARKER], canvas.screen, 10, y + 10);
    }
}
