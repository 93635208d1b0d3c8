// The NPC definition reader on arbitrary bytes.
#include <cstdint>
#include <string>

#include "record_checks.h"
#include "world/actor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Actor actor;
    actor.parse(std::string(reinterpret_cast<const char*>(data), size));
    for (const std::string* s : {&actor.firstConvo, &actor.secondConvo, &actor.name}) checkLine(*s);
    checkRoundTrip(actor, storedAsIs(actor.firstConvo) && storedAsIs(actor.secondConvo) && storedAsIs(actor.name));
    return 0;
}
