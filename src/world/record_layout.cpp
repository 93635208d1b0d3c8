#include "world/record_layout.h"

#include "world/defline.h"
#include "world/text_order.h"

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

std::vector<std::string> recordLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(bytes.substr(start, end - start));
    return lines;
}

std::string shownValue(const std::string& value, FieldKind kind) {
    return kind == FieldKind::String ? quoted(value, static_cast<size_t>(MAX_LINE_CHARS)) : value;
}

std::string counted(int count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}
