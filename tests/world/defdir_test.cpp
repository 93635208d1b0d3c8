// The numbered npcdef and idef directories: loading runs of files and saving whole lists.
#include <gtest/gtest.h>

#include <list>
#include <vector>

#include "test_support.h"
#include "world/actor.h"
#include "world/defdir.h"
#include "world/item.h"

namespace {
Actor* actorNamed(const std::string& name) {
    Actor* actor = new Actor();
    actor->name = name;
    return actor;
}

std::vector<std::string> names(const std::list<Actor*>& npcs) {
    std::vector<std::string> result;
    for (Actor* a : npcs) result.push_back(a->name);
    return result;
}

void writeNpcs(const std::string& dir, std::initializer_list<int> numbers) {
    for (int n : numbers) {
        Actor actor;
        actor.name = "old" + std::to_string(n);
        writeFile(npcDefPath(dir, n), actor.serialize());
    }
}

// Lists that own what they hold, as the editor's do.
template <typename T, typename List>
struct Owned {
    List list;
    ~Owned() { for (T* object : list) delete object; }
};
using Npcs = Owned<Actor, std::list<Actor*>>;
using Items = Owned<Item, std::vector<Item*>>;
}  // namespace

TEST(DefDir, PathsAreNumberedUnderTheDataDirectory) {
    EXPECT_EQ(npcDefPath("data", 0), "data/npcdef/0.def");
    EXPECT_EQ(itemDefPath("data", 12), "data/idef/12.def");
    std::string longDir(200, 'd');
    EXPECT_EQ(npcDefPath(longDir, 2147483647), longDir + "/npcdef/2147483647.def");
}

TEST(DefDirLoad, StopsAtTheFirstGapAndAppends) {
    TempDir dir;
    writeNpcs(dir.path, {0, 1, 3});
    Npcs npcs;
    npcs.list.push_back(actorNamed("placed"));
    CaptureOutput capture;
    EXPECT_EQ(loadActorFiles(dir.path, npcs.list), 2);
    EXPECT_EQ(names(npcs.list), (std::vector<std::string>{"placed", "old0", "old1"}));
    // The end of the run leaves the record's own warning, and nothing more.
    EXPECT_EQ(capture.err(), "***WARNING*** Input file " + npcDefPath(dir.path, 2) +
                                 " missing on actor serialization load\nYou can probably ignore this.\n");
}

TEST(DefDirLoad, EmptyItemFileCountsAsPresent) {
    TempDir dir;
    writeFile(itemDefPath(dir.path, 0), "");
    writeFile(itemDefPath(dir.path, 1), Item().serialize());
    Items items;
    CaptureOutput capture;
    EXPECT_EQ(loadItemFiles(dir.path, items.list), 2);
    EXPECT_EQ(items.list[0]->name, "");
    EXPECT_EQ(items.list[1]->name, "Unset Item");
}

TEST(DefDirLoad, MissingFirstFileWarnsAboutTheDirectory) {
    TempDir dir;
    std::string data = dir / "data";
    Npcs npcs;
    Items items;
    CaptureOutput capture;
    EXPECT_EQ(loadActorFiles(data, npcs.list), 0);
    EXPECT_EQ(loadItemFiles(data, items.list), 0);
    EXPECT_TRUE(npcs.list.empty());
    EXPECT_TRUE(items.list.empty());
    std::string npc0 = npcDefPath(data, 0), item0 = itemDefPath(data, 0);
    EXPECT_EQ(capture.err(),
              "***WARNING*** Input file " + npc0 + " missing on actor serialization load\nYou can probably ignore this.\n" +
                  "*** WARNING *** DATA DIR " + data + " IS MISSING filename " + npc0 + "\n" +
                  "***WARNING*** file " + item0 + " not found. You can probably ignore this\n" +
                  "*** WARNING *** DATA DIR " + data + " IS MISSING\n");
}

TEST(DefDirSave, WritesExactlyTheListCreatingTheDirectory) {
    TempDir dir;
    std::string data = dir / "data";  // neither data nor data/idef exists yet
    Items items;
    for (int type : {1, ITEM_TYPE_REMOVED, 3}) {
        items.list.push_back(new Item());
        items.list.back()->type = type;
    }
    ASSERT_TRUE(saveItemFiles(data, items.list, false));
    EXPECT_EQ(readFile(itemDefPath(data, 1)), items.list[1]->serialize());  // removed items keep their number
    Items back;
    CaptureOutput capture;
    EXPECT_EQ(loadItemFiles(data, back.list), 3);
    EXPECT_FALSE(fileExists(itemDefPath(data, 3)));
    EXPECT_FALSE(fileExists(itemDefPath(data, 0) + ".tmp"));
}

