// Placing an item from the user's answers, and marking the one under a click as removed.
#include "placement/placement.h"
#include "shell/map_editor.h"

void MapEditor::createNewItemAt(int x, int y) {
    Item* item = new Item();
    item->x = static_cast<float>(x);
    item->y = static_cast<float>(y);
    item->name = getUserString("Name:", PROMPT_LEFT, 0);
    item->shortName = getUserString("Short name:", PROMPT_LEFT, 40);
    item->description = getUserString("Description:", PROMPT_LEFT, 80);
    item->type = answerNumber(getUserString("Type (check docs for list):", PROMPT_LEFT, 120));
    item->maxEffect = answerNumber(getUserString("Maximum Effect:", PROMPT_LEFT, 160));
    item->price = answerNumber(getUserString("Price:", PROMPT_LEFT, 200));
    item->owner = answerNumber(getUserString("Owner (check docs for list):", PROMPT_LEFT, 240));
    item->icon = answerNumber(getUserString("Icon:", PROMPT_LEFT, 280));
    if (item->type == ITEM_TYPE_RANGED)
        item->range = answerNumber(getUserString("This is a ranged weapon (gun or bow). Range in tiles?", PROMPT_LEFT, 320));
    items.push_back(item);
    history.record(ItemPlaced{static_cast<int>(items.size()) - 1, std::make_unique<Item>(*item)});
}

void MapEditor::killItemAt(int x, int y) {
    for (size_t index = 0; index < items.size(); ++index) {
        Item* item = items[index];
        if (item->type == ITEM_TYPE_REMOVED) continue;
        int ix = truncateToInt(item->x), iy = truncateToInt(item->y);
        if (!collide(x, y, CLICK_BOX, CLICK_BOX, ix, iy, OBJECT_BOX, OBJECT_BOX)) continue;
        // Removed items stay in the list and in the files, marked with their type.
        history.record(ItemRemoved{static_cast<int>(index), item->type});
        item->type = ITEM_TYPE_REMOVED;
        return;
    }
}
