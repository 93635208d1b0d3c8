// Going to a place: centring the view on a cell, and the outline that marks the place.
#include <algorithm>

#include "render/view.h"

void View::centreOn(int cellX, int cellY) {
    scrollX = std::max(0, cellX - SCREEN_WIDTH / (2 * cellPixels));
    scrollY = std::max(0, cellY - SCREEN_HEIGHT / (2 * cellPixels));
}

void View::drawOutline(const Canvas& canvas) const {
    if (!outlined) return;
    constexpr int THICKNESS = 2;
    // Window pixels, kept well inside the 16-bit range of a rectangle: SDL clips the rest.
    const auto screen = [this](int world, int scroll) {
        const long long at =
            (static_cast<long long>(world) - static_cast<long long>(TILE_SIZE) * scroll) * cellPixels / TILE_SIZE;
        return static_cast<int>(std::clamp(at, -2000LL, 2000LL));
    };
    const int left = screen(outlineX, scrollX), top = screen(outlineY, scrollY);
    const int size = cellPixels;  // an object covers one cell
    const Uint32 yellow = SDL_MapRGB(canvas.screen->format, 255, 255, 0);
    const int sides[4][4] = {{left, top, size, THICKNESS},
                             {left, top + size - THICKNESS, size, THICKNESS},
                             {left, top, THICKNESS, size},
                             {left + size - THICKNESS, top, THICKNESS, size}};
    for (const auto& side : sides) {
        SDL_Rect r = {static_cast<Sint16>(side[0]), static_cast<Sint16>(side[1]), static_cast<Uint16>(side[2]),
                      static_cast<Uint16>(side[3])};
        SDL_FillRect(canvas.screen, &r, yellow);
    }
}
