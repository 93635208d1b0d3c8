// The command set on the dummy video driver: mouse presses from SDL's queue, then the keys
// held in SDL's key state table, each command with the waits it makes.
#include <SDL.h>

#include <string>
#include <vector>

#include "driving.h"
#include "editor_fixture.h"

namespace {

const char* const SAVED_MESSAGE = "Saved into 'data' folder. Overwrote existing files.";
const char* const SAVE_FAILED_MESSAGE = "Save failed: see the error output.";
const std::string MAP_FILE = "data/map.dat";
constexpr int MAP_LINE = MAP_SIZE + 1;  // one row of the map file and its line feed

using Waits = std::vector<Uint32>;

// Counts the unbroken run of definition files from 0.def, as the loader reads them.
int definitionCount(const std::string& dir) {
    int n = 0;
    while (fileExists(dir + "/" + std::to_string(n) + ".def")) ++n;
    return n;
}

// The centre of the window pixel area that shows a cell while the view starts at cell (0, 0).
int at(int cell) { return cell * TILE_SIZE + TILE_SIZE / 2; }

class InputTest : public EditorTest {
protected:
    // One pass of the command handler with exactly these keys held; returns its waits.
    Waits run(std::initializer_list<SDLKey> keys) {
        holdKeys(keys);
        recordedDelays.clear();
        editor->getInput();
        holdKeys({});
        return recordedDelays;
    }
    // One mouse press handled by the command handler; returns what it printed.
    std::string click(int button, int x, int y) {
        CaptureOutput output;
        pushClick(button, x, y);
        editor->getInput();
        return output.out();
    }
    std::vector<int> tiles() const {
        const int* first = &editor->map.tiles[0][0];
        return std::vector<int>(first, first + MAP_SIZE * MAP_SIZE);
    }
    SDL_Color minimapAt(int x, int y) const { return pixelOf(editor->minimap, x, y); }
    SDL_Color colour(Uint8 r, Uint8 g, Uint8 b) const { return displayColour(editor->screen, r, g, b); }
    // The whole screen as the message alone, drawn on black, leaves it.
    std::vector<Uint16> messageAlone(const char* message) {
        fillScreen(editor->screen, 0, 0, 0);
        editor->drawTextAt(message, 0, 0);
        return grabScreen(editor->screen);
    }
    void selectWithRightClicks(int x1, int y1, int x2, int y2) {
        pushClick(SDL_BUTTON_RIGHT, at(x1), at(y1));
        pushClick(SDL_BUTTON_RIGHT, at(x2), at(y2));
        editor->getInput();
    }
};

using InputDeathTest = InputTest;

// ---- keys: order, groups and waits

TEST_F(InputTest, EveryHeldGroupActsInTableOrderWithItsOwnWait) {
    // Up, Left, [, Q, P, M, Z and F3: one command from each group, each waiting its time.
    EXPECT_EQ(run({SDLK_F3, SDLK_z, SDLK_m, SDLK_p, SDLK_q, SDLK_LEFTBRACKET, SDLK_LEFT, SDLK_UP}),
              (Waits{100, 100, 100, 25, 100, 200, 100, 100}));
    EXPECT_EQ(editor->currentTile, LAST_TILE);
    EXPECT_TRUE(editor->showPalette);
    EXPECT_FALSE(editor->showMinimap);
    EXPECT_EQ(editor->rightClickMode, MODE_PLACE_NPC);
    EXPECT_TRUE(fileExists("sshot.bmp"));

    // The second key of each group acts when the first is not held.
    EXPECT_EQ(run({SDLK_DOWN, SDLK_RIGHT, SDLK_RIGHTBRACKET, SDLK_a}), (Waits{100, 100, 100, 25}));
    EXPECT_EQ(editor->scrollY, 1);
    EXPECT_EQ(editor->scrollX, 1);
    EXPECT_EQ(editor->currentTile, 0);
    EXPECT_EQ(editor->paletteScroll, 1);
}

TEST_F(InputTest, OnlyTheFirstHeldKeyOfAGroupActs) {
    editor->scrollX = editor->scrollY = 5;
    editor->currentTile = 10;
    editor->paletteScroll = 5;
    EXPECT_EQ(run({SDLK_UP, SDLK_DOWN}), Waits{100});
    EXPECT_EQ(editor->scrollY, 4);
    EXPECT_EQ(run({SDLK_LEFT, SDLK_RIGHT}), Waits{100});
    EXPECT_EQ(editor->scrollX, 4);
    EXPECT_EQ(run({SDLK_LEFTBRACKET, SDLK_RIGHTBRACKET}), Waits{100});
    EXPECT_EQ(editor->currentTile, 9);
    EXPECT_EQ(run({SDLK_q, SDLK_a}), Waits{25});
    EXPECT_EQ(editor->paletteScroll, 4);
}

TEST_F(InputTest, SaveComesBeforeLoadAndLoadBeforeTheModeKey) {
    removeFile(MAP_FILE);
    {
        CaptureOutput quiet;
        EXPECT_EQ(run({SDLK_z, SDLK_l, SDLK_s}), Waits{200});
    }
    EXPECT_TRUE(fileExists(MAP_FILE)) << "S did not save";
    EXPECT_FALSE(editor->dataLoaded);
    EXPECT_EQ(editor->rightClickMode, MODE_SELECT);

    {
        CaptureOutput quiet;
        EXPECT_EQ(run({SDLK_z, SDLK_l}), Waits{200});
    }
    EXPECT_TRUE(editor->dataLoaded);
    EXPECT_EQ(editor->rightClickMode, MODE_SELECT);
}

TEST_F(InputTest, ShiftLeavesTheCommandKeysAsTheyAre) {
    removeFile(MAP_FILE);
    {
        CaptureOutput quiet;
        EXPECT_EQ(run({SDLK_LSHIFT, SDLK_s}), Waits{200});
    }
    EXPECT_TRUE(fileExists(MAP_FILE)) << "Shift+S did not save";
    EXPECT_EQ(run({SDLK_RSHIFT, SDLK_z}), Waits{100});
    EXPECT_EQ(editor->rightClickMode, MODE_PLACE_NPC);
}

TEST_F(InputTest, FillComesBeforeTheScreenshotAndDoesNotWait) {
    editor->map.setTileAt(2, 3, 0);
    editor->currentTile = SEA_TILE;
    selectWithRightClicks(1, 2, 3, 4);
    EXPECT_EQ(run({SDLK_f, SDLK_F3}), Waits{});
    EXPECT_EQ(editor->map.getTileAt(2, 3), SEA_TILE);
    EXPECT_FALSE(fileExists("sshot.bmp"));
}

TEST_F(InputTest, ScrollingStopsAtZeroButHasNoUpperLimit) {
    EXPECT_EQ(run({SDLK_UP}), Waits{100});
    EXPECT_EQ(editor->scrollY, 0);
    EXPECT_EQ(run({SDLK_LEFT}), Waits{100});
    EXPECT_EQ(editor->scrollX, 0);

    editor->scrollY = MAP_SIZE - 1;
    editor->scrollX = 1000;
    run({SDLK_DOWN});
    run({SDLK_RIGHT});
    EXPECT_EQ(editor->scrollY, MAP_SIZE);
    EXPECT_EQ(editor->scrollX, 1001);
}

TEST_F(InputTest, BracketsWrapTheCurrentTileWithinTheOfferedTiles) {
    run({SDLK_LEFTBRACKET});
    EXPECT_EQ(editor->currentTile, 46);
    run({SDLK_LEFTBRACKET});
    EXPECT_EQ(editor->currentTile, 45);
    run({SDLK_RIGHTBRACKET});
    run({SDLK_RIGHTBRACKET});
    EXPECT_EQ(editor->currentTile, 0);
    run({SDLK_RIGHTBRACKET});
    EXPECT_EQ(editor->currentTile, 1);
}

TEST_F(InputTest, PaletteScrollStaysWithinTheTilesAndAlwaysWaits) {
    EXPECT_EQ(run({SDLK_q}), Waits{25});
    EXPECT_EQ(editor->paletteScroll, 0);
    run({SDLK_a});
    EXPECT_EQ(editor->paletteScroll, 1);
    editor->paletteScroll = LAST_TILE;
    EXPECT_EQ(run({SDLK_a}), Waits{25});
    EXPECT_EQ(editor->paletteScroll, LAST_TILE);
    run({SDLK_q});
    EXPECT_EQ(editor->paletteScroll, LAST_TILE - 1);
}

TEST_F(InputTest, PAndMToggleTheirPanels) {
    EXPECT_EQ(run({SDLK_p}), Waits{100});
    EXPECT_TRUE(editor->showPalette);
    run({SDLK_p});
    EXPECT_FALSE(editor->showPalette);
    EXPECT_EQ(run({SDLK_m}), Waits{200});
    EXPECT_FALSE(editor->showMinimap);
    run({SDLK_m});
    EXPECT_TRUE(editor->showMinimap);
}

TEST_F(InputTest, ZGoesThroughTheFiveModesAndBack) {
    std::vector<int> modes;
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(run({SDLK_z}), Waits{100});
        modes.push_back(editor->rightClickMode);
    }
    EXPECT_EQ(modes, (std::vector<int>{1, 2, 3, 4, 0}));
}