TEST(DefDirSave, AfterLoadingStaleFilesBeyondTheListAreRemoved) {
    TempDir dir;
    writeNpcs(dir.path, {0, 1, 2, 3, 4, 6});
    Npcs npcs;
    {
        CaptureOutput capture;
        ASSERT_EQ(loadActorFiles(dir.path, npcs.list), 5);
    }
    for (int i = 0; i < 2; ++i) {
        delete npcs.list.front();
        npcs.list.pop_front();
    }
    ASSERT_TRUE(saveActorFiles(dir.path, npcs.list, true));
    for (int n : {3, 4}) EXPECT_FALSE(fileExists(npcDefPath(dir.path, n))) << n;
    EXPECT_TRUE(fileExists(npcDefPath(dir.path, 6)));  // past the first gap: never part of the world
    Npcs back;
    CaptureOutput capture;
    EXPECT_EQ(loadActorFiles(dir.path, back.list), 3);
    EXPECT_EQ(names(back.list), (std::vector<std::string>{"old2", "old3", "old4"}));

    Npcs none;
    ASSERT_TRUE(saveActorFiles(dir.path, none.list, true));
    EXPECT_FALSE(fileExists(npcDefPath(dir.path, 0)));

    // A stale entry that cannot be removed is reported.
    makeDirs(npcDefPath(dir.path, 0));
    CaptureOutput failed;
    EXPECT_FALSE(saveActorFiles(dir.path, none.list, true));
    EXPECT_EQ(failed.err(), "***WARNING*** could not remove " + npcDefPath(dir.path, 0) + "\n");
}

TEST(DefDirSave, BeforeLoadingTheWorldsFilesAreNotOverwritten) {
    TempDir dir;
    writeNpcs(dir.path, {0, 1});
    std::string before = readFile(npcDefPath(dir.path, 0));
    Npcs npcs;
    npcs.list.push_back(actorNamed("new"));
    {
        CaptureOutput capture;
        EXPECT_FALSE(saveActorFiles(dir.path, npcs.list, false));
        EXPECT_EQ(capture.err(), "***WARNING*** NPCs not saved: press L to load the world's NPCs first\n");
    }
    EXPECT_EQ(readFile(npcDefPath(dir.path, 0)), before);

    writeFile(itemDefPath(dir.path, 0), "1\n");
    Items items;
    items.list.push_back(new Item());
    CaptureOutput capture;
    EXPECT_FALSE(saveItemFiles(dir.path, items.list, false));
    EXPECT_EQ(readFile(itemDefPath(dir.path, 0)), "1\n");

    // An empty list before loading is nothing to save, not a refusal.
    Npcs none;
    EXPECT_TRUE(saveActorFiles(dir.path, none.list, false));
    EXPECT_EQ(readFile(npcDefPath(dir.path, 0)), before);
    EXPECT_TRUE(fileExists(npcDefPath(dir.path, 1)));
    EXPECT_EQ(capture.err(), "***WARNING*** items not saved: press L to load the world's items first\n");
}

TEST(DefDirSave, BeforeLoadingWithoutFirstFileWritesAndLeavesTheRest) {
    TempDir dir;
    writeNpcs(dir.path, {5});
    Npcs npcs;
    npcs.list.push_back(actorNamed("a"));
    npcs.list.push_back(actorNamed("b"));
    ASSERT_TRUE(saveActorFiles(dir.path, npcs.list, false));
    EXPECT_EQ(readFile(npcDefPath(dir.path, 1)), npcs.list.back()->serialize());
    EXPECT_TRUE(fileExists(npcDefPath(dir.path, 5)));
}

TEST(DefDirSave, UnwritableFilesWarnButTheOthersAreWritten) {
    TempDir dir;
    makeDirs(npcDefPath(dir.path, 1));  // a directory where file 1 must go: only its rename fails
    Npcs npcs;
    for (const char* name : {"a", "b", "c"}) npcs.list.push_back(actorNamed(name));
    {
        CaptureOutput capture;
        EXPECT_FALSE(saveActorFiles(dir.path, npcs.list, false));
        EXPECT_EQ(capture.err(), "***WARNING*** could not write " + npcDefPath(dir.path, 1) + "\n");
    }
    EXPECT_TRUE(fileExists(npcDefPath(dir.path, 0)));
    EXPECT_TRUE(fileExists(npcDefPath(dir.path, 2)));

    // Nothing can be written: the save stops at the first file.
    writeFile(dir / "idef", "not a directory");
    Items items;
    items.list.push_back(new Item());
    items.list.push_back(new Item());
    CaptureOutput capture;
    EXPECT_FALSE(saveItemFiles(dir.path, items.list, true));
    EXPECT_EQ(capture.err(), "***WARNING*** could not write " + itemDefPath(dir.path, 0) + "\n");
}
