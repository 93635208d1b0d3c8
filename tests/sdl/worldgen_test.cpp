// The default world generator: the files it writes, read back the way the editor reads them.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "test_support.h"
#include "world/actor.h"
#include "world/defdir.h"
#include "world/item.h"
#include "world/map.h"
#include "worldgen.h"

namespace {

// A picture as loaded by SDL_image, flattened to RGBA.
struct Picture {
    int width = 0, height = 0;
    std::vector<Uint8> rgba;
    Uint8 alpha(int x, int y) const { return rgba[(y * width + x) * 4 + 3]; }
};

bool loadPicture(const std::string& path, Picture& picture) {
    SDL_Surface* s = IMG_Load(path.c_str());
    if (!s) return false;
    picture.width = s->w;
    picture.height = s->h;
    picture.rgba.clear();
    SDL_LockSurface(s);
    int bpp = s->format->BytesPerPixel;
    for (int y = 0; y < s->h; y++)
        for (int x = 0; x < s->w; x++) {
            const Uint8* p = static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * bpp;
            Uint32 value = 0;
            for (int k = 0; k < bpp; k++)  // little-endian host, as SDL's loaders store it
                value |= static_cast<Uint32>(p[k]) << (8 * k);
            Uint8 r, g, b, a;
            SDL_GetRGBA(value, s->format, &r, &g, &b, &a);
            picture.rgba.insert(picture.rgba.end(), {r, g, b, a});
        }
    SDL_UnlockSurface(s);
    SDL_FreeSurface(s);
    return true;
}

class WorldgenTest : public ::testing::Test {
protected:
    static TempDir* world;
    static void SetUpTestSuite() {
        world = new TempDir;
        ASSERT_TRUE(generateWorld(world->path));
    }
    static void TearDownTestSuite() { delete world; }
    static std::string at(const std::string& relative) { return *world / relative; }

