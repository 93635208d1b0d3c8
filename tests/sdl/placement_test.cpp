// Placing NPCs and items through the real prompt, and removing them by a click's position.
#include <SDL.h>
#include <unistd.h>

#include <climits>
#include <string>
#include <vector>

#include "driving.h"
#include "editor_fixture.h"

namespace {

const char* const NPC_QUESTIONS[16] = {
    "Name:", "First convo string:", "Second convo string:", "Sprite to use:", "Direction (0-3):",
    "Response flag ID:", "HP:", "HP MAX:", "MP:", "MP MAX:", "Experience:", "Strength:", "Dexterity:",
    "Intelligence:", "Boolean, is Hostile:", "Boolean, is wandering:",
};
const char* const ITEM_QUESTIONS[9] = {
    "Name:", "Short name:", "Description:", "Type (check docs for list):", "Maximum Effect:", "Price:",
    "Owner (check docs for list):", "Icon:", "This is a ranged weapon (gun or bow). Range in tiles?",
};
constexpr int PROMPT_X = 10;
constexpr int QUESTION_SPACING = 40;

class PlacementTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        alarm(60);  // a prompt that never returns ends the run instead of hanging it
    }
    void TearDown() override {
        alarm(0);
        EditorTest::TearDown();
    }
    Actor* placeNpc(const std::vector<std::string>& answers, int x = 0, int y = 0) {
        queueAnswers(answers);
        editor->createNewNPCAt(x, y);
        return editor->npcs.empty() ? nullptr : editor->npcs.back();
    }
    Item* placeItem(const std::vector<std::string>& answers, int x = 0, int y = 0) {
        queueAnswers(answers);
        editor->createNewItemAt(x, y);
        return editor->items.empty() ? nullptr : editor->items.back();
    }
    Actor* addNpc(float x, float y) {
        Actor* actor = new Actor();
        actor->x = x;
        actor->y = y;
        editor->npcs.push_back(actor);
        return actor;
    }
    Item* addItem(float x, float y, int type = 0) {
        Item* item = new Item();
        item->x = x;
        item->y = y;
        item->type = type;
        editor->items.push_back(item);
        return item;
    }
    // The screen that a row of questions leaves on a plain background: each prompt in red
    // at its place, with its empty black strip under it.
    std::vector<Uint16> questionsOn(Uint8 r, Uint8 g, Uint8 b, const char* const* prompts, int count) {
        fillScreen(editor->screen, r, g, b);
        for (int i = 0; i < count; ++i) {
            editor->drawTextAt(prompts[i], PROMPT_X, i * QUESTION_SPACING);
            fillArea(editor->screen, PROMPT_X, i * QUESTION_SPACING + 20, 500, 20, 0, 0, 0);
        }
        return grabScreen(editor->screen);
    }
};

std::vector<std::string> noAnswers(int count) { return std::vector<std::string>(count, ""); }

// ---- NPCs

TEST_F(PlacementTest, NpcQuestionsStandOneUnderAnotherThenTwoMoreOnDarkBlue) {
    SDL_Surface* screen = editor->screen;
    fillScreen(screen, 0, 160, 0);
    std::vector<Uint16> atQuestion14;
    EventFeeder feeder([&](EventFeeder& f) {
        for (int i = 0; i < 13; ++i) f.push(returnKey());
        // Question 14 is open once its strip is black; all fourteen show then.
        const int strip14 = 13 * QUESTION_SPACING + 20;
        f.waitFor([&] { return allAre(grab(screen, PROMPT_X, strip14, 500, 20), rawColour(screen, 0, 0, 0)); });
        atQuestion14 = grabScreen(screen);
        for (int i = 0; i < 3; ++i) f.push(returnKey());
    });
    editor->createNewNPCAt(0, 0);
    feeder.join();
    ASSERT_FALSE(feeder.timedOut) << "question 14 never opened at y 520";
    const std::vector<Uint16> atEnd = grabScreen(screen);

    EXPECT_EQ(screenDifference(atQuestion14, questionsOn(0, 160, 0, NPC_QUESTIONS, 14)), "");
    EXPECT_EQ(screenDifference(atEnd, questionsOn(0, 0, 100, NPC_QUESTIONS + 14, 2)), "");
    EXPECT_EQ(atEnd[300 * SCREEN_WIDTH + 700], rawColour(screen, 0, 0, 100));
    EXPECT_EQ(editor->npcs.size(), 1u);
}

