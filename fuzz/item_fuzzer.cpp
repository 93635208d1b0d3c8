// The item definition reader on arbitrary bytes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "record_checks.h"
#include "world/item.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Item item;
    item.parse(std::string(reinterpret_cast<const char*>(data), size));
    for (const std::string* s : {&item.name, &item.description, &item.shortName}) checkLine(*s);
    if (item.owner < 0) abort();  // read as its absolute value
    if (item.type != ITEM_TYPE_RANGED && item.range != 0) abort();  // only a ranged weapon reads a range
    checkRoundTrip(item, storedAsIs(item.name) && storedAsIs(item.description) && storedAsIs(item.shortName));
    return 0;
}
