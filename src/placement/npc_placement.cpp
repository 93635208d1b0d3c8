// Placing an NPC from the user's answers, and editing a placed one.
#include "placement/questions.h"

static const Question<Actor> NPC_QUESTIONS[] = {
    {"Name:", 0, &Actor::name},
    {"First convo string:", 40, &Actor::firstConvo},
    {"Second convo string:", 80, &Actor::secondConvo},
    {"Sprite to use:", 120, nullptr, &Actor::sprite},
    {"Direction (0-3):", 160, nullptr, &Actor::direction},
    {"Response flag ID:", 200, nullptr, &Actor::responseFlagId},
    {"HP:", 240, nullptr, &Actor::hp},
    {"HP MAX:", 280, nullptr, &Actor::hpMax},
    {"MP:", 320, nullptr, &Actor::mp},
    {"MP MAX:", 360, nullptr, &Actor::mpMax},
    {"Experience:", 400, nullptr, &Actor::experience},
    {"Strength:", 440, nullptr, &Actor::strength},
    {"Dexterity:", 480, nullptr, &Actor::dexterity},
    {"Intelligence:", 520, nullptr, &Actor::intelligence},
    // The window is full of prompts by now: the last two start again at the top.
    {"Boolean, is Hostile:", 0, nullptr, nullptr, &Actor::isHostile},
    {"Boolean, is wandering:", 40, nullptr, nullptr, &Actor::isWandering},
};

bool createNewNPCAt(Prompt& prompt, Document& document, int x, int y) {
    Actor npc;
    npc.x = static_cast<float>(x);
    npc.y = static_cast<float>(y);
    if (!askQuestions(prompt, NPC_QUESTIONS, npc)) return false;  // the half-made NPC goes
    document.placeNpc(npc);
    return true;
}

bool editNPCAt(Prompt& prompt, Document& document, int x, int y) {
    const int index = document.npcIndexAt(x, y);
    if (index < 0) return true;
    // The answers go to a copy: the NPC changes only once the last one is given.
    const Actor& npc = document.npcs[static_cast<size_t>(index)];
    Actor edited = npc;
    if (!askQuestions(prompt, NPC_QUESTIONS, edited, &npc)) return false;
    document.editNpc(index, edited);
    return true;
}
