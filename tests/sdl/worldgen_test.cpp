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

using Picture = PngPixels;

class WorldgenTest : public ::testing::Test {
protected:
    static TempDir* world;
    static void SetUpTestSuite() {
        world = new TempDir;
        ASSERT_TRUE(generateWorld(world->path));
    }
    static void TearDownTestSuite() { delete world; }
    static std::string at(const std::string& relative) { return *world / relative; }

    // Loads a picture that must exist, 48x48 unless said otherwise, with an alpha of 0 or 255.
    static Picture picture(const std::string& relative, bool tileSized = true) {
        Picture p = loadPngPixels(at(relative));
        EXPECT_NE(p.width, 0) << relative;
        EXPECT_TRUE(!tileSized || (p.width == 48 && p.height == 48)) << relative << " is " << p.width << "x" << p.height;
        for (Uint32 pixel : p.pixels)
            if (pixel >> 24 != 0 && pixel >> 24 != 255) {
                ADD_FAILURE() << relative << " has partial alpha " << (pixel >> 24);
                break;
            }
        return p;
    }
    // Characters, icons and item pictures stand on a clear background.
    static Picture clearCorners(const std::string& relative) {
        Picture p = picture(relative);
        if (p.width != 48) return p;
        EXPECT_EQ(p.alpha(0, 0) + p.alpha(47, 0) + p.alpha(0, 47) + p.alpha(47, 47), 0) << relative;
        return p;
    }
    static void expectAllDifferent(const std::vector<Picture>& pictures, const std::string& what) {
        for (size_t a = 0; a < pictures.size(); a++)
            for (size_t b = a + 1; b < pictures.size(); b++)
                EXPECT_NE(pictures[a].pixels, pictures[b].pixels) << what << " " << a << " and " << b;
    }
};
TempDir* WorldgenTest::world = nullptr;

std::string numbered(const std::string& dir, int n) { return "data/assets/" + dir + "/" + std::to_string(n) + ".png"; }

TEST_F(WorldgenTest, TilesAreOpaqueAndAllDifferent) {
    std::vector<Picture> tiles;
    for (int n = 0; n <= LAST_TILE; n++) {
        tiles.push_back(picture(numbered("tiles", n)));
        EXPECT_TRUE(std::all_of(tiles[n].pixels.begin(), tiles[n].pixels.end(), [](Uint32 p) { return p >> 24 == 255; }))
            << n;
    }
    EXPECT_FALSE(fileExists(at(numbered("tiles", 47))));  // the editor's tile list ends at 46
    expectAllDifferent(tiles, "tiles");
}

TEST_F(WorldgenTest, SpritesDifferBySetFacingAndStep) {
    std::vector<Picture> standing;  // each set facing down, first step
    for (int set = 0; set < 9; set++) {
        std::vector<Picture> facings, frames;
        for (int direction = 0; direction < 4; direction++) {
            frames.clear();
            for (int frame = 0; frame < 3; frame++)
                frames.push_back(clearCorners("data/assets/sprites/" + std::to_string(set) + "/" + std::to_string(direction) +
                                              "-" + std::to_string(frame) + ".png"));
            expectAllDifferent(frames, "set " + std::to_string(set) + " direction " + std::to_string(direction) + " frames");
            facings.push_back(frames[0]);
        }
        expectAllDifferent(facings, "set " + std::to_string(set) + " directions");
        standing.push_back(facings[0]);
    }
    expectAllDifferent(standing, "sets");
}

TEST_F(WorldgenTest, IconsAndItemPicturesLoad) {
    Picture marker = picture(numbered("icns", 0), false);
    EXPECT_GT(marker.width, 0);
    EXPECT_LE(std::max(marker.width, marker.height), 38);  // drawn 10 pixels in from a 48-pixel tile's corner
    EXPECT_EQ(picture(numbered("icns", 10)).alpha(24, 24), 255);  // a stand-in must be seen whole
    for (int n = 1; n < 29; n++)
        if (n != 10) clearCorners(numbered("icns", n));
    EXPECT_FALSE(fileExists(at(numbered("icns", 29))));
    // The owner badge lies under an item picture: it must show where the picture is clear.
    Picture badge = picture(numbered("icns", 18));
    for (int n = 0; n < 12; n++) {
        Picture item = clearCorners(numbered("items", n));
        int badgeShows = 0;
        for (size_t i = 0; i < item.pixels.size(); i++) badgeShows += (badge.pixels[i] >> 24) && !(item.pixels[i] >> 24);
        EXPECT_GT(badgeShows, 200) << n;
    }
    EXPECT_FALSE(fileExists(at(numbered("items", 12))));
}

