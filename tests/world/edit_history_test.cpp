// The edit history on the model alone: random edits undone and redone, the bounds, the saved mark.
#include <gtest/gtest.h>

#include <memory>
#include <random>

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

// One random edit, applied as the editor applies it and recorded.
void randomEdit(World& w, EditHistory& history, std::mt19937& rng) {
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const int tile = pick(LAST_TILE + 1);
    switch (pick(7)) {
    case 0:
    case 1: {
        const int x = pick(MAP_SIZE), y = pick(MAP_SIZE);
        return record(w, history, paintCells(*w.map, x, y, x + pick(20), y + pick(20), tile, true));
    }
    case 2: {
        auto* a = new Actor();
        a->name = "npc" + std::to_string(pick(1000));
        a->x = static_cast<float>(pick(5000));
        w.npcs.push_back(a);
        history.record(NpcPresence{static_cast<int>(w.npcs.size()) - 1, std::make_unique<Actor>(*a), false});
        return;
    }
    case 3: {
        if (w.npcs.empty()) return;
        const int index = pick(static_cast<int>(w.npcs.size()));
        auto at = std::next(w.npcs.begin(), index);
        Actor* a = *at;
        w.npcs.erase(at);
        history.record(NpcPresence{index, std::unique_ptr<Actor>(a), true});
        return;
    }
    case 4: {
        auto* i = new Item();
        i->type = pick(10);
        i->name = "item" + std::to_string(pick(1000));
        w.items.push_back(i);
        history.record(ItemPlaced{static_cast<int>(w.items.size()) - 1, std::make_unique<Item>(*i)});
        return;
    }
    case 5: {
        if (w.items.empty()) return;
        const int index = pick(static_cast<int>(w.items.size()));
        history.record(ItemRemoved{index, w.items[index]->type});
        w.items[index]->type = ITEM_TYPE_REMOVED;
        return;
    }
    default: {
        if (w.npcs.empty() || w.items.empty()) return;
        const int n = pick(static_cast<int>(w.npcs.size())), i = pick(static_cast<int>(w.items.size()));
        Actor* a = *std::next(w.npcs.begin(), n);
        auto before = std::make_unique<Actor>(*a);
        a->hp = pick(100);
        a->name += "!";
        if (pick(2)) return history.record(NpcEdit{n, std::move(before), std::make_unique<Actor>(*a)});
        *a = *before;
        auto itemBefore = std::make_unique<Item>(*w.items[i]);
        w.items[i]->price = pick(100);
        history.record(ItemEdit{i, std::move(itemBefore), std::make_unique<Item>(*w.items[i])});
    }
    }
}
}  // namespace

// Each undo must give back the world as it was before that step, byte for byte, and each redo
// the world after it: a removed NPC back in its place, a removed item back to its type.
TEST(EditHistory, RandomEditsUndoAndRedoStepByStep) {
    for (unsigned seed = 1; seed <= 5; ++seed) {
        World w;
        EditHistory history;
        std::mt19937 rng(seed);
        std::vector<std::string> states = {w.bytes()};  // after each step
        for (int i = 0; i < 400; ++i) {
            const size_t steps = history.stepCount();
            randomEdit(w, history, rng);  // one step at most
            if (history.stepCount() != steps) states.push_back(w.bytes());
        }
        ASSERT_EQ(states.size(), history.stepCount() + 1);
        std::string said;
        for (size_t i = states.size() - 1; i > 0; --i) {
            ASSERT_TRUE(history.undo(w.ref(), said)) << said;
            ASSERT_TRUE(w.bytes() == states[i - 1]) << "seed " << seed << ", " << said;
        }
        EXPECT_FALSE(history.undo(w.ref(), said));
        EXPECT_EQ(said, "Nothing to undo");
        for (size_t i = 1; i < states.size(); ++i) {
            ASSERT_TRUE(history.redo(w.ref(), said)) << said;
            ASSERT_TRUE(w.bytes() == states[i]) << "seed " << seed << ", " << said;
        }
        EXPECT_FALSE(history.redo(w.ref(), said));
        EXPECT_EQ(said, "Nothing to redo");
    }
}

// The saved mark can be reached again by undo and redo until a new edit ends the steps that led there.
TEST(EditHistory, StepsSayWhatTheyDidAndTheSavedMarkFollowsThem) {
    World w;
    EditHistory history;
    std::string said;
    EXPECT_TRUE(paintCells(*w.map, 0, 0, 3, 3, 0, true).cells.empty());  // changes nothing: no step
    record(w, history, paintCells(*w.map, 2, 1, 4, 4, 7, true));
    record(w, history, paintCells(*w.map, 9, 8, 9, 8, 3, false));
    w.npcs.push_back(new Actor());
    w.npcs.back()->name = "Guard";
    history.record(NpcPresence{0, std::make_unique<Actor>(*w.npcs.back()), false});
    EXPECT_TRUE(history.hasUnsavedEdits());
    history.markSaved();
    history.undo(w.ref(), said);
    EXPECT_TRUE(history.hasUnsavedEdits());
    history.redo(w.ref(), said);
    EXPECT_EQ(said, "Redo: NPC \"Guard\" placed");
    EXPECT_FALSE(history.hasUnsavedEdits());  // back where the disk is

    for (const char* line : {"Undo: NPC \"Guard\" placed", "Undo: paint of cell 9,8", "Undo: fill of 12 cells"}) {
        history.undo(w.ref(), said);
        EXPECT_EQ(said, line);
    }
    history.redo(w.ref(), said);
    EXPECT_EQ(w.map->tiles[4][4], 7);
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
