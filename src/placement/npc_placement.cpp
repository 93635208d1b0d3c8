// Placing an NPC from the user's answers, editing a placed one, and removing the one under a click.
#include <iterator>

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

void MapEditor::createNewNPCAt(int x, int y) {
    Actor* actor = new Actor();
    actor->x = static_cast<float>(x);
    actor->y = static_cast<float>(y);
    askQuestions(*this, NPC_QUESTIONS, *actor);
    npcs.push_back(actor);
    history.record(NpcPresence{static_cast<int>(npcs.size()) - 1, std::make_unique<Actor>(*actor), false});
}

int MapEditor::npcIndexAt(int x, int y) {
    int index = 0;
    for (Actor* actor : npcs) {
        int ax = truncateToInt(actor->x), ay = truncateToInt(actor->y);
        if (collide(x, y, CLICK_BOX, CLICK_BOX, ax, ay, OBJECT_BOX, OBJECT_BOX)) return index;
        ++index;
    }
    return -1;
}

void MapEditor::editNPCAt(int x, int y) {
    const int index = npcIndexAt(x, y);
    if (index < 0) return;
    Actor* actor = *std::next(npcs.begin(), index);
    // The answers go to a copy: the NPC changes only once the last one is given, and equal
    // bytes (the questions touch only members the file holds) mean no change and no step.
    Actor edited = *actor;
    askQuestions(*this, NPC_QUESTIONS, edited, actor);
    if (edited.serialize() == actor->serialize()) return;
    history.record(NpcEdit{index, std::make_unique<Actor>(*actor), std::make_unique<Actor>(edited)});
    *actor = edited;
}

void MapEditor::killNPCAt(int x, int y) {
    const int index = npcIndexAt(x, y);
    if (index < 0) return;
    // The earliest added NPC under the click goes; undo puts it back at the same place.
    auto at = std::next(npcs.begin(), index);
    history.record(NpcPresence{index, std::unique_ptr<Actor>(*at), true});
    npcs.erase(at);
}
