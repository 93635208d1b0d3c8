#pragma once
// One NPC and its 20-line definition file.
#include <string>

#include "world/defline.h"
#include "world/messages.h"
#include "world/safe_file.h"

class Actor {
public:
    float x = 0;  // world pixels of the top-left corner of its 48x48 box
    float y = 0;
    int hp = 0;
    int hpMax = 0;
    int mp = 0;
    int mpMax = 0;
    int experience = 0;
    int spareStat = 0;
    int strength = 0;
    int dexterity = 0;
    int intelligence = 0;
    int spareValue = 0;
    int responseFlagId = -1;
    bool isHostile = false;
    std::string firstConvo = "I'm unset";
    std::string secondConvo = "Still unset";
    std::string name = "Unset Actor";
    bool isWandering = false;
    int sprite = 0;
    int direction = 0;
    int frame = 0;
    float frameTimer = 0;
    bool auxFlagA = false;
    bool auxFlagB = false;
    int auxInt = 0;
    float auxFloat = 0;

    void animate(float dt);
    // Writes the record; false (with a warning said) when it could not be written whole, in
    // which case an existing file is left as it was.
    bool serializeTo(const std::string& path, Messages& said) const;
    // Read, or why not: missing, or there but not readable (a warning said either way, no
    // member changed).
    ReadStatus serializeFrom(const std::string& path, Messages& said);
    // The values of the file's 20 lines, in order: the one list serialize writes and sameFileAs
    // compares. The file's order differs from the members': spareValue comes last.
    auto fileLines() const {
        return std::make_tuple(truncateToInt(x), truncateToInt(y), hp, hpMax, mp, mpMax, experience, spareStat, strength,
                               dexterity, intelligence, responseFlagId, isHostile ? 1 : 0,
                               std::string_view(firstConvo.c_str()), std::string_view(secondConvo.c_str()),
                               std::string_view(name.c_str()), isWandering ? 1 : 0, sprite, direction, spareValue);
    }
    // Whether the two would write the same file.
    bool sameFileAs(const Actor& other) const { return fileLines() == other.fileLines(); }
    // The exact bytes of the record, and reading from bytes (shared with the fuzzer).
    std::string serialize() const;
    void serialize(std::string& bytes) const;  // into a buffer kept between calls (a save's)
    void parse(const std::string& bytes);
};

// What the reader says when an NPC file is missing.
std::string actorMissingWarning(const std::string& path);
