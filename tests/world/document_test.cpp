// The document: what a designer's edits, loads and saves do to the world and its files, and
// what they say; placing and editing through a prompt that answers from a script.
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <tuple>

#include "placement/placement.h"
#include "test_support.h"
#include "world/defdir.h"
#include "world/document.h"
#include "world/restore.h"

namespace {

// A world on disk: a map of tile 0 but for cell (5, 6), NPCs and items with these names.
struct DiskWorld {
    TempDir dir;
    std::unique_ptr<Document> doc = std::make_unique<Document>();
    DiskWorld(std::vector<std::string> npcNames = {"Ann", "Bob"}, std::vector<std::string> itemNames = {"Cup"}) {
        doc->dataDir = dir / "data";
        auto disk = makeWorld();
        disk->map.tiles[6][5] = 9;
        writeFile(dir / "data/map.dat", disk->map.serialize());
        for (size_t n = 0; n < npcNames.size(); ++n) {
            Actor npc;
            npc.name = npcNames[n], npc.x = 100.0f * static_cast<float>(n);
            writeFile(npcDefPath(doc->dataDir, static_cast<int>(n)), npc.serialize());
        }
        for (size_t n = 0; n < itemNames.size(); ++n) {
            Item item;
            item.name = itemNames[n], item.x = 100.0f * static_cast<float>(n), item.type = 3;
            writeFile(itemDefPath(doc->dataDir, static_cast<int>(n)), item.serialize());
        }
        Messages said;
        EXPECT_TRUE(doc->openMap(said));
    }
    std::string file(const std::string& relative) const { return readFile(dir / ("data/" + relative)); }
};

// Answers typed into the prompt: "" keeps the starting text (Return), "\b..." clears it first
// (Backspace), anything else is typed after it. Past the last answer the window is closed.
struct Script {
    explicit Script(std::vector<std::string> typed) : answers(std::move(typed)) {}
    std::vector<std::string> answers;
    size_t next = 0;
    std::vector<std::pair<std::string, int>> asked;  // question, y
    Prompt prompt() {
        Prompt p;
        p.ask = [this](const char* question, int x, int y, const std::string& start) -> std::optional<std::string> {
            EXPECT_EQ(x, PROMPT_LEFT);
            asked.emplace_back(question, y);
            if (next == answers.size()) return std::nullopt;
            const std::string& typed = answers[next++];
            return !typed.empty() && typed[0] == '\b' ? typed.substr(1) : start + typed;
        };
        p.clear = [this] { asked.emplace_back("(cleared)", -1); };
        return p;
    }
};

std::vector<std::string> empties(size_t count) { return std::vector<std::string>(count, ""); }

TEST(Document, SaveSaysWhetherEverythingWasWrittenAndOnlyThenCountsAsSaved) {
    DiskWorld w;
    Document& doc = *w.doc;
    EXPECT_EQ(doc.paint(7, 8, 21).said.outText(), "7,8\n");
    EXPECT_EQ(doc.paint(400, 8, 21).said.outText(), "400,8\n");  // off the map: nothing, but echoed
    const std::string ann = w.file("npcdef/0.def");
    // An NPC placed before the world's were loaded: the map is saved, the NPC files are not.
    doc.placeNpc(Actor());
    Outcome refused = doc.save();
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.said.outText(), "Written. closing\n");
    EXPECT_EQ(refused.said.errText(), "***WARNING*** NPCs not saved: press L to load the world's NPCs first\n");
    EXPECT_TRUE(w.file("map.dat") == doc.map.serialize());
    EXPECT_EQ(w.file("npcdef/0.def"), ann);
    EXPECT_TRUE(doc.hasUnsavedEdits());

    doc.killNPCAt(1, 1);
    Outcome saved = doc.save();
    EXPECT_TRUE(saved.ok);
    EXPECT_EQ(saved.said.errText(), "");
    EXPECT_FALSE(doc.hasUnsavedEdits());
}

