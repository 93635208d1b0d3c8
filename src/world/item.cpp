#include "world/item.h"

#include <climits>
#include <sstream>

int ownerAsRead(int written) { return written == INT_MIN ? INT_MAX : (written < 0 ? -written : written); }

std::string Item::serialize() const {
    std::string out;
    serialize(out);
    return out;
}

void Item::serialize(std::string& out) const {
    out.clear();
    appendLines(out, fileLines());
}

void Item::parse(const std::string& bytes, Messages* said) {
    std::istringstream in(bytes);
    type = readNumberFromFile(in);
    maxEffect = readNumberFromFile(in);
    price = readNumberFromFile(in);
    owner = ownerAsRead(readNumberFromFile(in));
    x = static_cast<float>(readNumberFromFile(in));
    y = static_cast<float>(readNumberFromFile(in));
    auxFlag = readNumberFromFile(in) > 0;
    name = readStringFromFile(in);
    description = readStringFromFile(in);
    shortName = readStringFromFile(in);
    icon = readNumberFromFile(in);
    if (type != ITEM_TYPE_RANGED) return;  // range keeps its value
    if (said) said->out("Weapon is a long-range item, checking range\n");
    range = readNumberFromFile(in);
}

bool Item::serializeTo(const std::string& path, Messages& said) const {
    return writeFileAtomically(path, serialize(), said);
}

std::string itemMissingWarning(const std::string& path) {
    return "***WARNING*** file " + path + " not found. You can probably ignore this\n";
}

ReadStatus Item::serializeFrom(const std::string& path, Messages& said) {
    std::string bytes, reason;
    ReadStatus status = readFileUpTo(path, DEF_FILE_LIMIT, bytes, reason);
    if (status == ReadStatus::Read) parse(bytes, &said);
    else said.err(status == ReadStatus::Missing ? itemMissingWarning(path) : unreadableWarning(path, reason));
    return status;
}
