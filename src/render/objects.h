#pragma once
// What is drawn for the placed objects, and in which order: the NPCs first, then the items,
// each in list order; an NPC as its sprite (or the missing-image icon), an item as its picture
// over the owner badge when it has an owner, nothing for a removed one. The window's view and
// the whole-world picture both draw through this, each with its own rules for the edges.
#include "render/art_assets.h"
#include "world/world.h"

// One object drawn away from its place: the one being dragged, where the pointer has it.
struct MovedObject {
    bool npc = false;
    int index = -1;  // in npcs or items; -1: none
    float x = 0, y = 0;
};

// Calls place(image, worldX, worldY, isNpc) for each image in drawing order.
template <typename Place>
void forEachObjectImage(const World& world, const ArtAssets& art, Place place,
                        const MovedObject& moved = MovedObject()) {
    const auto at = [&moved](bool npc, size_t index, float& x, float& y) {
        if (moved.npc == npc && moved.index == static_cast<int>(index)) x = moved.x, y = moved.y;
    };
    for (size_t i = 0; i < world.npcs.size(); ++i) {
        const Actor& npc = world.npcs[i];
        float x = npc.x, y = npc.y;
        at(true, i, x, y);
        place(npcImage(art, npc.sprite, npc.direction), x, y, true);
    }
    for (size_t i = 0; i < world.items.size(); ++i) {
        const Item& item = world.items[i];
        SDL_Surface *picture, *badge;
        if (!itemImages(art, item.type, item.icon, item.owner, picture, badge)) continue;
        float x = item.x, y = item.y;
        at(false, i, x, y);
        if (badge) place(badge, x, y, false);
        place(picture, x, y, false);
    }
}
