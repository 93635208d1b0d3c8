#pragma once
// What is drawn for the placed objects, and in which order: the NPCs first, then the items,
// each in list order; an NPC as its sprite (or the missing-image icon), an item as its picture
// over the owner badge when it has an owner, nothing for a removed one. The window's view and
// the whole-world picture both draw through this, each with its own rules for the edges.
#include "render/art_assets.h"
#include "world/world.h"

// Calls place(image, worldX, worldY, isNpc) for each image in drawing order.
template <typename Place>
void forEachObjectImage(const World& world, const ArtAssets& art, Place place) {
    for (const Actor& npc : world.npcs) place(npcImage(art, npc.sprite, npc.direction), npc.x, npc.y, true);
    for (const Item& item : world.items) {
        SDL_Surface *picture, *badge;
        if (!itemImages(art, item.type, item.icon, item.owner, picture, badge)) continue;
        if (badge) place(badge, item.x, item.y, false);
        place(picture, item.x, item.y, false);
    }
}