TEST_F(InputTest, ScreenshotWritesTheFrameAsAn800x600Bmp) {
    fillScreen(editor->screen, 0, 160, 0);
    fillArea(editor->screen, 100, 200, 50, 60, 200, 40, 40);
    const std::vector<Uint16> frame = grabScreen(editor->screen);
    EXPECT_EQ(run({SDLK_F3}), Waits{100});

    SDL_Surface* bmp = SDL_LoadBMP("sshot.bmp");
    ASSERT_NE(bmp, nullptr) << SDL_GetError();
    EXPECT_EQ(bmp->w, SCREEN_WIDTH);
    EXPECT_EQ(bmp->h, SCREEN_HEIGHT);
    SDL_Surface* asDisplay = SDL_ConvertSurface(bmp, editor->screen->format, SDL_SWSURFACE);
    SDL_FreeSurface(bmp);
    ASSERT_NE(asDisplay, nullptr);
    EXPECT_EQ(screenDifference(grabScreen(asDisplay), frame), "");
    SDL_FreeSurface(asDisplay);
}

// ---- save and load

TEST_F(InputTest, SaveWritesTheEditedMapAndShowsTheSavedMessage) {
    const std::string before = readFile(MAP_FILE);
    ASSERT_EQ(before.size(), static_cast<size_t>(MAP_SIZE * MAP_LINE));
    const int x = 11, y = 13;
    const int tile = before[y * MAP_LINE + x] == 'A' + SEA_TILE ? 0 : SEA_TILE;
    editor->showMinimap = false;
    editor->currentTile = tile;
    click(SDL_BUTTON_LEFT, at(x), at(y));

    fillScreen(editor->screen, 0, 0, 0);
    CaptureOutput output;
    EXPECT_EQ(run({SDLK_s}), Waits{200});
    const std::string err = output.err();
    const std::vector<Uint16> shown = grabScreen(editor->screen);
    const std::vector<Uint16> topLeft = grab(editor->screen, 0, 0, 400, 20);

    std::string expected = before;
    expected[y * MAP_LINE + x] = static_cast<char>('A' + tile);
    EXPECT_TRUE(readFile(MAP_FILE) == expected) << "the map file is not the edited map";
    EXPECT_EQ(err, "");
    const std::vector<Uint16> saved = messageAlone(SAVED_MESSAGE);
    EXPECT_EQ(screenDifference(shown, saved), "");
    EXPECT_GT(countOf(topLeft, rawColour(editor->screen, 255, 0, 0)), 50u) << "no red message at the top left";
}

