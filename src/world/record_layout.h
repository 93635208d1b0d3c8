#pragma once
// The line layouts of the definition files: what each line holds, by the name the README's
// tables give it. Actor and Item write and read their lines in exactly this order.
#include <string>
#include <vector>

enum class FieldKind { Number, String };

class FieldInfo {
public:
    const char* name;
    FieldKind kind;
};

class RecordLayout {
public:
    const FieldInfo* fields;  // fields[0] is line 1
    int lines;
    const FieldInfo& at(int line) const { return fields[line - 1]; }
};

constexpr int NPC_LINES = 20, ITEM_LINES = 12;
extern const RecordLayout NPC_LAYOUT;
extern const RecordLayout ITEM_LAYOUT;  // the range line is read only for type 8

// Line numbers (from 1) the readers and the checker single out.
constexpr int NPC_X_LINE = 1, NPC_Y_LINE = 2, NPC_NAME_LINE = 16;
constexpr int NPC_SPRITE_LINE = 18, NPC_DIRECTION_LINE = 19;
constexpr int ITEM_TYPE_LINE = 1, ITEM_OWNER_LINE = 4, ITEM_X_LINE = 5, ITEM_Y_LINE = 6, ITEM_NAME_LINE = 8;
constexpr int ITEM_ICON_LINE = 11, ITEM_RANGE_LINE = 12;

// What the diff and the merge say of records, alike.
// A record's lines, without their '\n' (text after the last one is left out).
std::vector<std::string> recordLines(const std::string& bytes);
// A value as a person reads it in a message: numbers as written, text in quotes and whole
// (at most 400 characters), since two texts may differ only near their ends.
std::string shownValue(const std::string& value, FieldKind kind);
// "1 NPC", "2 NPCs".
std::string counted(int count, const char* one, const char* many);