TEST_F(PlacementTest, NpcAnswersGoToTheirMembers) {
    Actor* earlier = addNpc(0, 0);
    Actor* npc = placeNpc({"Bob", "hi there", "bye 2", "3", "7", "12 abc", "-5", "", " 12", "1 2",
                           "99999999999", "x8", "8x", "0", "2", "1"},
                          123, 456);
    ASSERT_EQ(editor->npcs.size(), 2u);
    EXPECT_EQ(editor->npcs.front(), earlier);
    EXPECT_EQ(npc->x, 123.0f);
    EXPECT_EQ(npc->y, 456.0f);
    EXPECT_EQ(npc->name, "Bob");
    EXPECT_EQ(npc->firstConvo, "hi there");
    EXPECT_EQ(npc->secondConvo, "bye 2");
    EXPECT_EQ(npc->sprite, 3);
    EXPECT_EQ(npc->direction, 7);  // not range-checked
    EXPECT_EQ(npc->responseFlagId, 12);
    EXPECT_EQ(npc->hp, -5);
    EXPECT_EQ(npc->hpMax, 0);
    EXPECT_EQ(npc->mp, 12);
    EXPECT_EQ(npc->mpMax, 1);
    EXPECT_EQ(npc->experience, INT_MAX);
    EXPECT_EQ(npc->strength, 0);
    EXPECT_EQ(npc->dexterity, 8);
    EXPECT_EQ(npc->intelligence, 0);
    EXPECT_TRUE(npc->isHostile);
    EXPECT_TRUE(npc->isWandering);
    // Nothing asks for these.
    EXPECT_EQ(npc->spareStat, 0);
    EXPECT_EQ(npc->spareValue, 0);
    EXPECT_EQ(npc->frame, 0);
    EXPECT_FALSE(npc->auxFlagA);
    EXPECT_TRUE(eventQueueEmpty());
}

TEST_F(PlacementTest, EmptyNpcAnswersAreStoredAsEmptyTextsAndZeroes) {
    Actor* npc = placeNpc(noAnswers(16));
    ASSERT_NE(npc, nullptr);
    EXPECT_EQ(npc->name, "");
    EXPECT_EQ(npc->firstConvo, "");
    EXPECT_EQ(npc->secondConvo, "");
    for (int value : {npc->sprite, npc->direction, npc->responseFlagId, npc->hp, npc->hpMax, npc->mp, npc->mpMax,
                      npc->experience, npc->strength, npc->dexterity, npc->intelligence})
        EXPECT_EQ(value, 0);
    EXPECT_FALSE(npc->isHostile);
    EXPECT_FALSE(npc->isWandering);
}

TEST_F(PlacementTest, HostileAndWanderingAreYesOnlyForNumbersAboveZero) {
    const struct {
        const char* answer;
        bool yes;
    } cases[] = {{"1", true}, {"2", true}, {"0", false}, {"", false}, {"true", false}, {"-1", false}};
    for (const auto& c : cases) {
        std::vector<std::string> answers = noAnswers(14);
        answers.push_back(c.answer);
        answers.push_back(c.answer);
        Actor* npc = placeNpc(answers);
        ASSERT_NE(npc, nullptr);
        EXPECT_EQ(npc->isHostile, c.yes) << "answer \"" << c.answer << "\"";
        EXPECT_EQ(npc->isWandering, c.yes) << "answer \"" << c.answer << "\"";
    }
}

TEST_F(PlacementTest, RightClickInPlaceNpcModePlacesAtTheWorldPosition) {
    editor->rightClickMode = MODE_PLACE_NPC;
    editor->scrollX = 2;
    editor->scrollY = 1;
    pushClick(SDL_BUTTON_RIGHT, 100, 50);
    std::vector<std::string> answers = noAnswers(16);
    answers[0] = "Guard";
    queueAnswers(answers);
    editor->getInput();
    ASSERT_EQ(editor->npcs.size(), 1u);
    EXPECT_EQ(editor->npcs.front()->name, "Guard");
    EXPECT_EQ(editor->npcs.front()->x, 196.0f);
    EXPECT_EQ(editor->npcs.front()->y, 98.0f);
}

