// The default world generator: the files it writes, read back the way the editor reads them.
// That the map file's form, tile numbers, sprites and icons are all valid for the editor is
// checked by worldcheck's tests on the default world.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "png_pixels.h"
#include "test_support.h"
#include "world/actor.h"
#include "world/defdir.h"
#include "world/item.h"
#include "world/map.h"
#include "worldgen.h"

namespace {

std::string numbered(const std::string& dir, int n) { return "data/assets/" + dir + "/" + std::to_string(n) + ".png"; }

TEST(Worldgen, TilesAreDistinctAndOpaqueAndTheArtEndsWhereTheEditorsListsEnd) {
    TempDir world;
    ASSERT_TRUE(generateWorld(world.path));
    auto picture = [&](const std::string& relative) { return loadPngPixels(world / relative); };
    std::vector<std::vector<Uint32>> seen;  // every tile differs from the others
    for (int n = 0; n <= LAST_TILE; n++) {
        PngPixels tile = picture(numbered("tiles", n));
        ASSERT_EQ(tile.width * tile.height, 48 * 48) << n;
        EXPECT_TRUE(std::all_of(tile.pixels.begin(), tile.pixels.end(), [](Uint32 p) { return p >> 24 == 255; })) << n;
        seen.push_back(tile.pixels);
    }
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end()) << "two pictures are the same";
    for (const char* end : {"tiles/47", "icns/29", "items/12"})
        EXPECT_FALSE(fileExists(world / ("data/assets/" + std::string(end) + ".png"))) << end;
    // The owner badge lies under an item picture: it must show where the picture is clear.
    PngPixels badge = picture(numbered("icns", 18)), item = picture(numbered("items", 0));
    int badgeShows = 0;
    for (size_t i = 0; i < item.pixels.size() && i < badge.pixels.size(); i++)
        badgeShows += (badge.pixels[i] >> 24) && !(item.pixels[i] >> 24);
    EXPECT_GT(badgeShows, 200);
    EXPECT_EQ(readFile(world / "edfont.ttf"), readFile(FONT_SOURCE));
}

TEST(Worldgen, MapIsASeaBoundIslandTheSameEveryTimeWithObjectsOnOpenGround) {
    TempDir world, again;
    ASSERT_TRUE(generateWorld(world.path));
    ASSERT_TRUE(generateMap(again.path));
    EXPECT_EQ(readFile(again / "data/map.dat"), readFile(world / "data/map.dat"));
    auto map = std::make_unique<Map>();
    ASSERT_TRUE(map->loadMap(world / "data"));
    int land = 0;
    for (int i = 0; i < MAP_SIZE; i++) {
        for (auto [x, y] : {std::pair{i, 0}, {i, MAP_SIZE - 1}, {0, i}, {MAP_SIZE - 1, i}})
            EXPECT_EQ(map->getTileAt(x, y), SEA_TILE) << x << "," << y;
        for (int j = 0; j < MAP_SIZE; j++) land += !map->isSolid(j * 48.0f, i * 48.0f);
    }
    EXPECT_GT(land, MAP_SIZE * MAP_SIZE / 3);  // mostly walkable island, not mostly sea
    std::list<Actor*> npcs;
    std::vector<Item*> items;
    EXPECT_GE(loadActorFiles(world / "data", npcs), 6);
    EXPECT_GE(loadItemFiles(world / "data", items), 8);
    int inView = 0, ranged = 0, owned = 0;
    auto placedWell = [&](float x, float y, const std::string& name) {
        EXPECT_TRUE(!map->isSolid(x, y) && !map->isSea(x, y)) << name;
        inView += x + 48 <= 800 && y + 48 <= 600;
    };
    for (Actor* a : npcs) placedWell(a->x, a->y, a->name), delete a;
    for (Item* i : items) {
        placedWell(i->x, i->y, i->name);
        ranged += i->type == ITEM_TYPE_RANGED && i->range > 0;
        owned += i->owner != 0;
        delete i;
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
    EXPECT_TRUE(fileExists(dir / "new/world/data/assets/sprites/8/3-2.png"));
}

}  // namespace
