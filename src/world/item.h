#pragma once
// One placed item and its 12-line definition file.
#include <string>

#include "world/read_notes.h"

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

    bool serializeTo(const std::string& path) const;
    // 0 when read; -1 when missing, -2 when there but unreadable (as Actor::serializeFrom).
    int serializeFrom(const std::string& path);
    std::string serialize() const;
    // With notes the reader prints nothing (the editor says when it reads a ranged weapon).
    void parse(const std::string& bytes, ReadNotes* notes = nullptr);
};
