#include "render/text.h"

#include "render/blit.h"
#include "render/surface.h"

void drawText(SDL_Surface* surface, TTF_Font* font, const char* text, int x, int y) {
    if (!font || !text) return;
    SDL_Color red = {255, 0, 0, 0};
    SurfacePtr rendered(TTF_RenderText_Solid(font, text, red));
    if (rendered) blitAt(rendered.get(), surface, x, y);  // an empty text renders nothing
}