// ---- items

TEST_F(PlacementTest, ItemQuestionsStandOneUnderAnotherOverTheFrame) {
    SDL_Surface* screen = editor->screen;
    fillScreen(screen, 0, 160, 0);
    placeItem({"a", "b", "c", "3", "", "", "", ""});
    const std::vector<Uint16> plain = grabScreen(screen);
    EXPECT_EQ(screenDifference(plain, questionsOn(0, 160, 0, ITEM_QUESTIONS, 8)), "");

    fillScreen(screen, 0, 160, 0);
    placeItem({"a", "b", "c", "8", "", "", "", "", "4"});
    const std::vector<Uint16> ranged = grabScreen(screen);
    EXPECT_EQ(screenDifference(ranged, questionsOn(0, 160, 0, ITEM_QUESTIONS, 9)), "");
}

TEST_F(PlacementTest, ItemAnswersGoToTheirMembers) {
    Item* item = placeItem({"Potion", "pot", "heals you", "3", "25", " 12", "99999999999", "7"}, 196, 50);
    ASSERT_EQ(editor->items.size(), 1u);
    EXPECT_EQ(item->x, 196.0f);
    EXPECT_EQ(item->y, 50.0f);
    EXPECT_EQ(item->name, "Potion");
    EXPECT_EQ(item->shortName, "pot");
    EXPECT_EQ(item->description, "heals you");
    EXPECT_EQ(item->type, 3);
    EXPECT_EQ(item->maxEffect, 25);
    EXPECT_EQ(item->price, 12);
    EXPECT_EQ(item->owner, INT_MAX);
    EXPECT_EQ(item->icon, 7);
    EXPECT_EQ(item->range, 0);
    EXPECT_FALSE(item->auxFlag);

    Item* spaced = placeItem({"", "", "", "", "", "1 2", "", ""});
    EXPECT_EQ(spaced->price, 1);
    EXPECT_EQ(spaced->name, "");  // not the unset item's name
    EXPECT_EQ(spaced->description, "");
    EXPECT_EQ(editor->items.size(), 2u);
}

TEST_F(PlacementTest, OnlyARangedTypeBringsTheRangeQuestion) {
    Item* ranged = placeItem({"Bow", "", "", "8x", "", "", "", "", "12"});
    EXPECT_EQ(ranged->type, ITEM_TYPE_RANGED);
    EXPECT_EQ(ranged->range, 12);
    EXPECT_TRUE(eventQueueEmpty());

    // The answer queued for a ninth question stays for whoever asks next.
    Item* plain = placeItem({"Rock", "", "", "x8", "", "", "", "", "77"});
    EXPECT_EQ(plain->type, 0);
    EXPECT_EQ(plain->range, 0);
    EXPECT_EQ(editor->getUserString("Name:", PROMPT_X, 0), "77");
}

// ---- the box test and removal

TEST_F(PlacementTest, BoxesCollideWhenTheyOverlapOrTouch) {
    EXPECT_TRUE(editor->collide(0, 0, 48, 48, 48, 48, 2, 2));
    EXPECT_TRUE(editor->collide(48, 48, 2, 2, 0, 0, 48, 48));
    EXPECT_TRUE(editor->collide(0, 0, 48, 48, -2, -2, 2, 2));
    EXPECT_TRUE(editor->collide(0, 0, 48, 48, 10, 10, 2, 2));
    EXPECT_FALSE(editor->collide(0, 0, 48, 48, 49, 0, 2, 2));
    EXPECT_FALSE(editor->collide(0, 0, 48, 48, 0, 49, 2, 2));
    EXPECT_FALSE(editor->collide(0, 0, 48, 48, -3, 0, 2, 2));
    EXPECT_FALSE(editor->collide(0, 0, 48, 48, 0, -3, 2, 2));
}