TEST(Document, LoadRereadsTheMapAndAppendsTheDefinitionsOnce) {
    DiskWorld w;
    Document& doc = *w.doc;
    Actor placed;
    placed.name = "placed";
    doc.placeNpc(placed);
    doc.placeItem(Item());
    doc.paint(5, 6, 30);
    Outcome loaded = doc.load();
    EXPECT_EQ(loaded.said.outText(), "map loaded....\n");
    EXPECT_EQ(doc.map.getTileAt(5, 6), 9) << "the edit survived the load";
    EXPECT_TRUE(doc.dataLoaded);
    EXPECT_FALSE(doc.hasUnsavedEdits());
    EXPECT_EQ(doc.undo().said.outText(), "Nothing to undo\n");  // loading cannot be undone
    EXPECT_EQ(npcNames(doc), (std::vector<std::string>{"placed", "Ann", "Bob"}));
    ASSERT_EQ(doc.items.size(), 2u);
    EXPECT_EQ(doc.items[1].name, "Cup");
    // Only once a run.
    doc.map.setTileAt(5, 6, 30);
    EXPECT_TRUE(doc.load().said.empty());
    EXPECT_EQ(doc.map.getTileAt(5, 6), 30);
    EXPECT_EQ(doc.npcs.size(), 3u);
}

// Removal: a 2x2 box at the click against the object's 48x48 box, touching counts; an NPC's
// fractions truncate toward zero.
TEST(Document, RemovalReachesTwoPixelsBeforeAndFortyEightAfterTheCorner) {
    const struct {
        int x, y;
        bool removed;
    } cases[] = {{94, 150, true},  {144, 150, true},  {100, 142, true},  {144, 192, true},
                 {93, 150, false}, {145, 150, false}, {100, 141, false}, {100, 193, false}};
    for (const auto& c : cases) {
        auto doc = std::make_unique<Document>();
        Actor npc;
        npc.x = 96.7f, npc.y = 144.2f;
        Item item;
        item.x = 96, item.y = 144;
        doc->placeNpc(npc);
        doc->placeItem(item);
        doc->killNPCAt(c.x, c.y);
        doc->killItemAt(c.x, c.y);
        EXPECT_EQ(doc->npcs.empty(), c.removed) << c.x << "," << c.y;
        EXPECT_EQ(doc->items[0].type == ITEM_TYPE_REMOVED, c.removed) << c.x << "," << c.y;  // a removed item stays listed
    }
    EXPECT_TRUE(collide(0, 0, 48, 48, 48, 48, 2, 2));
    EXPECT_FALSE(collide(0, 0, 48, 48, 49, 0, 2, 2));
}

TEST(Document, RemovalAndEditingTakeTheEarliestLiveObjectUnderTheClickOrNothing) {
    auto doc = std::make_unique<Document>();
    Script script({"\bBob"});
    script.answers.resize(16);
    Prompt prompt = script.prompt();
    EXPECT_TRUE(editNPCAt(prompt, *doc, 100, 100));  // nothing there: nothing asked
    EXPECT_TRUE(script.asked.empty());
    for (float x : {96.0f, 100.0f}) {
        Actor npc;
        npc.x = x, npc.y = x + 50;
        doc->placeNpc(npc);
    }
    EXPECT_TRUE(editNPCAt(prompt, *doc, 100, 150));
    EXPECT_EQ(npcNames(*doc), (std::vector<std::string>{"Bob", "Unset Actor"}));
    for (auto [x, type] : {std::pair{96.0f, ITEM_TYPE_REMOVED}, {100.0f, 0}, {90.0f, 0}}) {
        Item item;
        item.x = x, item.y = x + 50, item.type = type;
        doc->placeItem(item);
    }
    doc->killNPCAt(500, 500);
    doc->killItemAt(500, 500);
    EXPECT_EQ(doc->npcs.size(), 2u);
    doc->killNPCAt(100, 150);
    EXPECT_EQ(doc->npcs[0].x, 100.0f);
    doc->killItemAt(100, 150);
    EXPECT_EQ(doc->items[1].type, ITEM_TYPE_REMOVED);
    EXPECT_EQ(doc->items[2].type, 0);
    doc->killItemAt(100, 150);
    EXPECT_EQ(doc->items[2].type, ITEM_TYPE_REMOVED);
}

