// Placing an NPC from the user's answers, and removing the one under a click.
#include <algorithm>

#include "placement/placement.h"
#include "shell/map_editor.h"

void MapEditor::createNewNPCAt(int x, int y) {
    Actor* actor = new Actor();
    actor->x = static_cast<float>(x);
    actor->y = static_cast<float>(y);
    actor->name = getUserString("Name:", PROMPT_LEFT, 0);
    actor->firstConvo = getUserString("First convo string:", PROMPT_LEFT, 40);
    actor->secondConvo = getUserString("Second convo string:", PROMPT_LEFT, 80);
    actor->sprite = answerNumber(getUserString("Sprite to use:", PROMPT_LEFT, 120));
    actor->direction = answerNumber(getUserString("Direction (0-3):", PROMPT_LEFT, 160));
    actor->responseFlagId = answerNumber(getUserString("Response flag ID:", PROMPT_LEFT, 200));
    actor->hp = answerNumber(getUserString("HP:", PROMPT_LEFT, 240));
    actor->hpMax = answerNumber(getUserString("HP MAX:", PROMPT_LEFT, 280));
    actor->mp = answerNumber(getUserString("MP:", PROMPT_LEFT, 320));
    actor->mpMax = answerNumber(getUserString("MP MAX:", PROMPT_LEFT, 360));
    actor->experience = answerNumber(getUserString("Experience:", PROMPT_LEFT, 400));
    actor->strength = answerNumber(getUserString("Strength:", PROMPT_LEFT, 440));
    actor->dexterity = answerNumber(getUserString("Dexterity:", PROMPT_LEFT, 480));
    actor->intelligence = answerNumber(getUserString("Intelligence:", PROMPT_LEFT, 520));
    // The window is full of prompts by now: clear it for the last two.
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 100));
    actor->isHostile = answerYes(getUserString("Boolean, is Hostile:", PROMPT_LEFT, 0));
    actor->isWandering = answerYes(getUserString("Boolean, is wandering:", PROMPT_LEFT, 40));
    npcs.push_back(actor);
    history.record(NpcPresence{static_cast<int>(npcs.size()) - 1, std::make_unique<Actor>(*actor), false});
}

void MapEditor::killNPCAt(int x, int y) {
    int index = 0;
    for (Actor* actor : npcs) {
        int ax = truncateToInt(actor->x), ay = truncateToInt(actor->y);
        if (!collide(x, y, CLICK_BOX, CLICK_BOX, ax, ay, OBJECT_BOX, OBJECT_BOX)) {
            ++index;
            continue;
        }
        // The earliest added NPC under the click goes; undo puts it back at the same place.
        npcs.remove(actor);
        history.record(NpcPresence{index, std::unique_ptr<Actor>(actor), true});
        return;
    }
}
