// The recovery copy of a document: where it goes when its place cannot take it, autosave's
// schedule, and what a restore puts back (and refuses to), in a world in a temporary directory.
#include <gtest/gtest.h>

#include <functional>

#include "test_support.h"
#include "world/defdir.h"
#include "world/document.h"
#include "world/restore.h"

namespace {

const std::string KEPT_HERE = "***WARNING*** unsaved edits kept in recovery/data: copy its files into data/ to keep them\n";

// A world of a map, NPCs Ann (at 0,0) and Bob (at 100,0) and the item Cup, and a document
// run in its directory, its per-user place under state/.
struct World3 {
    TempDir dir;
    ChangeDir inWorld{dir.path};
    std::unique_ptr<Document> doc;
    World3() {
        auto world = makeWorld({"Ann", "Bob"}, 1);
        world->npcs[1].x = 100;
        writeFile("data/map.dat", world->map.serialize());
        for (int n = 0; n < 2; ++n) writeFile(npcDefPath("data", n), world->npcs[n].serialize());
        writeFile(itemDefPath("data", 0), world->items[0].serialize());
        start();
    }
    void start() {
        doc = std::make_unique<Document>();
        doc->recovery.userBase = dir / "state";
        Messages said;
        EXPECT_TRUE(doc->openMap(said));
    }
};

TEST(RecoveryPlaces, BesideTheWorldElseThePerUserPlaceElseNowhere) {
    const struct {
        const char* what;
        std::function<void()> plant;
        int place;  // 0 beside the world, 1 the per-user place, -1 none
        std::string err;
    } cases[] = {
        {"recovery free", [] {}, 0, KEPT_HERE},
        {"recovery a file", [] { writeFile("recovery", "x"); }, 1, "***WARNING*** could not write recovery: not a directory\n"},
        {"recovery a link", [] { symlink("/tmp", "recovery"); }, 1, "***WARNING*** could not write recovery: not a directory\n"},
        {"recovery a file, the per-user place too", [] { writeFile("recovery", "x"), writeFile("state", "x"); }, -1,
         "***WARNING*** could not write recovery: not a directory\n***WARNING*** could not write state: not a directory\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        World3 w;
        w.doc->recovery.userBase = "state";
        c.plant();
        w.doc->paint(1, 1, 3);
        const Outcome kept = w.doc->keepUnsavedEdits();
        EXPECT_EQ(kept.ok, c.place >= 0);
        std::string place = "recovery";
        if (c.place == 1) {
            const auto names = filesUnder("state");
            ASSERT_FALSE(names.empty());
            place = "state/" + names.begin()->first.substr(0, names.begin()->first.find('/'));
            EXPECT_EQ(place.rfind("state/" + w.dir.path.substr(w.dir.path.rfind('/') + 1) + "-20", 0), 0u) << place;
        }
        const std::string keptThere = "***WARNING*** unsaved edits kept in " + place + "/data: copy its files into data/ to keep them\n";
        EXPECT_EQ(kept.said.errText(), c.place == 1 ? c.err + keptThere : c.err);
        if (c.place >= 0) EXPECT_EQ(readFile(place + "/data/map.dat"), w.doc->map.serialize());
    }
}

// Driven with a clock of its own; each autosave is waited for, then collected by the next call.
TEST(Autosave, AfterTheIntervalOnlyWhatChangedNeverTwiceForOneStateAndFailuresOnce) {
    World3 w;
    Document& doc = *w.doc;
    doc.load();
    doc.autosaveSeconds = 60;
    auto at = [&](long long ms) {
        const Outcome said = doc.autosave(ms);
        doc.recovery.wait();
        return said.said.errText();
    };
    at(0);
    EXPECT_FALSE(fileExists("recovery")) << "nothing unsaved, yet written";
    doc.paint(1, 1, 3);
    at(1000), at(60999);
    EXPECT_FALSE(fileExists("recovery")) << "written before the interval";
    at(61000);
    EXPECT_EQ(readFile("recovery/data/map.dat"), doc.map.serialize());
    const auto first = stampsUnder("recovery");
    EXPECT_EQ(at(300000), "");
    EXPECT_TRUE(stampsUnder("recovery") == first) << "the same state written twice";
    Actor edited = doc.npcs[1];
    edited.name = "Bobby";
    doc.editNpc(1, edited);
    at(300001);
    const auto second = stampsUnder("recovery");
    for (const char* name : {"data/map.dat", "data/npcdef/0.def", "data/idef/0.def"}) EXPECT_EQ(second.at(name), first.at(name)) << name;
    EXPECT_NE(second.at("data/npcdef/1.def"), first.at("data/npcdef/1.def"));
    EXPECT_EQ(readFile("recovery/data/npcdef/1.def"), edited.serialize());

    // Saved: the copy is no copy any more. Then no place at all: said once, until one succeeds.
    ASSERT_TRUE(doc.save().ok);
    at(300002);
    EXPECT_FALSE(fileExists("recovery/manifest"));
    std::filesystem::remove_all("recovery");
    writeFile("recovery", "x"), writeFile("state", "x");
    doc.paint(2, 2, 3);
    at(400000), at(460000);
    EXPECT_NE(at(460001), "");
    doc.paint(3, 3, 3);
    at(520000);
    EXPECT_EQ(at(520001), "");
}

// A session in the world, ended with its edits kept; then a restore.
TEST(Restore, OnlyWhatTheCopyTrulyHoldsElseRefusesWithNothingChanged) {
    const std::string data = "data";
    const struct {
        const char* what;
        std::function<void(Document&)> session;
        int status;
        std::string said;     // the restore's one line
        bool npcsFromCopy;    // the world's NPC files are the copy's afterwards (else as they were)
        bool unfinished = false;  // the copy's manifest removed, as a write cut short leaves it
    } cases[] = {
        {"painted, L never pressed", [](Document& d) { d.paint(1, 1, 3); }, 0,
         "Restored recovery/data into data/: map.dat; the world's NPCs and items were left as they are (that run never "
         "loaded them)\n", false},
        {"loaded, Ann removed", [](Document& d) { d.load(), d.killNPCAt(1, 1); }, 0,
         "Restored recovery/data into data/: map.dat, npcdef, idef\n", true},
        {"an NPC placed, L never pressed", [](Document& d) { d.placeNpc(Actor()); }, 2,
         "maped: not restored, nothing changed: recovery/data/npcdef holds only the NPCs placed in a run that never "
         "loaded the world's own\n", false},
        {"L stopped at a file it could not read, an NPC placed",
         [](Document& d) { removeFile(npcDefPath("data", 1)), makeDirs(npcDefPath("data", 1)), d.load(), d.placeNpc(Actor()); }, 2,
         "maped: not restored, nothing changed: recovery/data/npcdef/1.def would replace data/npcdef/1.def, which that "
         "run never read\n", false},
        {"no copy", [](Document&) {}, 2, "maped: no recovery copy in recovery/data to restore\n", false},
        {"an unfinished copy", [](Document& d) { d.paint(1, 1, 3); }, 2,
         "maped: no recovery copy in recovery/data to restore\n", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        World3 w;
        c.session(*w.doc);
        w.doc->keepUnsavedEdits();
        if (c.unfinished) removeFile("recovery/manifest");
        const auto copy = filesUnder("recovery/data");
        const auto before = filesUnder(data);
        w.start();  // the next run, on the same world
        EXPECT_EQ(w.doc->noticeEarlierEdits().said.errText() != "", c.status != 2 || c.said.find("not restored") != std::string::npos);
        Messages said;
        EXPECT_EQ(restoreRecoveryCopy("recovery", data, "", said), c.status);
        EXPECT_EQ(said.text(c.status ? Stream::Err : Stream::Out), c.said);
        auto expected = before;
        if (c.status == 0) {
            expected["map.dat"] = copy.at("map.dat");
            for (const auto& [name, bytes] : before)
                if (c.npcsFromCopy && name.rfind("npcdef/", 0) == 0) expected.erase(name);
            if (c.npcsFromCopy)
                for (const auto& [name, bytes] : copy)
                    if (name.rfind("npcdef/", 0) == 0) expected[name] = bytes;
        }
        EXPECT_TRUE(filesUnder(data) == expected) << "the world after the restore";
        EXPECT_EQ(fileExists("recovery/manifest"), c.status == 2 && c.said.find("not restored") != std::string::npos);
        EXPECT_TRUE(w.doc->noticeEarlierEdits().said.empty() || c.status == 2);
    }
}

}  // namespace
