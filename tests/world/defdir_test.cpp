// The numbered npcdef and idef directories: loading runs of files and saving whole lists.
#include <gtest/gtest.h>

#include <unistd.h>

#include <list>
#include <vector>

#include "test_support.h"
#include "world/actor.h"
#include "world/defdir.h"
#include "world/item.h"

namespace {
// Lists that own what they hold, as the editor's do.
struct Npcs {
    std::list<Actor*> list;
    explicit Npcs(std::initializer_list<const char*> names = {}) {
        for (const char* name : names) {
            list.push_back(new Actor());
            list.back()->name = name;
        }
    }
    ~Npcs() { for (Actor* a : list) delete a; }
    std::vector<std::string> names() const {
        std::vector<std::string> result;
        for (Actor* a : list) result.push_back(a->name);
        return result;
    }
};
struct Items {
    std::vector<Item*> list;
    explicit Items(std::initializer_list<int> types = {}) {
        for (int type : types) {
            list.push_back(new Item());
            list.back()->type = type;
        }
    }
    ~Items() { for (Item* i : list) delete i; }
};

void writeNpcs(const std::string& dir, std::initializer_list<int> numbers) {
    for (int n : numbers) {
        Actor actor;
        actor.name = "old" + std::to_string(n);
        writeFile(npcDefPath(dir, n), actor.serialize());
    }
}

std::string npcMissing(const std::string& path) {
    return "***WARNING*** Input file " + path + " missing on actor serialization load\nYou can probably ignore this.\n";
}
}  // namespace

TEST(DefDirLoad, StopsAtTheFirstGapAndAppends) {
    TempDir dir;
    writeNpcs(dir.path, {0, 1, 3});
    writeFile(itemDefPath(dir.path, 0), "");  // an empty file counts as present
    writeFile(itemDefPath(dir.path, 1), Item().serialize());
    Npcs npcs{"placed"};
    Items items;
    CaptureOutput capture;
    EXPECT_EQ(loadActorFiles(dir.path, npcs.list), 2);
    EXPECT_EQ(loadItemFiles(dir.path, items.list), 2);
    EXPECT_EQ(npcs.names(), (std::vector<std::string>{"placed", "old0", "old1"}));
    EXPECT_EQ(items.list[0]->name, "");
    EXPECT_EQ(items.list[1]->name, "Unset Item");
    // The end of a run leaves the record's own warning, and nothing more.
    EXPECT_EQ(capture.err(), npcMissing(npcDefPath(dir.path, 2)) + "***WARNING*** file " + itemDefPath(dir.path, 2) +
                                 " not found. You can probably ignore this\n");
}

TEST(DefDirLoad, MissingFirstFileWarnsAboutTheDirectory) {
    TempDir dir;
    std::string data = dir / "data";
    Npcs npcs;
    Items items;
    CaptureOutput capture;
    EXPECT_EQ(loadActorFiles(data, npcs.list), 0);
    EXPECT_EQ(loadItemFiles(data, items.list), 0);
    EXPECT_TRUE(npcs.list.empty() && items.list.empty());
    EXPECT_EQ(capture.err(), npcMissing(npcDefPath(data, 0)) + "*** WARNING *** DATA DIR " + data +
                                 " IS MISSING filename " + npcDefPath(data, 0) + "\n***WARNING*** file " +
                                 itemDefPath(data, 0) + " not found. You can probably ignore this\n" +
                                 "*** WARNING *** DATA DIR " + data + " IS MISSING\n");
}

TEST(DefDirSave, AfterLoadingStaleFilesBeyondTheListAreRemoved) {
    TempDir dir;
    writeNpcs(dir.path, {0, 1, 2, 3, 4, 6});
    Npcs npcs;
    CaptureOutput capture;
    int owned = loadActorFiles(dir.path, npcs.list);
    ASSERT_EQ(owned, 5);
    for (int i = 0; i < 2; ++i) {
        delete npcs.list.front();
        npcs.list.pop_front();
    }
    ASSERT_TRUE(saveActorFiles(dir.path, npcs.list, owned, true));
    for (int n : {3, 4}) EXPECT_FALSE(fileExists(npcDefPath(dir.path, n))) << n;
    EXPECT_TRUE(fileExists(npcDefPath(dir.path, 6)));  // past the first gap: never part of the world
    Npcs back;
    EXPECT_EQ(loadActorFiles(dir.path, back.list), 3);
    EXPECT_EQ(back.names(), (std::vector<std::string>{"old2", "old3", "old4"}));

    Npcs none;
    ASSERT_TRUE(saveActorFiles(dir.path, none.list, owned, true));
    EXPECT_FALSE(fileExists(npcDefPath(dir.path, 0)));
    capture.err();

    // A stale entry that cannot be removed is reported.
    owned = 1;
    makeDirs(npcDefPath(dir.path, 0) + "/x");
    CaptureOutput failed;
    EXPECT_FALSE(saveActorFiles(dir.path, none.list, owned, true));
    EXPECT_EQ(failed.err(), "***WARNING*** could not remove " + npcDefPath(dir.path, 0) + ": Is a directory\n");
}

