#pragma once
// One NPC and its 20-line definition file.
#include <string>

#include "world/read_notes.h"

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
    // Writes the record; false (with a warning on standard error) when it could not be
    // written whole, in which case an existing file is left as it was.
    bool serializeTo(const std::string& path) const;
    // 0 when read; -1 when the file is missing, -2 when it is there but cannot be read (a
    // warning on standard error either way, no member changed).
    int serializeFrom(const std::string& path);
    // The exact bytes of the record, and reading from bytes (shared with the fuzzer).
    std::string serialize() const;
    void parse(const std::string& bytes, ReadNotes* notes = nullptr);
};
