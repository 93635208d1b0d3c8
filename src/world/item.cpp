#include "world/item.h"

#include <climits>
#include <sstream>

#include "world/defline.h"

int ownerAsRead(int written) { return written == INT_MIN ? INT_MAX : (written < 0 ? -written : written); }

// The strings stand in the order name, description, short name; the range line is always
// written, as "0" for anything but a ranged weapon.
std::string Item::serialize() const {
    std::string out;
    out.reserve(256);
    appendNumberLine(out, type);
    appendNumberLine(out, maxEffect);
    appendNumberLine(out, price);
    appendNumberLine(out, owner);
    appendNumberLine(out, truncateToInt(x));
    appendNumberLine(out, truncateToInt(y));
    appendNumberLine(out, auxFlag ? 1 : 0);
    appendStringLine(out, name);
    appendStringLine(out, description);
    appendStringLine(out, shortName);
    appendNumberLine(out, icon);
    appendNumberLine(out, type == ITEM_TYPE_RANGED ? range : 0);
    return out;
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
