// The heads-up display (minimap, view box, mode line, palette) and text drawing.
#include "render/blit.h"
#include "render/direct_blit.h"
#include "shell/map_editor.h"

static const char* const MODE_LINES[LAST_MODE + 1] = {
    "Right Click: Select multiple tiles",
    "Right Click: Place NPC",
    "Right Click: Place Item",
    "Right Click: Kill NPC",
    "Right click: Kill item",
};

void MapEditor::drawTextAt(const char* text, int x, int y) {
    if (!font || !text) return;
    SDL_Color red = {255, 0, 0, 0};
    SDL_Surface* rendered = TTF_RenderText_Solid(font, text, red);
    if (!rendered) return;  // an empty text renders nothing
    blitAt(rendered, screen, x, y);
    SDL_FreeSurface(rendered);
}

void MapEditor::drawHUD() {
    // The translucent minimap was half of a frame's time through SDL's one-pixel-at-a-time blend.
    if (showMinimap && minimap) blitTranslucent(minimap, screen, 0, 0);
    drawScrollbox(scrollX, scrollY);
    if (rightClickMode >= 0 && rightClickMode <= LAST_MODE) drawTextAt(MODE_LINES[rightClickMode], 0, 580);
    if (showPalette) drawTilePalette();
}