// A save replaces or deletes only files this run loaded or wrote; any other file is kept, and a
// list that would need its number is not saved.
TEST(DefDirSave, FilesThisRunNeitherLoadedNorWroteSurvive) {
    const std::string neverLoaded = "***WARNING*** items not saved: ";
    struct Case {
        const char* what;
        std::vector<int> present;  // item files there at the start
        const char* odd;           // an entry that exists but cannot be read as file 1, if any
        bool load;
        std::vector<int> saves;    // list sizes saved one after another
        std::vector<bool> saved;
        std::vector<int> kept;     // world files that must still hold their bytes
    };
    const Case cases[] = {
        {"a file above a first write", {2}, nullptr, false, {1, 2, 3}, {true, true, false}, {2}},
        {"files after a gap", {0, 1, 3, 4}, nullptr, true, {1, 3, 4}, {true, true, false}, {3, 4}},
        {"a directory named 1.def", {0, 2}, "dir", true, {0, 2}, {true, false}, {2}},
        {"a dangling link as 1.def", {0, 2}, "link", true, {1, 2}, {true, false}, {2}},
        {"the world's 0.def before loading", {0, 1}, nullptr, false, {0, 1}, {true, false}, {0, 1}},
    };
    for (const Case& c : cases) {
        TempDir dir;
        for (int n : c.present) writeFile(itemDefPath(dir.path, n), "1\nworld " + std::to_string(n) + "\n");
        if (c.odd && std::string(c.odd) == "dir") makeDirs(itemDefPath(dir.path, 1));
        if (c.odd && std::string(c.odd) == "link") {
            ASSERT_EQ(symlink("gone", itemDefPath(dir.path, 1).c_str()), 0);
        }
        CaptureOutput capture;
        Items loaded;
        int owned = c.load ? loadItemFiles(dir.path, loaded.list) : 0;
        for (size_t i = 0; i < c.saves.size(); ++i) {
            Items items;
            for (int k = 0; k < c.saves[i]; ++k) items.list.push_back(new Item());
            EXPECT_EQ(saveItemFiles(dir.path, items.list, owned, c.load), c.saved[i]) << c.what << " save " << i;
        }
        for (int n : c.kept) EXPECT_EQ(readFile(itemDefPath(dir.path, n)), "1\nworld " + std::to_string(n) + "\n") << c.what;
        if (c.odd) {
            EXPECT_TRUE(c.odd[0] == 'd' ? fileExists(itemDefPath(dir.path, 1)) : readFile(itemDefPath(dir.path, 1)).empty());
        }
        EXPECT_NE(capture.err().find(neverLoaded), std::string::npos) << c.what;
    }
}

TEST(DefDirSave, BeforeLoadingTheWorldsFilesAreNotOverwritten) {
    TempDir dir;
    writeNpcs(dir.path, {0, 1});
    const std::string npc0 = readFile(npcDefPath(dir.path, 0));
    Npcs npcs{"new"}, none;
    int owned = 0;
    CaptureOutput capture;
    EXPECT_FALSE(saveActorFiles(dir.path, npcs.list, owned, false));
    EXPECT_TRUE(saveActorFiles(dir.path, none.list, owned, false));  // nothing to save, not a refusal
    EXPECT_EQ(capture.err(), "***WARNING*** NPCs not saved: press L to load the world's NPCs first\n");
    EXPECT_EQ(readFile(npcDefPath(dir.path, 0)), npc0);
    EXPECT_TRUE(fileExists(npcDefPath(dir.path, 1)));

    // A first save that failed owns nothing: a later one still will not write over the world's 0.def.
    TempDir fresh;
    writeFile(fresh / "idef", "not a directory");
    Items items{0, 0};
    CaptureOutput failed;
    EXPECT_FALSE(saveItemFiles(fresh.path, items.list, owned, false));
    EXPECT_EQ(owned, 0);
    removeFile(fresh / "idef");
    writeFile(itemDefPath(fresh.path, 0), "1\n");
    EXPECT_FALSE(saveItemFiles(fresh.path, items.list, owned, false));
    EXPECT_EQ(readFile(itemDefPath(fresh.path, 0)), "1\n");
    EXPECT_EQ(failed.err(), "***WARNING*** could not write " + itemDefPath(fresh.path, 0) +
                                ": Not a directory\n***WARNING*** items not saved: press L to load the world's items first\n");
}
