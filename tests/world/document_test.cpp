// The document: what a designer's edits, loads and saves do to the world and its files, and
// what they say; placing and editing through a prompt that answers from a script.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "placement/placement.h"
#include "test_support.h"
#include "world/defdir.h"
#include "world/document.h"

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
    Document& doc = *w.doc;
    const std::string copy = w.dir / "recovery/data";
    EXPECT_TRUE(doc.keepUnsavedEdits(copy).said.empty());  // nothing edited: nothing written, nothing said
    EXPECT_FALSE(fileExists(copy));

    doc.placeNpc(Actor());  // before the world's own were loaded
    Outcome kept = doc.keepUnsavedEdits(copy);
    EXPECT_EQ(kept.said.errText(),
              "***WARNING*** unsaved edits kept in recovery/data: copy its files into data/ to keep them\n"
              "***WARNING*** recovery/data/npcdef holds only the NPCs placed in this run: the world's own were never loaded\n");
    EXPECT_EQ(readFile(copy + "/map.dat"), doc.map.serialize());
    EXPECT_EQ(filesUnder(copy + "/npcdef").size(), 1u);
}

}  // namespace
