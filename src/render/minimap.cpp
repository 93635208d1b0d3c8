// The minimap: one pixel per map cell in sea, solid and plain colours, drawn translucent.
#include "render/blit.h"
#include "shell/map_editor.h"

constexpr Uint8 MINIMAP_ALPHA = 100;

static Uint32 cellColour(const Map& source, int x, int y, Uint32 sea, Uint32 solid, Uint32 plain) {
    // Column 349 and row 349 are solid and never sea, so they are always black.
    if (x >= MAP_SIZE - 1 || y >= MAP_SIZE - 1) return solid;
    int tile = source.tiles[y][x];
    return tile == SEA_TILE ? sea : isSolidTile(tile) ? solid : plain;
}

// Writes every cell's colour straight into the surface's pixels (one fill per pixel
// would cost ten times as much).
static void paintMinimap(SDL_Surface* surface, const Map& source) {
    SDL_PixelFormat* format = surface->format;
    const Uint32 sea = SDL_MapRGB(format, 0, 0, 255);
    const Uint32 solid = SDL_MapRGB(format, 0, 0, 0);
    const Uint32 plain = SDL_MapRGB(format, 100, 100, 100);
    if (format->BytesPerPixel != 2) {
        for (int y = 0; y < MAP_SIZE; ++y)
            for (int x = 0; x < MAP_SIZE; ++x) fillRect(surface, x, y, 1, 1, cellColour(source, x, y, sea, solid, plain));
        return;
    }
    if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
    for (int y = 0; y < MAP_SIZE; ++y) {
        Uint16* row = reinterpret_cast<Uint16*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
        for (int x = 0; x < MAP_SIZE; ++x) row[x] = static_cast<Uint16>(cellColour(source, x, y, sea, solid, plain));
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
}

SDL_Surface* MapEditor::renderMinimap(Map& source) {
    // Made directly in the display's format, so no conversion pass is needed.
    SDL_PixelFormat* display = screen->format;
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, MAP_SIZE, MAP_SIZE, display->BitsPerPixel,
                                                display->Rmask, display->Gmask, display->Bmask, 0);
    if (!surface) return nullptr;
    paintMinimap(surface, source);
    SDL_SetAlpha(surface, SDL_SRCALPHA, MINIMAP_ALPHA);
    return surface;
}

void MapEditor::reloadMinimap() {
    // Repainting the existing surface in place gives the same picture as a fresh one.
    if (minimap) {
        paintMinimap(minimap, map);
        return;
    }
    minimap = renderMinimap(map);
}

void MapEditor::drawScrollbox(int x, int y) {
    if (!showMinimap) return;
    const Uint32 colour = SDL_MapRGB(screen->format, 100, 0, 0);
    // 17 columns by 13 rows: the cells the view shows; the bottom-right corner pixel stays undrawn.
    fillRect(screen, x, y, 17, 1, colour);
    fillRect(screen, x, y + 13, 17, 1, colour);
    fillRect(screen, x, y, 1, 13, colour);
    fillRect(screen, x + 17, y, 1, 13, colour);
}
