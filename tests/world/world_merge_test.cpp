// Three-way merges of worlds: each case changes OURS and THEIRS from one base, and checks the
// conflict lines and summary, the merged map cell and the merged NPCs' names.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "test_support.h"
#include "world/world_merge.h"

TEST(WorldMerge, ThreeWayCases) {
    using Change = std::function<void(World&)>;
    const struct {
        const char* what;
        Change ours, theirs;
        std::string text;
        int cell;  // the merged tile of cell (4, 3)
        std::string names;
    } cases[] = {
        {"both sides paint different cells", [](World& w) { w.map.tiles[3][4] = 5; },
         [](World& w) { w.map.tiles[9][1] = 7, w.map.tiles[9][2] = 7; }, "merged: 2 cells; no conflicts\n", 5, "N0 N1 N2 N3 N4"},
        {"the same cell painted alike", [](World& w) { w.map.tiles[3][4] = 5; }, [](World& w) { w.map.tiles[3][4] = 5; },
         "merged: nothing to change; no conflicts\n", 5, "N0 N1 N2 N3 N4"},
        {"the same cell painted differently", [](World& w) { w.map.tiles[3][4] = 5; },
         [](World& w) { w.map.tiles[3][4] = 7; },
         "data/map.dat:4: x=4: conflict: ours 5, theirs 7, base 0\nmerged: nothing to change; 1 conflict\n", 5,
         "N0 N1 N2 N3 N4"},
        {"both add NPCs: OURS's first at one place", [](World& w) { w.npcs.insert(w.npcs.begin() + 2, Actor()), w.npcs[2].name = "A"; },
         [](World& w) { w.npcs.insert(w.npcs.begin() + 2, Actor()), w.npcs[2].name = "B", w.npcs.push_back(Actor()), w.npcs.back().name = "C"; },
         "merged: 2 NPCs added; no conflicts\n", 0, "N0 N1 A B N2 N3 N4 C"},
        {"the same NPC added on both sides is taken once",
         [](World& w) { w.npcs.push_back(Actor()); }, [](World& w) { w.npcs.push_back(Actor()); },
         "merged: nothing to change; no conflicts\n", 0, "N0 N1 N2 N3 N4 Unset Actor"},
        {"removed on one side, left alone on the other; an item removed as the editor does",
         [](World& w) { w.npcs.erase(w.npcs.begin() + 1); }, [](World& w) { w.items[0].type = ITEM_TYPE_REMOVED; },
         "merged: 1 item removed; no conflicts\n", 0, "N0 N2 N3 N4"},
        {"one removes an NPC the other changed", [](World& w) { w.npcs.erase(w.npcs.begin() + 2); },
         [](World& w) { w.npcs[2].hp = 9; },
         "data/npcdef/2.def: conflict: removed by ours, changed by theirs\nmerged: nothing to change; 1 conflict\n", 0,
         "N0 N1 N3 N4"},
        {"one changes an item the other removed (type 5)", [](World& w) { w.items[1].price = 3; },
         [](World& w) { w.items[1].type = ITEM_TYPE_REMOVED; },
         "data/idef/1.def: conflict: removed by theirs, changed by ours\nmerged: nothing to change; 1 conflict\n", 0,
         "N0 N1 N2 N3 N4"},
        {"a field changed on both sides, another on one", [](World& w) { w.npcs[4].name = "Bob"; },
         [](World& w) { w.npcs[4].name = "Rob", w.npcs[4].hp = 7; },
         "data/npcdef/4.def:16: conflict: name ours \"Bob\", theirs \"Rob\", base \"N4\"\nmerged: 1 NPC changed; 1 conflict\n",
         0, "N0 N1 N2 N3 Bob"},
    };
    auto base = makeWorld({"N0", "N1", "N2", "N3", "N4"}, 2);
    for (const auto& c : cases) {
        auto ours = std::make_unique<World>(*base), theirs = std::make_unique<World>(*base);
        auto merged = std::make_unique<World>();
        c.ours(*ours);
        c.theirs(*theirs);
        WorldMerge merge = mergeWorlds(*base, *ours, *theirs, *merged);
        EXPECT_EQ(merge.text(*ours, *merged), c.text) << c.what;
        EXPECT_EQ(merged->map.tiles[3][4], c.cell) << c.what;
        std::string names;
        for (const std::string& name : npcNames(*merged)) names += (names.empty() ? "" : " ") + name;
        EXPECT_EQ(names, c.names) << c.what;
    }
    // The field that changed on one side only is merged beside the conflict.
    auto ours = std::make_unique<World>(*base), theirs = std::make_unique<World>(*base);
    ours->npcs[4].name = "Bob", theirs->npcs[4].name = "Rob", theirs->npcs[4].hp = 7;
    mergeWorlds(*base, *ours, *theirs, *ours);
    EXPECT_EQ(ours->npcs[4].hp, 7);
}
