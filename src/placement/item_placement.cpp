// Placing an item from the user's answers, editing a placed one, and marking the one under a
// click as removed.
#include "placement/questions.h"

static const Question<Item> ITEM_QUESTIONS[] = {
    {"Name:", 0, &Item::name},
    {"Short name:", 40, &Item::shortName},
    {"Description:", 80, &Item::description},
    {"Type (check docs for list):", 120, nullptr, &Item::type},
    {"Maximum Effect:", 160, nullptr, &Item::maxEffect},
    {"Price:", 200, nullptr, &Item::price},
    {"Owner (check docs for list):", 240, nullptr, &Item::owner},
    {"Icon:", 280, nullptr, &Item::icon},
};
// Asked only when the type just answered is a ranged weapon.
static const Question<Item> RANGE_QUESTION[] = {
    {"This is a ranged weapon (gun or bow). Range in tiles?", 320, nullptr, &Item::range},
};

// The questions into the item; `current` gives the starting answers, none when placing.
static void askItem(MapEditor& editor, Item& item, const Item* current) {
    askQuestions(editor, ITEM_QUESTIONS, item, current);
    if (item.type != ITEM_TYPE_RANGED) return;
    // Only a ranged weapon's file holds its range: any other item's starts as 0.
    Item saved;
    if (current && current->type == ITEM_TYPE_RANGED) saved.range = current->range;
    askQuestions(editor, RANGE_QUESTION, item, current ? &saved : nullptr);
}

void MapEditor::createNewItemAt(int x, int y) {
    Item* item = new Item();
    item->x = static_cast<float>(x);
    item->y = static_cast<float>(y);
    askItem(*this, *item, nullptr);
    items.push_back(item);
    history.record(ItemPlaced{static_cast<int>(items.size()) - 1, std::make_unique<Item>(*item)});
}

int MapEditor::itemIndexAt(int x, int y) {
    for (size_t i = 0; i < items.size(); ++i) {
        const Item* item = items[i];
        if (item->type == ITEM_TYPE_REMOVED) continue;
        int ix = truncateToInt(item->x), iy = truncateToInt(item->y);
        if (collide(x, y, CLICK_BOX, CLICK_BOX, ix, iy, OBJECT_BOX, OBJECT_BOX)) return static_cast<int>(i);
    }
    return -1;
}

void MapEditor::editItemAt(int x, int y) {
    const int index = itemIndexAt(x, y);
    if (index < 0) return;
    Item* item = items[index];
    // Every answered member is in the file (a range is asked only of a ranged weapon, whose
    // file holds it), so equal bytes mean no change; see editNPCAt.
    Item edited = *item;
    askItem(*this, edited, item);
    if (edited.serialize() == item->serialize()) return;
    history.record(ItemEdit{index, std::make_unique<Item>(*item), std::make_unique<Item>(edited)});
    *item = edited;
}

void MapEditor::killItemAt(int x, int y) {
    const int index = itemIndexAt(x, y);
    if (index < 0) return;
    // Removed items stay in the list and in the files, marked with their type.
    history.record(ItemRemoved{index, items[index]->type});
    items[index]->type = ITEM_TYPE_REMOVED;
}