TEST(Placement, NpcAnswersGoToTheirMembersAndTheLastTwoAreAskedOnACleanedWindow) {
    auto doc = std::make_unique<Document>();
    // x, y, hp, hpMax, mp, mpMax, experience, (spare), strength, dexterity, intelligence,
    // response flag, hostile, first and second convo, name, wandering, sprite, direction.
    Script script({"Bob", "hi there", "bye 2", "3", "7", "12 abc", "-5", "", " 12", "1 2", "99999999999", "x8", "8x",
                   "0", "2", "1"});
    Prompt prompt = script.prompt();
    ASSERT_TRUE(createNewNPCAt(prompt, *doc, 123, 456));
    EXPECT_EQ(doc->npcs.back().serialize(),
              "123\n456\n-5\n0\n12\n1\n2147483647\n0\n0\n8\n0\n12\n1\nhi there\nbye 2\nBob\n1\n3\n7\n0\n");
    ASSERT_EQ(script.asked.size(), 17u);
    EXPECT_EQ(script.asked[14], std::make_pair(std::string("(cleared)"), -1));
    EXPECT_EQ(script.asked[15], std::make_pair(std::string("Boolean, is Hostile:"), 0));
    EXPECT_EQ(script.asked[13], std::make_pair(std::string("Intelligence:"), 520));

    // Empty answers are empty texts and zeroes, not the new actor's own values; hostile and
    // wandering are yes only for numbers above zero.
    Script empty(empties(14));
    empty.answers.insert(empty.answers.end(), {"-1", "true"});
    prompt = empty.prompt();
    ASSERT_TRUE(createNewNPCAt(prompt, *doc, 0, 0));
    EXPECT_EQ(doc->npcs.back().serialize(), "0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n\n\n\n0\n0\n0\n0\n");

    // The window closed during the questions: nothing is placed.
    Script closed({"Eve", "hi"});
    prompt = closed.prompt();
    EXPECT_FALSE(createNewNPCAt(prompt, *doc, 0, 0));
    EXPECT_EQ(doc->npcs.size(), 2u);
    EXPECT_EQ(doc->history.stepCount(), 2u);
}

TEST(Placement, ItemAnswersGoToTheirMembersAndARangedTypeBringsANinthQuestion) {
    auto doc = std::make_unique<Document>();
    size_t asked = 0;
    auto place = [&](std::vector<std::string> answers, int x = 0, int y = 0) {
        Script script(std::move(answers));
        Prompt prompt = script.prompt();
        EXPECT_TRUE(createNewItemAt(prompt, *doc, x, y));
        asked = script.asked.size();
        return doc->items.back();
    };
    // type, effect, price, owner, x, y, (flag), name, description, short name, icon, range
    EXPECT_EQ(place({"Potion", "pot", "heals you", "3", "25", " 12", "99999999999", "7"}, 196, 50).serialize(),
              "3\n25\n12\n2147483647\n196\n50\n0\nPotion\nheals you\npot\n7\n0\n");
    EXPECT_EQ(place({"", "", "", "", "", "1 2", "", ""}).serialize(), "0\n0\n1\n0\n0\n0\n0\n\n\n\n0\n0\n");
    Item ranged = place({"Bow", "", "", "8x", "", "", "", "", "12"});
    EXPECT_EQ(std::tuple(ranged.type, ranged.range, asked), std::tuple(ITEM_TYPE_RANGED, 12, 9u));
    // Any other type is asked eight questions.
    Item plain = place({"Rock", "", "", "x8", "", "", "", "", "77"});
    EXPECT_EQ(std::tuple(plain.type, plain.range, asked), std::tuple(0, 0, 8u));
    EXPECT_EQ(doc->items.size(), 4u);
}