TEST_F(WorldgenTest, MapIsASeaBoundIslandTheSameEveryTime) {
    TempDir again;
    ASSERT_TRUE(generateMap(again.path));
    EXPECT_EQ(readFile(again / "data/map.dat"), readFile(at("data/map.dat")));
    auto map = std::make_unique<Map>();
    ASSERT_TRUE(map->loadMap(at("data")));
    int land = 0;
    for (int i = 0; i < MAP_SIZE; i++) {
        for (auto [x, y] : {std::pair{i, 0}, {i, MAP_SIZE - 1}, {0, i}, {MAP_SIZE - 1, i}})
            EXPECT_EQ(map->getTileAt(x, y), SEA_TILE) << x << "," << y;
        for (int j = 0; j < MAP_SIZE; j++) land += !map->isSolid(j * 48.0f, i * 48.0f);
    }
    EXPECT_GT(land, MAP_SIZE * MAP_SIZE / 3);  // mostly walkable island, not mostly sea
}

TEST_F(WorldgenTest, SampleObjectsStandOnOpenGroundSomeInTheStartView) {
    auto map = std::make_unique<Map>();
    ASSERT_TRUE(map->loadMap(at("data")));
    std::list<Actor*> npcs;
    std::vector<Item*> items;
    EXPECT_GE(loadActorFiles(at("data"), npcs), 6);
    EXPECT_GE(loadItemFiles(at("data"), items), 8);
    auto placedWell = [&](float x, float y, const std::string& name, int& inView) {
        EXPECT_TRUE(!map->isSolid(x, y) && !map->isSea(x, y)) << name;
        inView += x + 48 <= 800 && y + 48 <= 600;
    };
    int npcsInView = 0, itemsInView = 0, ranged = 0, owned = 0;
    for (Actor* a : npcs) placedWell(a->x, a->y, a->name, npcsInView);
    for (Item* i : items) {
        placedWell(i->x, i->y, i->name, itemsInView);
        EXPECT_NE(i->type, ITEM_TYPE_REMOVED) << i->name;
        ranged += i->type == ITEM_TYPE_RANGED && i->range > 0;
        owned += i->owner != 0;
    }
    EXPECT_TRUE(npcsInView && itemsInView && ranged && owned) << npcsInView << itemsInView << ranged << owned;
    for (Actor* a : npcs) delete a;
    for (Item* i : items) delete i;
    EXPECT_FALSE(readFile(FONT_SOURCE).empty());
    EXPECT_EQ(readFile(at("edfont.ttf")), readFile(FONT_SOURCE));
}

TEST(WorldgenCommand, WritesTheWorldOrSaysWhyNot) {
    TempDir dir;
    ProcessResult ok = runProcess({WORLDGEN_BINARY, dir / "new/world"}, "", {}, 30000);
    EXPECT_EQ(ok.status, 0) << ok.err;
    EXPECT_EQ(std::count(ok.out.begin(), ok.out.end(), '\n'), 1) << ok.out;
    EXPECT_EQ(ok.err, "");
    EXPECT_TRUE(fileExists(dir / "new/world/data/assets/sprites/8/3-2.png"));

    ProcessResult help = runProcess({WORLDGEN_BINARY, "--help"}, "", {}, 10000);
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: worldgen <root>"), std::string::npos) << help.out;

    writeFile(dir / "plain", "not a directory");
    for (const std::vector<std::string>& argv :
         {std::vector<std::string>{WORLDGEN_BINARY}, {WORLDGEN_BINARY, dir / "plain/world"}}) {
        ProcessResult bad = runProcess(argv, "", {}, 10000);
        EXPECT_EQ(bad.status, 1) << argv.size();
        EXPECT_EQ(std::count(bad.err.begin(), bad.err.end(), '\n'), 1) << bad.err;
        EXPECT_EQ(bad.out, "");
    }
}

}  // namespace
