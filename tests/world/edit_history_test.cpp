// The edit history on the model alone: every kind of step undone and redone, the bounds, the saved mark.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "test_support.h"
#include "world/edit_history.h"

namespace {
struct World : OwnedWorld {
    WorldRef ref() { return WorldRef{*map, npcs, items}; }
    // Everything a save would write.
    std::string bytes() const {
        std::string all = map->serialize();
        for (const Actor* a : npcs) all += a->serialize();
        for (const Item* i : items) all += i->serialize();
        return all;
    }
};

void record(World& w, EditHistory& history, CellsEdit e) {
    applyCells(*w.map, e);
    history.record(std::move(e));
}
}  // namespace

// Each undo must give back the world as it was before that step, byte for byte, and each redo
// the world after it (a removed NPC back in its place, a removed item back to its type); each
// says what it did.
TEST(EditHistory, EveryKindOfStepUndoesAndRedoesByteForByte) {
    World w;
    EditHistory history;
    auto placeNpc = [&](const char* name) {
        w.npcs.push_back(new Actor());
        w.npcs.back()->name = name;
        history.record(NpcPresence{static_cast<int>(w.npcs.size()) - 1, std::make_unique<Actor>(*w.npcs.back()), false});
    };
    auto placeItem = [&](int type, const char* name) {
        w.items.push_back(new Item());
        w.items.back()->type = type;
        w.items.back()->name = name;
        history.record(ItemPlaced{static_cast<int>(w.items.size()) - 1, std::make_unique<Item>(*w.items.back())});
    };
    const std::pair<std::function<void()>, std::string> steps[] = {
        {[&] { record(w, history, paintCells(*w.map, 2, 1, 4, 4, 7, true)); }, "fill of 12 cells"},
        {[&] { record(w, history, paintCells(*w.map, 9, 8, 9, 8, 3, false)); }, "paint of cell 9,8"},
        {[&] { placeNpc("Ann"); }, "NPC \"Ann\" placed"},
        {[&] { placeNpc("Bob"); }, "NPC \"Bob\" placed"},
        {[&] { placeNpc("Cy"); }, "NPC \"Cy\" placed"},
        {[&] { placeItem(3, "Cup"); }, "item \"Cup\" placed"},
        {[&] { placeItem(ITEM_TYPE_RANGED, "Bow"); }, "item \"Bow\" placed"},
        {[&] {
             Actor* removed = *std::next(w.npcs.begin());
             w.npcs.remove(removed);
             history.record(NpcPresence{1, std::unique_ptr<Actor>(removed), true});
         },
         "NPC \"Bob\" removed"},
        {[&] { history.record(ItemRemoved{0, w.items[0]->type}), w.items[0]->type = ITEM_TYPE_REMOVED; },
         "item \"Cup\" removed"},
        {[&] {
             auto before = std::make_unique<Actor>(*w.npcs.back());
             w.npcs.back()->hp = 40;
             history.record(NpcEdit{1, std::move(before), std::make_unique<Actor>(*w.npcs.back())});
         },
         "NPC \"Cy\" edited"},
        {[&] {
             auto before = std::make_unique<Item>(*w.items[1]);
             w.items[1]->price = 9;
             history.record(ItemEdit{1, std::move(before), std::make_unique<Item>(*w.items[1])});
         },
         "item \"Bow\" edited"},
    };
    std::vector<std::string> states = {w.bytes()};  // after each step
    for (const auto& step : steps) step.first(), states.push_back(w.bytes());
    ASSERT_EQ(states.size(), history.stepCount() + 1);
    std::string said;
    for (size_t i = states.size() - 1; i > 0; --i) {
        ASSERT_TRUE(history.undo(w.ref(), said)) << said;
        EXPECT_EQ(said, "Undo: " + steps[i - 1].second);
        ASSERT_TRUE(w.bytes() == states[i - 1]) << said;
    }
    EXPECT_FALSE(history.undo(w.ref(), said));
    EXPECT_EQ(said, "Nothing to undo");
    for (size_t i = 1; i < states.size(); ++i) {
        ASSERT_TRUE(history.redo(w.ref(), said)) << said;
        EXPECT_EQ(said, "Redo: " + steps[i - 1].second);
        ASSERT_TRUE(w.bytes() == states[i]) << said;
    }
    EXPECT_FALSE(history.redo(w.ref(), said));
    EXPECT_EQ(said, "Nothing to redo");
}

// The saved mark can be reached again by undo and redo until a new edit ends the steps that led there.
TEST(EditHistory, TheSavedMarkFollowsUndoAndRedoAndANewEditDropsTheRedoSteps) {
    World w;
    EditHistory history;
    std::string said;
    EXPECT_TRUE(paintCells(*w.map, 0, 0, 3, 3, 0, true).cells.empty());  // changes nothing: no step
    for (int x : {1, 2, 3}) record(w, history, paintCells(*w.map, x, 0, x, 0, 7, false));
    history.markSaved();
    history.undo(w.ref(), said);
    EXPECT_TRUE(history.hasUnsavedEdits());
    history.redo(w.ref(), said);
    EXPECT_FALSE(history.hasUnsavedEdits());  // back where the disk is
    history.undo(w.ref(), said);
    history.undo(w.ref(), said);
    record(w, history, paintCells(*w.map, 0, 0, 0, 0, 1, false));  // ends the two redo steps
    EXPECT_EQ(history.stepCount(), 2u);
    EXPECT_FALSE(history.redo(w.ref(), said));
    EXPECT_TRUE(history.hasUnsavedEdits());
    history.clear();
    EXPECT_FALSE(history.hasUnsavedEdits());
    EXPECT_FALSE(history.undo(w.ref(), said));
}

TEST(EditHistory, KeepsAtMostTenThousandStepsInLittleMemory) {
    World w;
    EditHistory history;
    for (int i = 0; i < 10050; ++i)
        record(w, history, paintCells(*w.map, i % MAP_SIZE, i / MAP_SIZE, i % MAP_SIZE, i / MAP_SIZE, 1 + i % 2, false));
    EXPECT_EQ(history.stepCount(), EditHistory::MAX_STEPS);
    std::string said;
    while (history.undo(w.ref(), said)) {
    }
    EXPECT_EQ(w.map->tiles[0][49], 2);  // the 50 oldest are gone for good
    EXPECT_EQ(w.map->tiles[0][50], 0);

    // Large steps are dropped by size: whole-map fills of about 1 MiB each.
    EditHistory big;
    for (int i = 0; i < 80; ++i) record(w, big, paintCells(*w.map, 0, 0, MAP_SIZE - 1, MAP_SIZE - 1, 3 + i % 2, true));
    EXPECT_LE(big.bytes(), EditHistory::MAX_BYTES);
    EXPECT_LT(big.stepCount(), 80u);
}