    // Loads a picture that must exist, and checks that its alpha is binary.
    static Picture picture(const std::string& relative) {
        Picture p;
        EXPECT_TRUE(loadPicture(at(relative), p)) << relative;
        for (size_t i = 3; i < p.rgba.size(); i += 4)
            if (p.rgba[i] != 0 && p.rgba[i] != 255) {
                ADD_FAILURE() << relative << " has partial alpha " << int(p.rgba[i]);
                break;
            }
        return p;
    }
    static void expectClearCorners(const Picture& p, const std::string& what) {
        ASSERT_EQ(p.width, 48) << what;
        ASSERT_EQ(p.height, 48) << what;
        EXPECT_EQ(p.alpha(0, 0) + p.alpha(47, 0) + p.alpha(0, 47) + p.alpha(47, 47), 0) << what;
    }
};
TempDir* WorldgenTest::world = nullptr;

TEST_F(WorldgenTest, TilesAreOpaqueAndAllDifferent) {
    std::vector<Picture> tiles;
    for (int n = 0; n <= LAST_TILE; n++) {
        std::string name = "data/assets/tiles/" + std::to_string(n) + ".png";
        tiles.push_back(picture(name));
        ASSERT_EQ(tiles.back().width, 48) << name;
        ASSERT_EQ(tiles.back().height, 48) << name;
        for (int y = 0; y < 48; y++)
            for (int x = 0; x < 48; x++) ASSERT_EQ(tiles.back().alpha(x, y), 255) << name << " at " << x << "," << y;
    }
    EXPECT_FALSE(fileExists(at("data/assets/tiles/47.png")));  // the editor's tile list ends at 46
    for (size_t a = 0; a < tiles.size(); a++)
        for (size_t b = a + 1; b < tiles.size(); b++) EXPECT_NE(tiles[a].rgba, tiles[b].rgba) << "tiles " << a << " and " << b;
}

TEST_F(WorldgenTest, SpritesStandOnClearGroundAndDifferByFacingAndStep) {
    for (int set = 0; set < 9; set++)
        for (int direction = 0; direction < 4; direction++) {
            std::vector<Picture> frames;
            for (int frame = 0; frame < 3; frame++) {
                std::string name = "data/assets/sprites/" + std::to_string(set) + "/" + std::to_string(direction) + "-" +
                                   std::to_string(frame) + ".png";
                frames.push_back(picture(name));
                expectClearCorners(frames.back(), name);
            }
            EXPECT_NE(frames[0].rgba, frames[1].rgba) << "set " << set << " direction " << direction;
            EXPECT_NE(frames[1].rgba, frames[2].rgba) << "set " << set << " direction " << direction;
        }
    for (int set = 0; set < 9; set++) {
        Picture down = picture("data/assets/sprites/" + std::to_string(set) + "/0-0.png");
        for (int direction = 1; direction < 4; direction++)
            EXPECT_NE(down.rgba, picture("data/assets/sprites/" + std::to_string(set) + "/" + std::to_string(direction) + "-0.png").rgba)
                << "set " << set << " direction " << direction;
        for (int other = set + 1; other < 9; other++)
            EXPECT_NE(down.rgba, picture("data/assets/sprites/" + std::to_string(other) + "/0-0.png").rgba) << set << " " << other;
    }
}

TEST_F(WorldgenTest, IconsAndItemPicturesLoad) {
    Picture marker = picture("data/assets/icns/0.png");
    EXPECT_GT(marker.width, 0);
    EXPECT_LE(marker.width, 38);  // drawn 10 pixels in from a 48-pixel tile's corner
    EXPECT_LE(marker.height, 38);
    Picture missing = picture("data/assets/icns/10.png");
    EXPECT_EQ(missing.width, 48);
    EXPECT_EQ(missing.alpha(24, 24), 255);  // a stand-in must be seen whole
    for (int n = 1; n < 29; n++)
        if (n != 10) expectClearCorners(picture("data/assets/icns/" + std::to_string(n) + ".png"), "icon " + std::to_string(n));
    EXPECT_FALSE(fileExists(at("data/assets/icns/29.png")));
    // The owner badge lies under an item picture: it must show where the picture is clear.
    Picture badge = picture("data/assets/icns/18.png");
    for (int n = 0; n < 12; n++) {
        std::string name = "data/assets/items/" + std::to_string(n) + ".png";
        Picture item = picture(name);
        expectClearCorners(item, name);
        int badgeShows = 0;
        for (size_t i = 3; i < item.rgba.size(); i += 4) badgeShows += badge.rgba[i] && !item.rgba[i];
        EXPECT_GT(badgeShows, 200) << name;
    }
    EXPECT_FALSE(fileExists(at("data/assets/items/12.png")));
}

TEST_F(WorldgenTest, MapIsAnIslandOfEditorTilesTheSameEveryTime) {
    std::string bytes = readFile(at("data/map.dat"));
    ASSERT_EQ(bytes.size(), 122850u);
    for (size_t i = 0; i < bytes.size(); i++) {
        if (i % 351 == 350) ASSERT_EQ(bytes[i], '\n') << "at byte " << i;
        else ASSERT_TRUE(bytes[i] >= 'A' && bytes[i] <= 'o') << "byte " << i << " is " << int(bytes[i]);
    }
    TempDir again;
    ASSERT_TRUE(generateMap(again.path));
    EXPECT_EQ(readFile(again / "data/map.dat"), bytes);

    std::unique_ptr<Map> map(new Map);
    ASSERT_TRUE(map->loadMap(at("data")));
    int land = 0;
    for (int i = 0; i < MAP_SIZE; i++) {
        EXPECT_EQ(map->getTileAt(i, 0), SEA_TILE) << i;
        EXPECT_EQ(map->getTileAt(i, MAP_SIZE - 1), SEA_TILE) << i;
        EXPECT_EQ(map->getTileAt(0, i), SEA_TILE) << i;
        EXPECT_EQ(map->getTileAt(MAP_SIZE - 1, i), SEA_TILE) << i;
        for (int j = 0; j < MAP_SIZE; j++) land += !map->isSolid(j * 48.0f, i * 48.0f);
    }
    EXPECT_GT(land, MAP_SIZE * MAP_SIZE / 3);  // mostly walkable island, not mostly sea
}

TEST_F(WorldgenTest, SampleObjectsStandOnOpenGroundWithKnownImages) {
    std::unique_ptr<Map> map(new Map);
    ASSERT_TRUE(map->loadMap(at("data")));
    std::list<Actor*> npcs;
    std::vector<Item*> items;
    EXPECT_GE(loadActorFiles(at("data"), npcs), 6);
    EXPECT_GE(loadItemFiles(at("data"), items), 8);
    auto onOpenGround = [&](float x, float y) { return !map->isSolid(x, y) && !map->isSea(x, y); };
    auto inStartView = [](float x, float y) { return x + 48 <= 800 && y + 48 <= 600; };
    int npcsInView = 0, itemsInView = 0, ranged = 0, owned = 0;
    for (Actor* a : npcs) {
        EXPECT_TRUE(onOpenGround(a->x, a->y)) << a->name;
        EXPECT_TRUE(a->sprite >= 0 && a->sprite <= 8 && a->direction >= 0 && a->direction <= 3) << a->name;
        npcsInView += inStartView(a->x, a->y);
        delete a;
    }
    for (Item* i : items) {
        EXPECT_TRUE(onOpenGround(i->x, i->y)) << i->name;
        EXPECT_TRUE(i->icon >= 0 && i->icon < 12) << i->name;
        EXPECT_NE(i->type, ITEM_TYPE_REMOVED) << i->name;
        ranged += i->type == ITEM_TYPE_RANGED && i->range > 0;
        owned += i->owner != 0;
        itemsInView += inStartView(i->x, i->y);
        delete i;
    }
    EXPECT_GE(npcsInView, 1);
    EXPECT_GE(itemsInView, 1);
    EXPECT_GE(ranged, 1);
    EXPECT_GE(owned, 1);
    EXPECT_EQ(readFile(at("edfont.ttf")), readFile(FONT_SOURCE));
    EXPECT_FALSE(readFile(FONT_SOURCE).empty());
}

TEST(WorldgenCommand, WritesTheWorldOrSaysWhyNot) {
    TempDir dir;
    ProcessResult ok = runProcess({WORLDGEN_BINARY, dir / "new/world"}, "", {}, 30000);
    EXPECT_EQ(ok.status, 0) << ok.err;
    EXPECT_EQ(std::count(ok.out.begin(), ok.out.end(), '\n'), 1) << ok.out;
    EXPECT_TRUE(ok.err.empty()) << ok.err;
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
        EXPECT_TRUE(bad.out.empty()) << bad.out;
    }
}

}  // namespace