TEST_F(InputTest, SaveThatCannotWriteTheMapWarnsAndShowsTheFailureMessage) {
    removeFile(MAP_FILE);
    makeDirs(MAP_FILE);  // a directory in the way: the map cannot be written
    fillScreen(editor->screen, 0, 0, 0);
    CaptureOutput output;
    EXPECT_EQ(run({SDLK_s}), Waits{200});
    const std::string out = output.out(), err = output.err();
    const std::vector<Uint16> shown = grabScreen(editor->screen);

    EXPECT_NE(err.find("***WARNING*** could not write data/map.dat\n"), std::string::npos) << err;
    EXPECT_EQ(out.find("Written. closing"), std::string::npos) << out;
    EXPECT_EQ(screenDifference(shown, messageAlone(SAVE_FAILED_MESSAGE)), "");
    EXPECT_NE(screenDifference(shown, messageAlone(SAVED_MESSAGE)), "");
}

TEST_F(InputTest, SaveThatKeepsPlacedNpcsBackBeforeLoadShowsTheFailureMessage) {
    editor->npcs.push_back(new Actor());
    const std::string firstNpcFile = readFile("data/npcdef/0.def");
    ASSERT_NE(firstNpcFile, "") << "the default world has no NPC files";
    fillScreen(editor->screen, 0, 0, 0);
    CaptureOutput output;
    run({SDLK_s});
    const std::string err = output.err();
    const std::vector<Uint16> shown = grabScreen(editor->screen);

    EXPECT_NE(err.find("***WARNING*** NPCs not saved: press L to load the world's NPCs first\n"), std::string::npos)
        << err;
    EXPECT_EQ(readFile("data/npcdef/0.def"), firstNpcFile);
    EXPECT_EQ(screenDifference(shown, messageAlone(SAVE_FAILED_MESSAGE)), "");
}

