// The sample NPCs and items of the default world, one of each sprite set, standing on open
// ground near the island's landmarks. Item kinds used here: 1 melee weapon, 2 armour,
// 3 potion, 4 key, 6 money, 7 food, 8 ranged weapon, 9 scroll; owner 3 is the merchant.
#include <memory>
#include <string>

#include "definitions.h"
#include "files.h"
#include "island.h"
#include "world/actor.h"
#include "world/defdir.h"
#include "world/item.h"
#include "world/map.h"
#include "worldgen.h"

namespace {

struct NpcPlan {
    Cell near;
    const char* name;
    int sprite, direction;
    int hp, mp, experience, strength, dexterity, intelligence;
    bool hostile, wandering;
    const char* firstConvo;
    const char* secondConvo;
};

const NpcPlan NPCS[] = {
    {START_BEACH, "Olaf the Fisherman", 0, 0, 20, 0, 5, 8, 9, 7, false, true,
     "Welcome ashore, stranger! The village lies down the path.", "The fish bite best at dawn."},
    {VILLAGE_SQUARE, "Mira", 1, 0, 15, 5, 3, 5, 8, 11, false, true,
     "Have you come far? Rest by the well a while.", "The farmer's wheat is the best on the island."},
    {CASTLE_GATE, "Captain Bram", 2, 0, 60, 0, 40, 15, 10, 8, false, false,
     "Halt! State your business in the king's town.", "Keep your blade sheathed inside the walls."},
    {MARKET, "Hassan the Merchant", 3, 1, 25, 10, 12, 7, 9, 14, false, false,
     "Fine wares from across the sea!", "That shield? One hundred and twenty gold, not a coin less."},
    {RUINS, "Restless Bones", 4, 0, 30, 0, 25, 10, 6, 2, true, true,
     "Leave this place...", "The old fire still burns in my memory."},
    {TOWER, "Eldrin the Wise", 5, 0, 35, 90, 80, 6, 8, 18, false, false,
     "The stars told me you would come.", "Magic is a matter of patience."},
    {THRONE, "King Aldric", 6, 0, 45, 20, 60, 11, 9, 13, false, false,
     "Welcome to my hall, traveller.", "Orcs gather in the east. Will you help us?"},
    {VILLAGE_FIELDS, "Farmer Tom", 7, 2, 22, 0, 4, 12, 7, 6, false, true,
     "Mind the wheat, friend!", "Crows and orcs, both trouble."},
    {ORC_CAMP, "Grukk", 8, 1, 50, 0, 45, 16, 8, 4, true, false,
     "Grukk smash!", "Grukk not afraid of king."},
};

struct ItemPlan {
    Cell near;
    const char* name;
    const char* shortName;
    const char* description;
    int type, maxEffect, price, owner, icon, range;
};

const ItemPlan ITEMS[] = {
    {{START_BEACH.x - 3, START_BEACH.y - 2}, "Rusty Sword", "sword", "Washed up on the beach; still sharp enough.", 1, 6, 10, 0, 0, 0},
    {{VILLAGE_SQUARE.x + 5, VILLAGE_SQUARE.y + 3}, "Hunting Bow", "bow", "A yew bow with a good pull.", 8, 8, 60, 0, 1, 6},
    {{HARBOUR.x + 1, HARBOUR.y + 10}, "Old Pistol", "pistol", "A sailor's flintlock, slow to load.", 8, 14, 150, 0, 2, 9},
    {{TOWER.x + 1, TOWER.y}, "Healing Potion", "potion", "Restores health.", 3, 25, 30, 0, 3, 0},
    {{THRONE.x + 3, THRONE.y + 2}, "Castle Key", "key", "Opens the keep's cellar.", 4, 0, 0, 0, 4, 0},
    {{RUINS.x + 2, RUINS.y + 1}, "Bag of Coins", "coins", "Someone hid this among the stones.", 6, 50, 50, 0, 5, 0},
    {{MARKET.x + 1, MARKET.y}, "Iron Shield", "shield", "Sturdy and heavy. For sale.", 2, 10, 120, 3, 6, 0},
    {{VILLAGE_FIELDS.x - 3, VILLAGE_FIELDS.y}, "Red Apple", "apple", "Fresh from the orchard.", 7, 5, 2, 0, 9, 0},
    {{TOWER.x - 1, TOWER.y - 1}, "Scroll of Light", "scroll", "Read it aloud in dark places.", 9, 12, 40, 0, 8, 0},
};

}  // namespace

int sampleNpcCount() { return sizeof(NPCS) / sizeof(NPCS[0]); }
int sampleItemCount() { return sizeof(ITEMS) / sizeof(ITEMS[0]); }

bool generateDefinitions(const std::string& root) {
    std::string data = root + "/data";
    if (!makeDirectory(data + "/npcdef") || !makeDirectory(data + "/idef")) return false;
    std::unique_ptr<Map> map(new Map);
    buildIsland(*map);  // the objects stand on the ground the map file holds
    int n = 0;
    for (const NpcPlan& plan : NPCS) {
        Cell at = openCellNear(*map, plan.near);
        Actor actor;
        actor.x = static_cast<float>(at.x * TILE_SIZE);
        actor.y = static_cast<float>(at.y * TILE_SIZE);
        actor.hp = actor.hpMax = plan.hp;
        actor.mp = actor.mpMax = plan.mp;
        actor.experience = plan.experience;
        actor.strength = plan.strength;
        actor.dexterity = plan.dexterity;
        actor.intelligence = plan.intelligence;
        actor.isHostile = plan.hostile;
        actor.isWandering = plan.wandering;
        actor.firstConvo = plan.firstConvo;
        actor.secondConvo = plan.secondConvo;
        actor.name = plan.name;
        actor.sprite = plan.sprite;
        actor.direction = plan.direction;
        if (!saveFile(npcDefPath(data, n++), actor.serialize())) return false;
    }
    n = 0;
    for (const ItemPlan& plan : ITEMS) {
        Cell at = openCellNear(*map, plan.near);
        Item item;
        item.type = plan.type;
        item.maxEffect = plan.maxEffect;
        item.price = plan.price;
        item.owner = plan.owner;
        item.x = static_cast<float>(at.x * TILE_SIZE);
        item.y = static_cast<float>(at.y * TILE_SIZE);
        item.name = plan.name;
        item.shortName = plan.shortName;
        item.description = plan.description;
        item.icon = plan.icon;
        item.range = plan.range;
        if (!saveFile(itemDefPath(data, n++), item.serialize())) return false;
    }
    return true;
}