TEST(Placement, EditingChangesOnlyTheAnsweredLinesAndIsOneStepWhenAnythingChanged) {
    DiskWorld w({"Ann"}, {"Sword", "Bow"});
    Document& doc = *w.doc;
    doc.load();
    doc.items[1].type = ITEM_TYPE_RANGED, doc.items[1].range = 6;
    doc.save();
    const auto before = filesUnder(doc.dataDir);
    const struct {
        bool npc;
        int index;
        std::vector<std::string> answers;
        std::function<void(Actor&, Item&)> change;  // what the answers change
    } cases[] = {{true, 0, empties(16), [](Actor&, Item&) {}},
                 {true, 0, {"\bOlga", "", "", "", "\b3", "", "", "", "", "", "", "", "", "", "", ""},
                  [](Actor& npc, Item&) { npc.name = "Olga", npc.direction = 3; }},
                 {false, 1, empties(9), [](Actor&, Item&) {}},
                 {false, 0, {"", "", "", "\b8", "", "", "", "", "\b4"},
                  [](Actor&, Item& item) { item.type = ITEM_TYPE_RANGED, item.range = 4; }}};
    for (const auto& c : cases) {
        Actor npc = doc.npcs[0];
        Item item = doc.items[static_cast<size_t>(c.index)];
        c.change(npc, item);
        Script script(c.answers);
        Prompt prompt = script.prompt();
        const int x = 100 * c.index + 1;
        EXPECT_TRUE(c.npc ? editNPCAt(prompt, doc, x, 0) : editItemAt(prompt, doc, x, 0));
        EXPECT_EQ(script.next, c.answers.size());
        doc.save();
        const std::string path = c.npc ? npcDefPath(doc.dataDir, 0) : itemDefPath(doc.dataDir, c.index);
        EXPECT_EQ(readFile(path), c.npc ? npc.serialize() : item.serialize()) << path;
    }
    // The two edits that changed something are the two undo steps.
    doc.undo();
    doc.undo();
    doc.save();
    EXPECT_TRUE(filesUnder(doc.dataDir) == before);
    EXPECT_EQ(doc.undo().said.outText(), "Nothing to undo\n");
}

// What the document keeps and says when the editor ends with unsaved edits.
TEST(Document, UnsavedEditsGoToTheRecoveryCopyWithAWordOnWhatItHolds) {
    DiskWorld w;
    ChangeDir inWorld(w.dir.path);
    Document& doc = *w.doc;
    const std::string copy = "recovery/data";
    EXPECT_TRUE(doc.keepUnsavedEdits().said.empty());  // nothing edited: nothing written, nothing said
    EXPECT_FALSE(fileExists(copy));

    doc.placeNpc(Actor());  // before the world's own were loaded
    Outcome kept = doc.keepUnsavedEdits();
    EXPECT_EQ(kept.said.errText(),
              "***WARNING*** unsaved edits kept in recovery/data: copy its files into data/ to keep them\n"
              "***WARNING*** recovery/data/npcdef holds only the NPCs placed in this run: the world's own were never loaded\n");
    EXPECT_EQ(readFile(copy + "/map.dat"), doc.map.serialize());
    EXPECT_EQ(filesUnder(copy + "/npcdef").size(), 1u);
}

}  // namespace