TEST_F(InputTest, LoadRereadsTheMapAndAppendsTheDefinitions) {
    const int npcFiles = definitionCount("data/npcdef"), itemFiles = definitionCount("data/idef");
    ASSERT_GT(npcFiles, 0) << "the default world has no NPC files to load";
    ASSERT_GT(itemFiles, 0) << "the default world has no item files to load";
    Actor* placed = new Actor();
    editor->npcs.push_back(placed);
    Item* dropped = new Item();
    editor->items.push_back(dropped);
    const std::vector<int> fromFile = tiles();
    const int x = 11, y = 13;
    const int edit = fromFile[y * MAP_SIZE + x] == SEA_TILE ? 0 : SEA_TILE;
    editor->showMinimap = false;
    editor->currentTile = edit;
    click(SDL_BUTTON_LEFT, at(x), at(y));
    ASSERT_EQ(editor->map.getTileAt(x, y), edit);

    {
        CaptureOutput quiet;
        EXPECT_EQ(run({SDLK_l}), Waits{200});
    }
    EXPECT_TRUE(tiles() == fromFile) << "the edit survived the load";
    EXPECT_TRUE(editor->dataLoaded);
    ASSERT_EQ(editor->npcs.size(), static_cast<size_t>(1 + npcFiles));
    EXPECT_EQ(editor->npcs.front(), placed);
    ASSERT_EQ(editor->items.size(), static_cast<size_t>(1 + itemFiles));
    EXPECT_EQ(editor->items.front(), dropped);
    SDL_Surface* fresh = editor->renderMinimap(editor->map);
    EXPECT_TRUE(grab(editor->minimap, 0, 0, MAP_SIZE, MAP_SIZE) == grab(fresh, 0, 0, MAP_SIZE, MAP_SIZE))
        << "the minimap still shows the edit";
    SDL_FreeSurface(fresh);
}

