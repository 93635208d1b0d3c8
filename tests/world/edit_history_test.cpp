// The edit history on the model alone: every kind of step undone and redone, the bounds, the saved mark.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "test_support.h"
#include "world/document.h"

namespace {
// Everything a save would write.
std::string bytes(const World& w) {
    std::string all = w.map.serialize();
    for (const Actor& a : w.npcs) all += a.serialize();
    for (const Item& i : w.items) all += i.serialize();
    return all;
}

void record(World& w, EditHistory& history, CellsEdit e) {
    applyCells(w.map, e);
    history.record(std::move(e));
}
}  // namespace

// Each undo must give back the world as it was before that step, byte for byte, and each redo
// the world after it (a removed NPC back in its place, a removed item back to its type); each
// says what it did. The steps are the document's own edits.
TEST(EditHistory, EveryKindOfStepUndoesAndRedoesByteForByte) {
    auto d = std::make_unique<Document>();
    auto npc = [](const char* name, float x) {
        Actor a;
        a.name = name, a.x = x;
        return a;
    };
    auto item = [](int type, const char* name, float x) {
        Item i;
        i.type = type, i.name = name, i.x = x;
        return i;
    };
    const std::pair<std::function<void()>, std::string> steps[] = {
        {[&] { d->fill(2, 1, 4, 4, 7); }, "fill of 12 cells"},
        {[&] { d->paint(9, 8, 3); }, "paint of cell 9,8"},
        {[&] { d->placeNpc(npc("Ann", 0)); }, "NPC \"Ann\" placed"},
        {[&] { d->placeNpc(npc("Bob", 100)); }, "NPC \"Bob\" placed"},
        {[&] { d->placeNpc(npc("Cy", 200)); }, "NPC \"Cy\" placed"},
        {[&] { d->placeItem(item(3, "Cup", 0)); }, "item \"Cup\" placed"},
        {[&] { d->placeItem(item(ITEM_TYPE_RANGED, "Bow", 100)); }, "item \"Bow\" placed"},
        {[&] { d->killNPCAt(110, 10); }, "NPC \"Bob\" removed"},
        {[&] { d->killItemAt(10, 10); }, "item \"Cup\" removed"},
        {[&] {
             Actor edited = d->npcs[1];
             edited.hp = 40;
             d->editNpc(1, edited);
         },
         "NPC \"Cy\" edited"},
        {[&] {
             Item edited = d->items[1];
             edited.price = 9;
             d->editItem(1, edited);
         },
         "item \"Bow\" edited"},
        {[&] { d->moveNpc(0, 30, -5); }, "NPC \"Ann\" moved"},
        {[&] { d->moveItem(1, -100, 2000); }, "item \"Bow\" moved"},
    };
    std::vector<std::string> states = {bytes(*d)};  // after each step
    for (const auto& step : steps) step.first(), states.push_back(bytes(*d));
    ASSERT_EQ(states.size(), d->history.stepCount() + 1);
    for (size_t i = states.size() - 1; i > 0; --i) {
        const Outcome undone = d->undo();
        EXPECT_EQ(undone.said.outText(), "Undo: " + steps[i - 1].second + "\n");
        ASSERT_TRUE(bytes(*d) == states[i - 1]) << undone.said.outText();
    }
    EXPECT_EQ(d->undo().said.outText(), "Nothing to undo\n");
    for (size_t i = 1; i < states.size(); ++i) {
        const Outcome redone = d->redo();
        EXPECT_EQ(redone.said.outText(), "Redo: " + steps[i - 1].second + "\n");
        ASSERT_TRUE(bytes(*d) == states[i]) << redone.said.outText();
    }
    EXPECT_EQ(d->redo().said.outText(), "Nothing to redo\n");
}

// The saved mark can be reached again by undo and redo until a new edit ends the steps that led there.
TEST(EditHistory, TheSavedMarkFollowsUndoAndRedoAndANewEditDropsTheRedoSteps) {
    auto w = makeWorld();
    EditHistory history;
    std::string said;
    EXPECT_TRUE(paintCells(w->map, 0, 0, 3, 3, 0, true).cells.empty());  // changes nothing: no step
    for (int x : {1, 2, 3}) record(*w, history, paintCells(w->map, x, 0, x, 0, 7, false));
    history.markSaved();
    history.undo(*w, said);
    EXPECT_TRUE(history.hasUnsavedEdits());
    history.redo(*w, said);
    EXPECT_FALSE(history.hasUnsavedEdits());  // back where the disk is
    history.undo(*w, said);
    history.undo(*w, said);
    record(*w, history, paintCells(w->map, 0, 0, 0, 0, 1, false));  // ends the two redo steps
    EXPECT_EQ(history.stepCount(), 2u);
    EXPECT_FALSE(history.redo(*w, said));
    EXPECT_TRUE(history.hasUnsavedEdits());
    history.clear();
    EXPECT_FALSE(history.hasUnsavedEdits());
    EXPECT_FALSE(history.undo(*w, said));
}

TEST(EditHistory, KeepsAtMostTenThousandStepsInLittleMemory) {
    auto w = makeWorld();
    EditHistory history;
    for (int i = 0; i < 10050; ++i)
        record(*w, history, paintCells(w->map, i % MAP_SIZE, i / MAP_SIZE, i % MAP_SIZE, i / MAP_SIZE, 1 + i % 2, false));
    EXPECT_EQ(history.stepCount(), EditHistory::MAX_STEPS);
    std::string said;
    while (history.undo(*w, said)) {
    }
    EXPECT_EQ(w->map.tiles[0][49], 2);  // the 50 oldest are gone for good
    EXPECT_EQ(w->map.tiles[0][50], 0);

    // Large steps are dropped by size: whole-map fills of about 1 MiB each.
    EditHistory big;
    for (int i = 0; i < 80; ++i) record(*w, big, paintCells(w->map, 0, 0, MAP_SIZE - 1, MAP_SIZE - 1, 3 + i % 2, true));
    EXPECT_LE(big.bytes(), EditHistory::MAX_BYTES);
    EXPECT_LT(big.stepCount(), 80u);
}