namespace {

// Driven with a clock of its own; each autosave is waited for, then collected by the next call.
TEST(Autosave, AfterTheIntervalOnlyWhatChangedNeverTwiceForOneStateAndFailuresOnce) {
    DiskWorld w;
    ChangeDir inWorld(w.dir.path);
    Document& doc = *w.doc;
    doc.recovery.userBase = w.dir / "state";
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

    // Saved: the copy is no copy any more. Then no place at all (its map cannot be written, the
    // per-user place is a file): said once, until one succeeds, and the copy stays unfinished.
    ASSERT_TRUE(doc.save().ok);
    at(300002);
    EXPECT_FALSE(fileExists("recovery/manifest"));
    removeFile("recovery/data/map.dat"), makeDirs("recovery/data/map.dat/x"), writeFile("state", "x");
    doc.paint(2, 2, 3);
    at(400000), at(460000);
    EXPECT_NE(at(460001), "");
    doc.paint(3, 3, 3);
    at(520000);
    EXPECT_EQ(at(520001), "");
    EXPECT_FALSE(fileExists("recovery/manifest"));
}

// A session in the world, ended with its edits kept; then a restore, from the world's directory.
TEST(Restore, OnlyWhatTheCopyTrulyHoldsElseRefusesWithNothingChanged) {
    const struct {
        const char* what;
        std::function<void(Document&)> session;
        int status;
        std::string said;          // the restore's one line, after "<data>/: " when restored
        bool wholeCopy = false;    // the copy holds the whole world
        bool unfinished = false;   // the copy's manifest removed, as a write cut short leaves it
    } cases[] = {
        {"painted, L never pressed", [](Document& d) { d.paint(1, 1, 3); }, 0,
         "map.dat; the world's NPCs and items were left as they are (that run never loaded them)\n"},
        {"loaded, Ann removed", [](Document& d) { d.load(), d.killNPCAt(1, 1); }, 0, "map.dat, npcdef, idef\n", true},
        {"an NPC placed, L never pressed", [](Document& d) { d.placeNpc(Actor()); }, 2,
         "maped: not restored, nothing changed: recovery/data/npcdef holds only the NPCs placed in a run that never "
         "loaded the world's own\n"},
        {"L stopped at a file it could not read, an NPC placed",
         [](Document& d) { removeFile(npcDefPath(d.dataDir, 1)), makeDirs(npcDefPath(d.dataDir, 1)), d.load(), d.placeNpc(Actor()); },
         2, "maped: not restored, nothing changed: recovery/data/npcdef/1.def would replace DATA/npcdef/1.def, which that run never read\n"},
        {"an unfinished copy", [](Document& d) { d.paint(1, 1, 3); }, 2, "maped: no recovery copy in recovery/data to restore\n",
         false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DiskWorld w;
        ChangeDir inWorld(w.dir.path);
        const std::string data = w.doc->dataDir;
        c.session(*w.doc);
        w.doc->keepUnsavedEdits();
        if (c.unfinished) removeFile("recovery/manifest");
        const auto copy = filesUnder("recovery/data"), before = filesUnder(data);
        auto next = std::make_unique<Document>();  // the next run, on the same world
        next->dataDir = data;
        const bool refused = c.said.find("not restored") != std::string::npos;
        EXPECT_EQ(next->noticeEarlierEdits().said.empty(), c.unfinished);
        Messages said;
        EXPECT_EQ(restoreRecoveryCopy("recovery", data, "", said), c.status);
        std::string line = c.said;
        if (line.find("DATA") != std::string::npos) line.replace(line.find("DATA"), 4, data);
        EXPECT_EQ(said.text(c.status ? Stream::Err : Stream::Out), c.status ? line : "Restored recovery/data into " + data + "/: " + line);
        auto expected = c.wholeCopy ? copy : before;
        if (c.status == 0) expected["map.dat"] = copy.at("map.dat");
        EXPECT_TRUE(filesUnder(data) == expected) << "the world after the restore";
        EXPECT_EQ(fileExists("recovery/manifest"), refused);
        EXPECT_EQ(next->noticeEarlierEdits().said.empty(), !refused);
    }
}

// A save writes only the files whose bytes change (the others keep their inode and time), and
// none over a file changed on disk since this run read it: that part is refused, the edits stay
// unsaved, and the file keeps the other writer's bytes.
TEST(DocumentSave, WritesOnlyWhatChangedAndNothingOverAFileChangedOnDisk) {
    const std::string elsewhere = "a line added elsewhere\n";
    const struct {
        const char* what;
        const char* changedOnDisk;  // between L and S, by someone else
        std::function<void(Document&)> edit;
        const char* refused;  // the file the save does not write over
    } cases[] = {
        {"one NPC edited", nullptr, [](Document& d) { d.editNpc(1, Actor()); }, nullptr},
        {"map.dat changed, the map not edited", "map.dat", [](Document& d) { d.editNpc(1, Actor()); }, nullptr},
        {"map.dat changed and painted", "map.dat", [](Document& d) { d.paint(1, 1, 3); }, "map.dat"},
        {"an NPC file changed and edited", "npcdef/1.def", [](Document& d) { d.editNpc(1, Actor()); }, "npcdef/1.def"},
        {"an NPC file changed that a removal deletes", "npcdef/1.def", [](Document& d) { d.killNPCAt(1, 1); },
         "npcdef/1.def"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DiskWorld w;
        Document& doc = *w.doc;
        doc.load();
        const std::string changed = c.changedOnDisk ? w.file(c.changedOnDisk) + elsewhere : "";
        if (c.changedOnDisk) writeFile(w.dir / "data/" + c.changedOnDisk, changed);
        const auto files = filesUnder(doc.dataDir), stamps = stampsUnder(doc.dataDir);
        c.edit(doc);
        const Outcome saved = doc.save();
        EXPECT_EQ(saved.ok, !c.refused);
        EXPECT_EQ(saved.said.outText(), c.refused && c.refused == std::string("map.dat") ? "" : "Written. closing\n");
        EXPECT_EQ(saved.said.errText(), c.refused ? notSavedChangedWarning(doc.dataDir + "/" + c.refused) : "");
        EXPECT_EQ(doc.hasUnsavedEdits(), c.refused != nullptr);
        if (c.changedOnDisk) {
            EXPECT_TRUE(w.file(c.changedOnDisk) == changed);
        }
        const auto after = filesUnder(doc.dataDir), stampsAfter = stampsUnder(doc.dataDir);
        for (const auto& [name, bytes] : after) {
            if (files.count(name) && files.at(name) == bytes) {
                EXPECT_EQ(stampsAfter.at(name), stamps.at(name)) << name;
            }
        }
        EXPECT_EQ(after != files, !c.refused);
    }
}

// Two editors on one world, both loaded it; A painted, placed an NPC and saved; B painted,
// removed an NPC and saved. B's map would drop A's cell, and its removal would leave A's new
// NPC behind a gap: neither is written. With the world's lock, B does not save at all.
TEST(DocumentSave, TwoEditorsOnOneWorldNeitherWritesOverTheOther) {
    DiskWorld w;
    Document& a = *w.doc;
    auto b = std::make_unique<Document>();
    b->dataDir = a.dataDir;
    a.load(), b->load();
    Actor cy;
    cy.name = "Cy";
    a.paint(1, 1, 3), a.placeNpc(cy);
    ASSERT_TRUE(a.save().ok);
    const auto afterA = filesUnder(a.dataDir);
    b->paint(2, 2, 4), b->killNPCAt(1, 1);
    Outcome refused = b->save();
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.said.errText(), notSavedChangedWarning(a.dataDir + "/map.dat") + "***WARNING*** NPCs not saved: removing " +
                                          npcDefPath(a.dataDir, 1) + " would hide " + npcDefPath(a.dataDir, 2) +
                                          ", which this editor never loaded\n");
    EXPECT_TRUE(filesUnder(a.dataDir) == afterA);

    a.lockPath = b->lockPath = w.dir / LOCK_FILE;
    EXPECT_TRUE(a.lockWorld().said.empty());
    const std::string other = "another editor (pid " + std::to_string(getpid()) + ") has this world open";
    EXPECT_EQ(b->lockWorld().said.errText(), "***WARNING*** " + other + ": this one will not save it until that one ends\n");
    EXPECT_EQ(b->save().said.errText(), "***WARNING*** not saved: " + other + "\n");
    w.doc.reset();  // A ends, and the kernel drops its lock
    EXPECT_EQ(b->save().said.errText().find(other), std::string::npos);
}

}  // namespace
