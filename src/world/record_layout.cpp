#include "world/record_layout.h"

namespace {
constexpr FieldKind N = FieldKind::Number, S = FieldKind::String;
const FieldInfo NPC_FIELDS[] = {
    {"x", N},           {"y", N},           {"hp", N},         {"max hp", N},       {"mp", N},
    {"max mp", N},      {"experience", N},  {"spare stat", N}, {"strength", N},     {"dexterity", N},
    {"intelligence", N}, {"response flag", N}, {"hostile", N}, {"first convo", S},  {"second convo", S},
    {"name", S},        {"wandering", N},   {"sprite", N},     {"direction", N},    {"spare value", N},
};
const FieldInfo ITEM_FIELDS[] = {
    {"type", N}, {"max effect", N}, {"price", N},       {"owner", N},      {"x", N},    {"y", N},
    {"aux flag", N}, {"name", S},   {"description", S}, {"short name", S}, {"icon", N}, {"range", N},
};
static_assert(sizeof NPC_FIELDS / sizeof NPC_FIELDS[0] == NPC_LINES, "one name per NPC line");
static_assert(sizeof ITEM_FIELDS / sizeof ITEM_FIELDS[0] == ITEM_LINES, "one name per item line");
}  // namespace

const RecordLayout NPC_LAYOUT{NPC_FIELDS, NPC_LINES};
const RecordLayout ITEM_LAYOUT{ITEM_FIELDS, ITEM_LINES};