TEST_F(InputTest, LoadWorksOnceButWaitsEveryTime) {
    {
        CaptureOutput quiet;
        EXPECT_EQ(run({SDLK_l}), Waits{200});
    }
    const size_t npcCount = editor->npcs.size(), itemCount = editor->items.size();
    editor->map.setTileAt(11, 13, 30);
    {
        CaptureOutput quiet;
        EXPECT_EQ(run({SDLK_l}), Waits{200});
    }
    EXPECT_EQ(editor->map.getTileAt(11, 13), 30) << "the map was read again";
    EXPECT_EQ(editor->npcs.size(), npcCount);
    EXPECT_EQ(editor->items.size(), itemCount);
}

TEST_F(InputTest, LoadWithTheMapFileGoneKeepsTheGridAndGoesOn) {
    removeFile(MAP_FILE);
    editor->map.setTileAt(11, 13, 30);
    CaptureOutput output;
    EXPECT_EQ(run({SDLK_l}), Waits{200});
    const std::string err = output.err();
    EXPECT_NE(err.find("map file data/map.dat is missing\n"), std::string::npos) << err;
    EXPECT_EQ(editor->map.getTileAt(11, 13), 30);
    EXPECT_EQ(editor->npcs.size(), static_cast<size_t>(definitionCount("data/npcdef")));
    EXPECT_TRUE(editor->dataLoaded);
}

// ---- left clicks: minimap jump, palette pick, paint

TEST_F(InputTest, MinimapClickJumpsOnlyInsideItsMargins) {
    ASSERT_EQ(editor->minimap->w, MAP_SIZE);
    ASSERT_EQ(editor->minimap->h, MAP_SIZE);
    const std::vector<int> before = tiles();
    EXPECT_EQ(click(SDL_BUTTON_LEFT, 333, 337), "jump to -> 333,337\n");
    EXPECT_EQ(editor->scrollX, 333);
    EXPECT_EQ(editor->scrollY, 337);
    EXPECT_TRUE(tiles() == before) << "the jump painted";

    editor->scrollX = editor->scrollY = 0;
    EXPECT_EQ(click(SDL_BUTTON_LEFT, 334, 100), "6,2\n");
    EXPECT_EQ(click(SDL_BUTTON_LEFT, 100, 338), "2,7\n");
    EXPECT_EQ(editor->scrollX, 0);
    EXPECT_EQ(editor->scrollY, 0);
}

TEST_F(InputTest, WithTheMinimapHiddenAClickOnItsPlacePaints) {
    editor->showMinimap = false;
    editor->currentTile = 30;
    EXPECT_EQ(click(SDL_BUTTON_LEFT, 100, 100), "2,2\n");
    EXPECT_EQ(editor->map.getTileAt(2, 2), 30);
    EXPECT_EQ(editor->scrollX, 0);
}

TEST_F(InputTest, PaintEchoesTheCellAndRerendersTheMinimap) {
    editor->scrollX = 3;
    editor->scrollY = 4;
    editor->map.setTileAt(11, 13, 0);
    editor->reloadMinimap();
    ASSERT_EQ(minimapAt(11, 13), colour(100, 100, 100));
    editor->currentTile = SEA_TILE;

    // Right of the minimap's jump area, so the minimap may stay shown.
    EXPECT_EQ(click(SDL_BUTTON_LEFT, 400, 450), "11,13\n");
    EXPECT_EQ(editor->map.getTileAt(11, 13), SEA_TILE);
    EXPECT_EQ(minimapAt(11, 13), colour(0, 0, 255));
}

TEST_F(InputTest, PaintBeyondTheMapChangesNoCellButStillEchoes) {
    editor->showMinimap = false;
    editor->scrollX = MAP_SIZE - 1;
    const std::vector<int> before = tiles();
    EXPECT_EQ(click(SDL_BUTTON_LEFT, 100, 10), "351,0\n");
    EXPECT_TRUE(tiles() == before);
}

