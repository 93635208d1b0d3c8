// The default world generator, its files read back the way the editor reads them. That every
// file is valid for the editor is checked by worldcheck's tests on the default world, and that
// the art ends where the editor's lists end, by the start-up tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <list>
#include <memory>

#include "png_pixels.h"
#include "test_support.h"
#include "world/defdir.h"
#include "worldgen.h"

TEST(Worldgen, ASeaBoundIslandTheSameEveryTimeWithDistinctTilesAndObjectsOnOpenGround) {
    TempDir world, again;
    ASSERT_TRUE(generateWorld(world.path));
    ASSERT_TRUE(generateMap(again.path));
    EXPECT_EQ(readFile(again / "data/map.dat"), readFile(world / "data/map.dat"));
    std::vector<std::vector<Uint32>> tiles;
    for (int n = 0; n <= LAST_TILE; n++) tiles.push_back(loadPngPixels(world / ("data/assets/tiles/" + std::to_string(n) + ".png")).pixels);
    std::sort(tiles.begin(), tiles.end());
    EXPECT_EQ(std::adjacent_find(tiles.begin(), tiles.end()), tiles.end()) << "two tiles look the same";

    auto map = std::make_unique<Map>();
    ASSERT_TRUE(map->loadMap(world / "data"));
    int land = 0;
    for (int i = 0; i < MAP_SIZE; i++) {
        for (auto [x, y] : {std::pair{i, 0}, {i, MAP_SIZE - 1}, {0, i}, {MAP_SIZE - 1, i}})
            EXPECT_EQ(map->getTileAt(x, y), SEA_TILE) << x << "," << y;
        for (int j = 0; j < MAP_SIZE; j++) land += !map->isSolid(j * 48.0f, i * 48.0f);
    }
    EXPECT_GT(land, MAP_SIZE * MAP_SIZE / 3);  // mostly walkable island, not mostly sea
    OwnedWorld objects;
    EXPECT_GE(loadActorFiles(world / "data", objects.npcs), 6);
    EXPECT_GE(loadItemFiles(world / "data", objects.items), 8);
    int inView = 0, ranged = 0, owned = 0;
    auto placedWell = [&](float x, float y) {
        EXPECT_TRUE(!map->isSolid(x, y) && !map->isSea(x, y)) << x << "," << y;
        inView += x + 48 <= 800 && y + 48 <= 600;
    };
    for (Actor* a : objects.npcs) placedWell(a->x, a->y);
    for (Item* i : objects.items) {
        placedWell(i->x, i->y);
        ranged += i->type == ITEM_TYPE_RANGED && i->range > 0;
        owned += i->owner != 0;
    }
    EXPECT_TRUE(inView >= 2 && ranged && owned) << inView << ranged << owned;
}

TEST(Worldgen, CommandWritesTheWorldOrSaysWhyNot) {
    TempDir dir;
    writeFile(dir / "plain", "not a directory");
    const struct {
        std::vector<std::string> args;
        int status;
        const char* out;  // in the standard output
    } cases[] = {{{dir / "new/world"}, 0, "\n"}, {{"--help"}, 0, "usage: worldgen <root>"}, {{}, 1, ""}, {{dir / "plain/world"}, 1, ""}};
    for (const auto& c : cases) {
        std::vector<std::string> argv = {WORLDGEN_BINARY};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        ProcessResult run = runProcess(argv, "", {}, 30000);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_NE(run.out.find(c.out), std::string::npos) << run.out;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), c.status) << run.err;  // one clear line on failure
    }
    EXPECT_EQ(readFile(dir / "new/world/edfont.ttf"), readFile(FONT_SOURCE));
}
