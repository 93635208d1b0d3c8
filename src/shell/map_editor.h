#pragma once
// The application object: all editing state and the editor's behaviour.
#include <SDL.h>
#include <SDL_ttf.h>
#include <list>
#include <string>
#include <vector>

#include "render/art_assets.h"
#include "world/actor.h"
#include "world/defline.h"
#include "world/edit_history.h"
#include "world/item.h"
#include "world/map.h"

constexpr int SCREEN_WIDTH = 800;
constexpr int SCREEN_HEIGHT = 600;
constexpr int LAST_MODE = 4;
// A longer answer could not be read back from a definition file.
constexpr int PROMPT_MAX_CHARS = MAX_LINE_CHARS;

enum RightClickMode { MODE_SELECT = 0, MODE_PLACE_NPC, MODE_PLACE_ITEM, MODE_KILL_NPC, MODE_KILL_ITEM };

class MapEditor {
public:
    Map map;
    int scrollX, scrollY;
    int selX1, selX2, selY1, selY2;
    SDL_Surface* screen;
    ArtAssets art;
    SDL_Event event;
    TTF_Font* font;
    int currentTile;
    int rightClickMode;
    SDL_Surface* minimap;
    bool showMinimap;
    bool showPalette;
    int paletteScroll;
    std::list<Actor*> npcs;
    std::vector<Item*> items;
    bool dataLoaded;
    EditHistory history;
    // The waits that pace held-key commands; tests replace it to count them.
    void (*delay)(Uint32);

    MapEditor();  // start-up: window, art, map, minimap, font; ends the process on a fatal error
    // The editor itself ends by exit() and never runs this; it lets tests and leak checks
    // release everything.
    ~MapEditor();
    void mainloop();  // frames while anything happens, else waits for input
    void runFrame();  // one pass of the frame loop; never waits for input

    // map view and palette
    void drawMap();
    void drawTilePalette();
    // HUD and text
    void drawHUD();
    void drawTextAt(const char* text, int x, int y);
    // minimap
    SDL_Surface* renderMinimap(Map& source);
    void drawScrollbox(int x, int y);
    void reloadMinimap();
    // NPCs and items
    void drawSprites();
    // commands and prompt
    void getInput();
    // The answer starts as `start`: Return keeps it, Backspace clears it, typing appends.
    std::string getUserString(const char* prompt, int x, int y, const std::string& start = "");
    // definition directories; the savers return false when anything was not written
    bool saveActors(const char* dir);
    bool saveItems(const char* dir);
    void loadActors(const char* dir);
    void loadItems(const char* dir);
    // placement
    void createNewNPCAt(int x, int y);
    void killNPCAt(int x, int y);
    bool collide(int x1, int y1, int w1, int h1, int x2, int y2, int w2, int h2);
    void createNewItemAt(int x, int y);
    void killItemAt(int x, int y);
    // undo and redo (Ctrl+Z, Ctrl+Y, Ctrl+Shift+Z)
    void undoEdit();
    void redoEdit();
    // Ends the process with status, first keeping unsaved edits in the recovery copy.
    [[noreturn]] void quit(int status);
    // With unsaved edits, writes the recovery copy and says so on standard error; else nothing.
    void keepUnsavedEdits();
    // Installs the handlers for SIGTERM, SIGINT and SIGHUP; pollSignals ends the process the way
    // the signal would, after keeping unsaved edits. Called wherever the editor waits.
    static void catchSignals();
    void pollSignals();
    // The object a removal click at this world position takes (the earliest added; items
    // not removed), as its index in npcs or items, or -1.
    int npcIndexAt(int x, int y);
    int itemIndexAt(int x, int y);
    // The placing questions again, each answer starting as the object's current value.
    void editNPCAt(int x, int y);
    void editItemAt(int x, int y);

private:
    int captionX = -1, captionY = -1;  // last caption set, so it is sent only on change
    // Definition files 0..n-1 that this run loaded or wrote: the only ones a save may replace or delete.
    int ownedNpcFiles = 0, ownedItemFiles = 0;
    WorldRef world() { return WorldRef{map, npcs, items}; }
    bool eventSeen = false;  // getInput handled an event other than mouse motion this frame
    void waitForEvent();  // returns once an event other than mouse motion is queued
    void handleLeftClick(int mx, int my);
    void handleOtherClick(int mx, int my);
    void saveWorld();
    void loadWorld();
    void fillSelection();
    void takeScreenshot();
};
