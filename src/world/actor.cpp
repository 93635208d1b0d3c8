#include "world/actor.h"

#include <sstream>

void Actor::animate(float dt) {
    float sum = frameTimer + dt;
    if (sum > 185.0f) {
        frameTimer = 0;  // the part above 185 is dropped, not carried over
        if (++frame > 2) frame = 0;
    } else {
        frameTimer = sum;
    }
}

std::string Actor::serialize() const {
    std::string out;
    serialize(out);
    return out;
}

void Actor::serialize(std::string& out) const {
    out.clear();
    appendLines(out, fileLines());
}

// Every member of the file is assigned, so missing lines give 0, false or "".
void Actor::parse(const std::string& bytes) {
    std::istringstream in(bytes);
    x = static_cast<float>(readNumberFromFile(in));
    y = static_cast<float>(readNumberFromFile(in));
    hp = readNumberFromFile(in);
    hpMax = readNumberFromFile(in);
    mp = readNumberFromFile(in);
    mpMax = readNumberFromFile(in);
    experience = readNumberFromFile(in);
    spareStat = readNumberFromFile(in);
    strength = readNumberFromFile(in);
    dexterity = readNumberFromFile(in);
    intelligence = readNumberFromFile(in);
    responseFlagId = readNumberFromFile(in);
    isHostile = readNumberFromFile(in) > 0;
    firstConvo = readStringFromFile(in);
    secondConvo = readStringFromFile(in);
    name = readStringFromFile(in);
    isWandering = readNumberFromFile(in) > 0;
    sprite = readNumberFromFile(in);
    direction = readNumberFromFile(in);
    spareValue = readNumberFromFile(in);
}

bool Actor::serializeTo(const std::string& path, Messages& said) const {
    return writeFileAtomically(path, serialize(), said);
}

std::string actorMissingWarning(const std::string& path) {
    return "***WARNING*** Input file " + path + " missing on actor serialization load\nYou can probably ignore this.\n";
}

ReadStatus Actor::serializeFrom(const std::string& path, Messages& said) {
    std::string bytes, reason;
    ReadStatus status = readFileUpTo(path, DEF_FILE_LIMIT, bytes, reason);
    if (status == ReadStatus::Read) parse(bytes);
    else said.err(status == ReadStatus::Missing ? actorMissingWarning(path) : unreadableWarning(path, reason));
    return status;
}
