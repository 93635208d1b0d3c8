// Comparing two worlds read from real files: planted differences and what is reported.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "test_support.h"
#include "world/defdir.h"
#include "world/world_diff.h"

namespace {
// A small world: a map of tile 0, ten NPCs and three items, each change planted on top.
struct Planted {
    Map map;
    std::vector<Actor> npcs;
    std::vector<Item> items;
    std::map<std::string, std::string> raw;  // files under data written as they are, after the records
    Planted() {
        map.Init();
        map.tiles[349][10] = 1;
        for (int n = 0; n < 10; ++n) {
            npcs.emplace_back();
            npcs.back().name = "N" + std::to_string(n);
            npcs.back().x = static_cast<float>(100 * n);
        }
        for (const char* name : {"Cup", "Bow", "Key"}) {
            items.emplace_back();
            items.back().name = name;
            items.back().x = items.back().y = 50;
        }
    }
    void write(const std::string& root) const {
        std::string data = root + "/data";
        writeFile(data + "/map.dat", map.serialize());
        for (size_t n = 0; n < npcs.size(); ++n) writeFile(npcDefPath(data, static_cast<int>(n)), npcs[n].serialize());
        for (size_t n = 0; n < items.size(); ++n) writeFile(itemDefPath(data, static_cast<int>(n)), items[n].serialize());
        for (const auto& [path, bytes] : raw) writeFile(data + "/" + path, bytes);
    }
};
}  // namespace

TEST(WorldDiff, PlantedDifferencesAreReportedAsTheEditorReadsThem) {
    const struct {
        const char* what;
        std::function<void(Planted&)> change;
        std::string out;
    } cases[] = {
        {"cells in one row", [](Planted& w) { for (int x = 3; x <= 7; ++x) w.map.tiles[12][x] = 21; },
         "data/map.dat:13: x=3..7: tile 0 -> 21\n5 cells in 1 row\n"},
        {"cells across rows, split where the old or the new tile changes",
         [](Planted& w) { w.map.tiles[349][9] = w.map.tiles[349][10] = 2, w.map.tiles[0][348] = 4, w.map.tiles[0][349] = 5; },
         "data/map.dat:1: x=348: tile 0 -> 4\ndata/map.dat:1: x=349: tile 0 -> 5\n"
         "data/map.dat:350: x=9: tile 0 -> 2\ndata/map.dat:350: x=10: tile 1 -> 2\n4 cells in 2 rows\n"},
        {"the third of ten NPCs removed", [](Planted& w) { w.npcs.erase(w.npcs.begin() + 2); },
         "data/npcdef/2.def: removed \"N2\" at 200,0\n1 NPC removed\n"},
        {"an NPC added", [](Planted& w) { w.npcs.insert(w.npcs.begin() + 4, Actor()), w.npcs[4].name = "Guard",
                                          w.npcs[4].x = 500, w.npcs[4].y = 300; },
         "data/npcdef/4.def: added \"Guard\" at 500,300\n1 NPC added\n"},
        {"an NPC changed in one field", [](Planted& w) { w.npcs[1].name = "Bobby"; },
         "data/npcdef/1.def:16: name \"N1\" -> \"Bobby\"\n1 NPC changed\n"},
        {"an item turned to type 5, another removed",
         [](Planted& w) { w.items[2].type = ITEM_TYPE_REMOVED, w.items[2].owner = 3, w.items.erase(w.items.begin()); },
         "data/idef/0.def: removed \"Cup\" at 50,50\ndata/idef/1.def: removed (type 5)\n2 items removed\n"},
        {"an item changed where a stretch pairs up", [](Planted& w) { w.items[1].owner = 3, w.items[2].owner = 1; },
         "data/idef/1.def:4: owner 0 -> 3\ndata/idef/2.def:4: owner 0 -> 1\n2 items changed\n"},
        {"a file after a numbering gap, and a number with stray text",
         [](Planted& w) {
             w.raw["npcdef/11.def"] = Actor().serialize();
             w.raw["idef/0.def"] = "0abc" + w.items[0].serialize().substr(1);
         },
         "no differences\n"},
    };
    Planted base;
    TempDir oldRoot;
    base.write(oldRoot.path);
    auto olds = std::make_unique<World>(), news = std::make_unique<World>();
    ASSERT_EQ(readWorld(oldRoot.path, *olds), "");
    for (const auto& c : cases) {
        Planted planted;
        c.change(planted);
        TempDir newRoot;
        planted.write(newRoot.path);
        ASSERT_EQ(readWorld(newRoot.path, *news), "") << c.what;
        EXPECT_EQ(diffWorlds(*olds, *news).text(), c.out) << c.what;
    }
}
