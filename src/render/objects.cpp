// The placed NPCs and items that lie in the view, drawn over the map and the HUD.
#include "render/objects.h"

#include "render/blit.h"
#include "render/view.h"

// Screen coordinates are truncated toward zero to 16 bits, as the blit takes them. Zoomed out,
// the whole world pixels from the view's corner are scaled down (at 48 pixels per cell the
// same number).
static int screenCoordinate(float world, float camera, int cellPixels) {
    return static_cast<Sint16>(static_cast<int>(world - camera) * cellPixels / TILE_SIZE);
}

void View::drawSprites(const World& world, const Canvas& canvas) const {
    const float camX = static_cast<float>(TILE_SIZE * scrollX);
    const float camY = static_cast<float>(TILE_SIZE * scrollY);
    const float right = camX + static_cast<float>(SCREEN_WIDTH * TILE_SIZE / cellPixels);
    const float bottom = camY + static_cast<float>(SCREEN_HEIGHT * TILE_SIZE / cellPixels);
    const ScaledArt& art = scaledArt(canvas.art);
    forEachObjectImage(world, canvas.art, [&](SDL_Surface* image, float x, float y, bool npc) {
        // An NPC exactly on the view's left or top edge is not drawn; an item is.
        const bool inView = npc ? x > camX && y > camY && x < right && y < bottom
                                : x >= camX && y >= camY && x < right && y < bottom;
        if (inView)
            blitAt(art.of(image), canvas.screen, screenCoordinate(x, camX, cellPixels),
                   screenCoordinate(y, camY, cellPixels));
    }, dragged);
}
