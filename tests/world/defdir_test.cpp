// The numbered npcdef and idef directories: loading runs of files and saving whole lists.
#include <gtest/gtest.h>

#include <unistd.h>

#include "test_support.h"
#include "world/defdir.h"

namespace {
void writeNpcs(const std::string& dir, std::initializer_list<int> numbers) {
    for (int n : numbers) {
        Actor actor;
        actor.name = "old" + std::to_string(n);
        writeFile(npcDefPath(dir, n), actor.serialize());
    }
}

}  // namespace

// The warning at the end of a run is in the hostile-world test, which checks the loaders' whole output.
TEST(DefDirLoad, StopsAtTheFirstGapAndAppendsOrWarnsAboutAMissingDirectory) {
    TempDir dir;
    writeNpcs(dir.path, {0, 1, 3});
    writeFile(itemDefPath(dir.path, 0), "");  // an empty file counts as present
    writeFile(itemDefPath(dir.path, 1), Item().serialize());
    OwnedWorld npcs{"placed"}, items;
    CaptureOutput quiet;
    EXPECT_EQ(loadActorFiles(dir.path, npcs.npcs), 2);
    EXPECT_EQ(loadItemFiles(dir.path, items.items), 2);
    EXPECT_EQ(npcs.npcNames(), (std::vector<std::string>{"placed", "old0", "old1"}));
    EXPECT_EQ(items.items[0]->name, "");
    EXPECT_EQ(items.items[1]->name, "Unset Item");
    quiet.err();

    const std::string data = dir / "data";
    CaptureOutput capture;
    EXPECT_EQ(loadActorFiles(data, npcs.npcs), 0);
    EXPECT_EQ(loadItemFiles(data, items.items), 0);
    EXPECT_EQ(capture.err(), "***WARNING*** Input file " + npcDefPath(data, 0) +
                                 " missing on actor serialization load\nYou can probably ignore this.\n"
                                 "*** WARNING *** DATA DIR " + data + " IS MISSING filename " + npcDefPath(data, 0) +
                                 "\n***WARNING*** file " + itemDefPath(data, 0) + " not found. You can probably ignore "
                                 "this\n*** WARNING *** DATA DIR " + data + " IS MISSING\n");
}

TEST(DefDirSave, AfterLoadingStaleFilesBeyondTheListAreRemoved) {
    TempDir dir;
    writeNpcs(dir.path, {0, 1, 2, 3, 4, 6});
    OwnedWorld npcs;
    CaptureOutput capture;
    int owned = loadActorFiles(dir.path, npcs.npcs);
    ASSERT_EQ(owned, 5);
    for (int i = 0; i < 2; ++i) {
        delete npcs.npcs.front();
        npcs.npcs.pop_front();
    }
    ASSERT_TRUE(saveActorFiles(dir.path, npcs.npcs, owned, true));
    for (int n : {3, 4}) EXPECT_FALSE(fileExists(npcDefPath(dir.path, n))) << n;
    EXPECT_TRUE(fileExists(npcDefPath(dir.path, 6)));  // past the first gap: never part of the world
    OwnedWorld back;
    EXPECT_EQ(loadActorFiles(dir.path, back.npcs), 3);
    EXPECT_EQ(back.npcNames(), (std::vector<std::string>{"old2", "old3", "old4"}));

    OwnedWorld none;
    ASSERT_TRUE(saveActorFiles(dir.path, none.npcs, owned, true));
    EXPECT_FALSE(fileExists(npcDefPath(dir.path, 0)));
    capture.err();

    // A stale entry that cannot be removed is reported.
    owned = 1;
    makeDirs(npcDefPath(dir.path, 0) + "/x");
    CaptureOutput failed;
    EXPECT_FALSE(saveActorFiles(dir.path, none.npcs, owned, true));
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
        OwnedWorld loaded;
        int owned = c.load ? loadItemFiles(dir.path, loaded.items) : 0;
        for (size_t i = 0; i < c.saves.size(); ++i) {
            OwnedWorld items({}, c.saves[i]);
            EXPECT_EQ(saveItemFiles(dir.path, items.items, owned, c.load), c.saved[i]) << c.what << " save " << i;
        }
        for (int n : c.kept) EXPECT_EQ(readFile(itemDefPath(dir.path, n)), "1\nworld " + std::to_string(n) + "\n") << c.what;
        if (c.odd) {
            EXPECT_TRUE(c.odd[0] == 'd' ? fileExists(itemDefPath(dir.path, 1)) : readFile(itemDefPath(dir.path, 1)).empty());
        }
        EXPECT_NE(capture.err().find(neverLoaded), std::string::npos) << c.what;
    }
}

// A first save that failed owns nothing: a later one still will not write over the world's 0.def.
TEST(DefDirSave, AFailedFirstSaveOwnsNothing) {
    TempDir fresh;
    writeFile(fresh / "idef", "not a directory");
    OwnedWorld items({}, 2);
    int owned = 0;
    CaptureOutput failed;
    EXPECT_FALSE(saveItemFiles(fresh.path, items.items, owned, false));
    EXPECT_EQ(owned, 0);
    removeFile(fresh / "idef");
    writeFile(itemDefPath(fresh.path, 0), "1\n");
    EXPECT_FALSE(saveItemFiles(fresh.path, items.items, owned, false));
    EXPECT_EQ(readFile(itemDefPath(fresh.path, 0)), "1\n");
    EXPECT_EQ(failed.err(), "***WARNING*** could not write " + itemDefPath(fresh.path, 0) +
                                ": Not a directory\n***WARNING*** items not saved: press L to load the world's items first\n");
}
