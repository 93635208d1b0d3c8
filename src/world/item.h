#pragma once
// One placed item and its 12-line definition file.
#include <string>

#include "world/defline.h"
#include "world/messages.h"
#include "world/safe_file.h"

constexpr int ITEM_TYPE_REMOVED = 5;
constexpr int ITEM_TYPE_RANGED = 8;

// The owner as the reader takes it from its line: the absolute value (INT_MIN, which has
// none, as INT_MAX).
int ownerAsRead(int written);

class Item {
public:
    int type = 0;  // 5 marks a removed item, 8 a ranged weapon
    int maxEffect = 0;
    int price = 0;
    int owner = 0;  // 0: no owner
    float x = 0;    // world pixels of the top-left corner of its 48x48 square
    float y = 0;
    bool auxFlag = false;
    std::string name = "Unset Item";
    std::string shortName;
    std::string description = "Unset Item Description";
    int icon = 0;
    int range = 0;

    bool serializeTo(const std::string& path, Messages& said) const;
    // As Actor::serializeFrom.
    ReadStatus serializeFrom(const std::string& path, Messages& said);
    // The values of the file's 12 lines, in order: the strings stand in the order name,
    // description, short name; the range line is always written, as 0 for anything but a
    // ranged weapon.
    auto fileLines() const {
        return std::make_tuple(type, maxEffect, price, owner, truncateToInt(x), truncateToInt(y), auxFlag ? 1 : 0,
                               std::string_view(name.c_str()), std::string_view(description.c_str()),
                               std::string_view(shortName.c_str()), icon, type == ITEM_TYPE_RANGED ? range : 0);
    }
    bool sameFileAs(const Item& other) const { return fileLines() == other.fileLines(); }
    std::string serialize() const;
    void serialize(std::string& bytes) const;  // into a buffer kept between calls (a save's)
    // Given `said`, says when it reads a ranged weapon's range, as the editor's load does.
    void parse(const std::string& bytes, Messages* said = nullptr);
};

// What the reader says when an item file is missing.
std::string itemMissingWarning(const std::string& path);
