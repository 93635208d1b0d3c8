// A world of 10,000 NPCs and 10,000 items is checked whole, with nothing missed. How fast
// is for the benchmark; this only checks the result.
#include <gtest/gtest.h>

#include "check_world.h"

TEST(WorldCheckLargeWorld, TenThousandNpcsAndItems) {
    constexpr int COUNT = 10000;
    FixtureWorld world;
    world.setNpcs({});
    world.setItems({});
    for (int n = 0; n < COUNT; ++n) {
        Actor npc;
        npc.name = "Villager " + std::to_string(n);
        npc.x = static_cast<float>(n % 300 * 48);
        npc.y = static_cast<float>(n / 300 * 48);
        npc.sprite = n % 9;
        npc.direction = n % 4;
        if (n == 9999) npc.sprite = 9;
        writeFile(world / ("data/npcdef/" + std::to_string(n) + ".def"), npc.serialize());
        Item item;
        item.type = n % 10;
        item.range = 3;
        item.owner = n == 5000 ? -2 : n % 4;
        writeFile(world / ("data/idef/" + std::to_string(n) + ".def"), item.serialize());
    }
    writeFile(world / "data/npcdef/10001.def", Actor().serialize());
    ProcessResult result = runCheck(world);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out,
              "data/idef/5000.def:4: owner -2 is negative (read as 2)\n"
              "data/npcdef: files after the gap at 10000.def are never loaded: 10001.def\n"
              "data/npcdef/9999.def:18: sprite 9 is outside 0..8 (drawn as the missing-image icon)\n"
              "3 problems in 3 files\n");
}
