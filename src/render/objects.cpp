// The placed NPCs and items that lie in the view, drawn over the map and the HUD.
#include "render/blit.h"
#include "shell/map_editor.h"

static bool validSprite(const Actor& actor) {
    return actor.sprite >= 0 && actor.sprite < SPRITE_SETS && actor.direction >= 0 && actor.direction < SPRITE_DIRECTIONS;
}

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
        SDL_Surface* image = validSprite(*actor) ? art.spriteImages[actor->sprite][actor->direction][0]
                                                 : art.iconImages[ICON_MISSING];
        blitAt(image, screen, screenCoordinate(actor->x, camX), screenCoordinate(actor->y, camY));
    }
    for (const Item* item : items) {
        if (item->type == ITEM_TYPE_REMOVED) continue;
        if (!(item->x >= camX && item->y >= camY && item->x < right && item->y < bottom)) continue;
        int x = screenCoordinate(item->x, camX), y = screenCoordinate(item->y, camY);
        if (static_cast<unsigned>(item->icon) >= art.itemImages.size()) {
            blitAt(art.iconImages[ICON_MISSING], screen, x, y);
            continue;
        }
        if (item->owner != 0) blitAt(art.iconImages[ICON_OWNED], screen, x, y);
        blitAt(art.itemImages[item->icon], screen, x, y);
    }
}
