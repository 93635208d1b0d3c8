// The minimap: one pixel per map cell in sea, solid and plain colours, drawn translucent.
#include "render/blit.h"
#include "render/view.h"

constexpr Uint8 MINIMAP_ALPHA = 100;

// The colour of every tile number the editor offers; any other number is plain ground.
class CellColours {
public:
    Uint32 sea, solid, plain;
    Uint32 byTile[LAST_TILE + 1];

    explicit CellColours(const SDL_PixelFormat* format)
        : sea(SDL_MapRGB(format, 0, 0, 255)), solid(SDL_MapRGB(format, 0, 0, 0)), plain(SDL_MapRGB(format, 100, 100, 100)) {
        for (int tile = 0; tile <= LAST_TILE; ++tile)
            byTile[tile] = tile == SEA_TILE ? sea : isSolidTile(tile) ? solid : plain;
    }
    Uint32 of(int tile) const { return static_cast<unsigned>(tile) <= LAST_TILE ? byTile[tile] : plain; }
};

// Column 349 and row 349 are solid and never sea, so they are always black.
static bool onLastLine(int x, int y) { return x >= MAP_SIZE - 1 || y >= MAP_SIZE - 1; }

// Writes every cell's colour straight into the surface's pixels, looked up per tile (one
// fill per pixel, or the solid and sea tests per cell, would cost several times as much).
static void paintMinimap(SDL_Surface* surface, const Map& source) {
    const CellColours colours(surface->format);
    if (surface->format->BytesPerPixel != 2) {
        for (int y = 0; y < MAP_SIZE; ++y)
            for (int x = 0; x < MAP_SIZE; ++x)
                fillRect(surface, x, y, 1, 1, onLastLine(x, y) ? colours.solid : colours.of(source.tiles[y][x]));
        return;
    }
    const Uint16 solid = static_cast<Uint16>(colours.solid);
    if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
    for (int y = 0; y < MAP_SIZE; ++y) {
        Uint16* row = reinterpret_cast<Uint16*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
        if (y == MAP_SIZE - 1) {
            for (int x = 0; x < MAP_SIZE; ++x) row[x] = solid;
            break;
        }
        const int* tiles = source.tiles[y];
        for (int x = 0; x < MAP_SIZE - 1; ++x) row[x] = static_cast<Uint16>(colours.of(tiles[x]));
        row[MAP_SIZE - 1] = solid;
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
}

SDL_Surface* View::renderMinimap(const Map& source, const SDL_PixelFormat* display) {
    // Made directly in the display's format, so no conversion pass is needed.
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, MAP_SIZE, MAP_SIZE, display->BitsPerPixel,
                                                display->Rmask, display->Gmask, display->Bmask, 0);
    if (!surface) return nullptr;
    paintMinimap(surface, source);
    SDL_SetAlpha(surface, SDL_SRCALPHA, MINIMAP_ALPHA);
    return surface;
}

void View::reloadMinimap(const Map& source, const SDL_PixelFormat* display) {
    // Repainting the existing surface in place gives the same picture as a fresh one.
    if (minimap) {
        paintMinimap(minimap.get(), source);
        return;
    }
    minimap.reset(renderMinimap(source, display));
}

void View::drawScrollbox(SDL_Surface* screen, int x, int y) const {
    if (!showMinimap) return;
    const Uint32 colour = SDL_MapRGB(screen->format, 100, 0, 0);
    // The cells the view shows (17 columns by 13 rows at 48 pixels per cell); the bottom-right
    // corner pixel stays undrawn.
    const int columns = viewColumns(), rows = viewRows();
    fillRect(screen, x, y, columns, 1, colour);
    fillRect(screen, x, y + rows, columns, 1, colour);
    fillRect(screen, x, y, 1, rows, colour);
    fillRect(screen, x + columns, y, 1, rows, colour);
}
