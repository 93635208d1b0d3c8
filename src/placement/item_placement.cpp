// Placing an item from the user's answers, and editing a placed one.
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
static bool askItem(Prompt& prompt, Item& item, const Item* current) {
    if (!askQuestions(prompt, ITEM_QUESTIONS, item, current)) return false;
    if (item.type != ITEM_TYPE_RANGED) return true;
    // Only a ranged weapon's file holds its range: any other item's starts as 0.
    Item saved;
    if (current && current->type == ITEM_TYPE_RANGED) saved.range = current->range;
    return askQuestions(prompt, RANGE_QUESTION, item, current ? &saved : nullptr);
}

bool createNewItemAt(Prompt& prompt, Document& document, int x, int y) {
    Item item;
    item.x = static_cast<float>(x);
    item.y = static_cast<float>(y);
    if (!askItem(prompt, item, nullptr)) return false;
    document.placeItem(item);
    return true;
}

// Every answered member is in the file (a range is asked only of a ranged weapon, whose file
// holds it), so equal bytes mean no change.
bool editItemAt(Prompt& prompt, Document& document, int x, int y) {
    const int index = document.itemIndexAt(x, y);
    if (index < 0) return true;
    const Item& item = document.items[static_cast<size_t>(index)];
    Item edited = item;
    if (!askItem(prompt, edited, &item)) return false;
    document.editItem(index, edited);
    return true;
}
