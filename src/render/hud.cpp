// The heads-up display: minimap, view box, mode line, palette.
#include "render/direct_blit.h"
#include "render/text.h"
#include "render/view.h"

static const char* const MODE_LINES[LAST_MODE + 1] = {
    "Right Click: Select multiple tiles",
    "Right Click: Place NPC",
    "Right Click: Place Item",
    "Right Click: Kill NPC",
    "Right click: Kill item",
};

void View::drawHUD(const Canvas& canvas) const {
    // The translucent minimap was half of a frame's time through SDL's one-pixel-at-a-time blend.
    if (showMinimap && minimap) blitTranslucent(minimap.get(), canvas.screen, 0, 0);
    drawScrollbox(canvas.screen, scrollX, scrollY);
    if (rightClickMode >= 0 && rightClickMode <= LAST_MODE)
        drawText(canvas.screen, canvas.font, MODE_LINES[rightClickMode], 0, 580);
    if (showPalette) drawTilePalette(canvas);
}