TEST_F(PlacementTest, NpcRemovalReachesTwoPixelsBeforeAndFortyEightAfterItsCorner) {
    // The fractions truncate: the box starts at (200, 300).
    auto removedBy = [&](int x, int y) {
        Actor* actor = addNpc(200.7f, 300.2f);
        editor->killNPCAt(x, y);
        bool removed = editor->npcs.empty();
        if (!removed) {
            editor->npcs.clear();
            delete actor;
        }
        return removed;
    };
    EXPECT_TRUE(removedBy(198, 300));
    EXPECT_FALSE(removedBy(197, 300));
    EXPECT_TRUE(removedBy(200, 298));
    EXPECT_FALSE(removedBy(200, 297));
    EXPECT_TRUE(removedBy(248, 348));
    EXPECT_FALSE(removedBy(249, 300));
    EXPECT_FALSE(removedBy(200, 349));

    // Toward zero, not down: -0.5 is 0.
    editor->npcs.clear();
    Actor* nearOrigin = addNpc(-0.5f, 0);
    editor->killNPCAt(48, 0);
    EXPECT_TRUE(editor->npcs.empty());
    if (!editor->npcs.empty()) {
        editor->npcs.clear();
        delete nearOrigin;
    }
}

TEST_F(PlacementTest, NpcsUnderTheClickGoEarliestFirst) {
    addNpc(96, 144);
    Actor* second = addNpc(100, 150);
    editor->killNPCAt(100, 150);
    ASSERT_EQ(editor->npcs.size(), 1u);
    EXPECT_EQ(editor->npcs.front(), second);
    editor->killNPCAt(100, 150);
    EXPECT_TRUE(editor->npcs.empty());

    // An actor listed twice leaves with both entries.
    Actor* twice = addNpc(96, 144);
    editor->npcs.push_back(twice);
    Actor* elsewhere = addNpc(1000, 1000);
    editor->killNPCAt(100, 150);
    ASSERT_EQ(editor->npcs.size(), 1u);
    EXPECT_EQ(editor->npcs.front(), elsewhere);
}

TEST_F(PlacementTest, RemovalWithNothingThereChangesNothing) {
    editor->killNPCAt(100, 100);
    editor->killItemAt(100, 100);
    EXPECT_TRUE(editor->npcs.empty());
    EXPECT_TRUE(editor->items.empty());

    Actor* actor = addNpc(500, 500);
    Item* item = addItem(500, 500);
    editor->killNPCAt(100, 100);
    editor->killItemAt(100, 100);
    EXPECT_EQ(editor->npcs.front(), actor);
    EXPECT_EQ(item->type, 0);
}

TEST_F(PlacementTest, ItemRemovalHitsFromTwoPixelsBeforeToFortyEightAfterItsCorner) {
    Item* item = addItem(96, 144);
    auto hitBy = [&](int x, int y) {
        item->type = 0;
        editor->killItemAt(x, y);
        return item->type == ITEM_TYPE_REMOVED;
    };
    for (int x : {94, 96, 120, 144}) EXPECT_TRUE(hitBy(x, 150)) << "x " << x;
    for (int y : {142, 144, 170, 192}) EXPECT_TRUE(hitBy(100, y)) << "y " << y;
    EXPECT_TRUE(hitBy(144, 192));
    for (int x : {93, 145}) EXPECT_FALSE(hitBy(x, 150)) << "x " << x;
    for (int y : {141, 193}) EXPECT_FALSE(hitBy(100, y)) << "y " << y;
    EXPECT_EQ(editor->items.size(), 1u);  // a removed item stays listed
}

TEST_F(PlacementTest, ItemRemovalSkipsRemovedItemsAndTakesTheLowestLiveOne) {
    Item* removed = addItem(96, 144, ITEM_TYPE_REMOVED);
    Item* first = addItem(100, 150);
    Item* second = addItem(90, 140);
    editor->killItemAt(100, 150);
    EXPECT_EQ(first->type, ITEM_TYPE_REMOVED);
    EXPECT_EQ(second->type, 0);
    editor->killItemAt(100, 150);
    EXPECT_EQ(second->type, ITEM_TYPE_REMOVED);
    EXPECT_EQ(removed->type, ITEM_TYPE_REMOVED);
    EXPECT_EQ(editor->items.size(), 3u);
}

}  // namespace