TEST_F(InputTest, PaletteClickPicksTheTileOfItsSlot) {
    editor->showMinimap = false;
    editor->showPalette = true;
    editor->paletteScroll = 3;
    EXPECT_EQ(click(SDL_BUTTON_LEFT, 10, 100), "");
    EXPECT_EQ(editor->currentTile, 5);
    click(SDL_BUTTON_LEFT, 47, 0);
    EXPECT_EQ(editor->currentTile, 3);
    // Column 48 is the map.
    EXPECT_EQ(click(SDL_BUTTON_LEFT, 48, 0), "1,0\n");
    EXPECT_EQ(editor->currentTile, 3);

    // The last slot holds tile 46; below it there is nothing to pick.
    editor->paletteScroll = 40;
    click(SDL_BUTTON_LEFT, 10, 6 * TILE_SIZE);
    EXPECT_EQ(editor->currentTile, 46);
    editor->currentTile = 7;
    EXPECT_EQ(click(SDL_BUTTON_LEFT, 10, 7 * TILE_SIZE), "");
    EXPECT_EQ(editor->currentTile, 7);
}

TEST_F(InputTest, PaletteUnderTheMinimapPicksOnlyBelowTheJumpArea) {
    editor->showPalette = true;
    editor->paletteScroll = 2;
    EXPECT_EQ(click(SDL_BUTTON_LEFT, 10, 100), "jump to -> 10,100\n");
    EXPECT_EQ(editor->currentTile, 0);
    editor->scrollX = editor->scrollY = 0;
    EXPECT_EQ(click(SDL_BUTTON_LEFT, 10, 400), "");
    EXPECT_EQ(editor->currentTile, 400 / TILE_SIZE + 2);
    EXPECT_EQ(editor->scrollY, 0);
}

// ---- other buttons: selection, fill and the placement modes

TEST_F(InputTest, SelectionCornersInAnyOrderGiveTheSameRectangle) {
    editor->scrollX = 10;
    editor->scrollY = 20;
    // Cells 12..15 by 23..27, given by opposite corners in all four orders.
    const int corners[4][4] = {{2, 3, 5, 7}, {5, 7, 2, 3}, {5, 3, 2, 7}, {2, 7, 5, 3}};
    for (const auto& c : corners) {
        editor->selX1 = editor->selX2 = editor->selY1 = editor->selY2 = -1;
        pushClick(SDL_BUTTON_RIGHT, at(c[0]), at(c[1]));
        editor->getInput();
        EXPECT_EQ(editor->selX1, 10 + c[0]);
        EXPECT_EQ(editor->selY1, 20 + c[1]);
        EXPECT_EQ(editor->selX2, -1);
        EXPECT_EQ(editor->selY2, -1);
        pushClick(SDL_BUTTON_RIGHT, at(c[2]), at(c[3]));
        editor->getInput();
        EXPECT_EQ(editor->selX1, 12);
        EXPECT_EQ(editor->selX2, 15);
        EXPECT_EQ(editor->selY1, 23);
        EXPECT_EQ(editor->selY2, 27);
    }
    // A further press is a new second corner against the current first one.
    pushClick(SDL_BUTTON_RIGHT, at(1), at(1));
    editor->getInput();
    EXPECT_EQ(editor->selX1, 11);
    EXPECT_EQ(editor->selX2, 12);
    EXPECT_EQ(editor->selY1, 21);
    EXPECT_EQ(editor->selY2, 23);
}

TEST_F(InputTest, EveryButtonButTheLeftMarksACornerInSelectMode) {
    for (int button : {SDL_BUTTON_MIDDLE, SDL_BUTTON_RIGHT, SDL_BUTTON_WHEELUP, SDL_BUTTON_WHEELDOWN}) {
        editor->selX1 = editor->selY1 = -1;
        EXPECT_EQ(click(button, at(4), at(6)), "");
        EXPECT_EQ(editor->selX1, 4) << "button " << button;
        EXPECT_EQ(editor->selY1, 6) << "button " << button;
    }
}

