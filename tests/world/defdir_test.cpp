// The numbered npcdef and idef directories: loading runs of files and saving whole lists.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>

#include "test_support.h"
#include "world/defdir.h"

// The warning at the end of a run is in the hostile-world test, which checks the loaders' whole output.
TEST(DefDirLoad, StopsAtTheFirstGapAndAppendsOrWarnsAboutAMissingDirectory) {
    TempDir dir;
    for (int n : {0, 1, 3}) {
        Actor actor;
        actor.name = "old" + std::to_string(n);
        writeFile(npcDefPath(dir.path, n), actor.serialize());
    }
    writeFile(itemDefPath(dir.path, 0), "");  // an empty file counts as present
    writeFile(itemDefPath(dir.path, 1), Item().serialize());
    auto world = makeWorld({"placed"});
    Messages said;
    EXPECT_EQ(loadActorFiles(dir.path, world->npcs, said), 2);
    EXPECT_EQ(loadItemFiles(dir.path, world->items, said), 2);
    EXPECT_EQ(npcNames(*world), (std::vector<std::string>{"placed", "old0", "old1"}));
    EXPECT_EQ(world->items[0].name, "");
    EXPECT_EQ(world->items[1].name, "Unset Item");

    const std::string data = dir / "data";
    Messages missing;
    EXPECT_EQ(loadActorFiles(data, world->npcs, missing), 0);
    EXPECT_EQ(loadItemFiles(data, world->items, missing), 0);
    EXPECT_EQ(missing.errText(), "***WARNING*** Input file " + npcDefPath(data, 0) +
                                 " missing on actor serialization load\nYou can probably ignore this.\n"
                                 "*** WARNING *** DATA DIR " + data + " IS MISSING filename " + npcDefPath(data, 0) +
                                 "\n***WARNING*** file " + itemDefPath(data, 0) + " not found. You can probably ignore "
                                 "this\n*** WARNING *** DATA DIR " + data + " IS MISSING\n");
}

// A save replaces or deletes only files this run loaded or wrote (a shorter list removes the
// files past its end); any other file is kept, and a list that would need its number is not saved.
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
        std::vector<int> gone;     // and the ones the saves removed
    };
    const Case cases[] = {
        {"a file above a first write", {2}, nullptr, false, {1, 2, 3}, {true, true, false}, {2}, {}},
        {"files after a gap", {0, 1, 3, 4}, nullptr, true, {1, 3, 4}, {true, true, false}, {3, 4}, {}},
        {"a directory named 1.def", {0, 2}, "dir", true, {0, 2}, {true, false}, {2}, {}},
        {"a dangling link as 1.def", {0, 2}, "link", true, {1, 2}, {true, false}, {2}, {}},
        // 6.def is past the first gap: never part of the world.
        {"a list saved shorter, then empty", {0, 1, 2, 3, 4, 6}, nullptr, true, {3, 0}, {true, true}, {6},
         {0, 1, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        TempDir dir;
        for (int n : c.present) writeFile(itemDefPath(dir.path, n), "1\nworld " + std::to_string(n) + "\n");
        if (c.odd && std::string(c.odd) == "dir") makeDirs(itemDefPath(dir.path, 1));
        ASSERT_TRUE(!c.odd || std::string(c.odd) != "link" || symlink("gone", itemDefPath(dir.path, 1).c_str()) == 0);
        Messages said;
        std::vector<Item> loaded;
        int owned = c.load ? loadItemFiles(dir.path, loaded, said) : 0;
        for (size_t i = 0; i < c.saves.size(); ++i) {
            std::vector<Item> items(static_cast<size_t>(c.saves[i]));
            EXPECT_EQ(saveItemFiles(dir.path, items, owned, c.load, said), c.saved[i]) << c.what << " save " << i;
        }
        for (int n : c.kept) EXPECT_EQ(readFile(itemDefPath(dir.path, n)), "1\nworld " + std::to_string(n) + "\n") << c.what;
        for (int n : c.gone) EXPECT_FALSE(fileExists(itemDefPath(dir.path, n))) << c.what << " " << n;
        EXPECT_TRUE(!c.odd || fileExists(itemDefPath(dir.path, 1)) == (c.odd[0] == 'd')) << c.what;  // left as it was
        const bool refused = std::find(c.saved.begin(), c.saved.end(), false) != c.saved.end();
        EXPECT_EQ(said.errText().find(neverLoaded) != std::string::npos, refused) << c.what;
    }
}

// A save that fails says why; a first save that failed owns nothing, so a later one still will
// not write over the world's 0.def.
TEST(DefDirSave, FailuresAreReportedAndAFailedFirstSaveOwnsNothing) {
    TempDir dir;
    writeFile(dir / "idef", "not a directory");
    const std::vector<Item> items(2), none;
    int owned = 0;
    Messages failed;
    EXPECT_FALSE(saveItemFiles(dir.path, items, owned, false, failed));
    EXPECT_EQ(owned, 0);
    removeFile(dir / "idef");
    makeDirs(itemDefPath(dir.path, 0) + "/x");  // the world's 0.def, which cannot be removed either
    EXPECT_FALSE(saveItemFiles(dir.path, items, owned, false, failed));
    owned = 1;  // as if loaded
    EXPECT_FALSE(saveItemFiles(dir.path, none, owned, true, failed));
    EXPECT_TRUE(fileExists(itemDefPath(dir.path, 0) + "/x"));
    EXPECT_EQ(failed.errText(), "***WARNING*** could not write " + itemDefPath(dir.path, 0) + ": Not a directory\n"
                            "***WARNING*** items not saved: press L to load the world's items first\n"
                            "***WARNING*** could not remove " + itemDefPath(dir.path, 0) + ": Is a directory\n");
}
