// The placed NPCs and items that lie in the view, drawn over the map and the HUD.
#include "render/blit.h"
#include "shell/map_editor.h"

// Screen coordinates are truncated toward zero to 16 bits, as the blit takes them.
static int screenCoordinate(float world, float camera) { return static_cast<Sint16>(static_cast<int>(world - camera)); }

void MapEditor::drawSprites() {
    const float camX = static_cast<float>(TILE_SIZE * scrollX);
    const float camY = static_cast<float>(TILE_SIZE * scrollY);
    const float right = camX + SCREEN_WIDTH;
    const float bottom = camY + SCREEN_HEIGHT;
    // An NPC exactly on the view's left or top edge is not drawn; an item is.
    for (const Actor* actor : npcs) {
        if (!(actor->x > camX && actor->y > camY && actor->x < right && actor->y < bottom)) continue;
        blitAt(npcImage(art, actor->sprite, actor->direction), screen, screenCoordinate(actor->x, camX),
               screenCoordinate(actor->y, camY));
    }
    for (const Item* item : items) {
        SDL_Surface *picture, *badge;
        if (!itemImages(art, item->type, item->icon, item->owner, picture, badge)) continue;
        if (!(item->x >= camX && item->y >= camY && item->x < right && item->y < bottom)) continue;
        int x = screenCoordinate(item->x, camX), y = screenCoordinate(item->y, camY);
        if (badge) blitAt(badge, screen, x, y);
        blitAt(picture, screen, x, y);
    }
}