TEST_F(InputTest, FillPaintsExactlyTheRectangleAndClearsIt) {
    for (int x = 1; x <= 7; ++x)
        for (int y = 2; y <= 9; ++y) editor->map.setTileAt(x, y, 0);
    editor->currentTile = SEA_TILE;
    selectWithRightClicks(5, 7, 2, 3);
    const std::vector<int> before = tiles();
    EXPECT_EQ(run({SDLK_f}), Waits{});

    std::vector<int> expected = before;
    for (int x = 2; x <= 5; ++x)
        for (int y = 3; y <= 7; ++y) expected[y * MAP_SIZE + x] = SEA_TILE;
    EXPECT_TRUE(tiles() == expected) << "other cells than 2..5 by 3..7 changed";
    EXPECT_EQ(editor->selX1, -1);
    EXPECT_EQ(editor->selX2, -1);
    EXPECT_EQ(editor->selY1, -1);
    EXPECT_EQ(editor->selY2, -1);
    EXPECT_EQ(minimapAt(2, 3), colour(0, 0, 255));
    EXPECT_EQ(minimapAt(5, 7), colour(0, 0, 255));
    EXPECT_EQ(minimapAt(6, 7), colour(100, 100, 100));
}

TEST_F(InputTest, FillWithOneCornerPaintsNothingButStillRerendersTheMinimap) {
    editor->currentTile = SEA_TILE;
    pushClick(SDL_BUTTON_RIGHT, at(2), at(3));
    editor->getInput();
    editor->map.setTileAt(11, 13, 0);
    editor->reloadMinimap();
    editor->map.setTileAt(11, 13, SEA_TILE);  // changed behind the minimap's back
    const std::vector<int> before = tiles();
    run({SDLK_f});
    EXPECT_TRUE(tiles() == before);
    EXPECT_EQ(editor->selX1, -1);
    EXPECT_EQ(editor->selY1, -1);
    EXPECT_EQ(minimapAt(11, 13), colour(0, 0, 255));
}

TEST_F(InputTest, OtherButtonsPlaceAndRemoveByTheMode) {
    editor->scrollX = 2;
    editor->scrollY = 1;
    editor->rightClickMode = MODE_PLACE_ITEM;
    pushClick(SDL_BUTTON_MIDDLE, 100, 50);
    queueAnswers({"Sword", "sw", "sharp", "3", "", "", "", ""});
    editor->getInput();
    ASSERT_EQ(editor->items.size(), 1u);
    EXPECT_EQ(editor->items[0]->name, "Sword");
    EXPECT_EQ(editor->items[0]->x, 196.0f);
    EXPECT_EQ(editor->items[0]->y, 98.0f);

    editor->rightClickMode = MODE_KILL_ITEM;
    click(SDL_BUTTON_WHEELDOWN, 100, 50);
    EXPECT_EQ(editor->items[0]->type, ITEM_TYPE_REMOVED);

    Actor* actor = new Actor();
    actor->x = 196;
    actor->y = 98;
    editor->npcs.push_back(actor);
    editor->rightClickMode = MODE_KILL_NPC;
    click(SDL_BUTTON_WHEELUP, 100, 50);
    EXPECT_TRUE(editor->npcs.empty());
}

// ---- ways out

TEST_F(InputDeathTest, ClosingTheWindowExitsWithStatus1) {
    pushQuit();
    EXPECT_EXIT(editor->getInput(), ::testing::ExitedWithCode(1), "");
}

TEST_F(InputDeathTest, EscapeExitsWithStatus1) {
    holdKeys({SDLK_ESCAPE});
    EXPECT_EXIT(editor->getInput(), ::testing::ExitedWithCode(1), "");
}

}  // namespace
