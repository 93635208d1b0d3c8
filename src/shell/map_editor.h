#pragma once
// The application: one document (the world being edited), one view of it and one screen,
// and the commands that join them, the frame loop, signals and quitting.
#include <SDL.h>

#include <optional>
#include <string>
#include <vector>

#include "placement/placement.h"
#include "render/view.h"
#include "shell/options.h"
#include "shell/screen.h"
#include "world/document.h"
#include "world/navigation.h"

class MapEditor;

// One command key: while `key` is held (and `when` holds, if given) the action runs, then the
// command waits `wait` ms. Keys of one group do not combine: only the first held one acts.
struct KeyCommand {
    int group;
    SDLKey key;
    bool (*when)(SDLMod modifiers);
    void (MapEditor::*action)();
    Uint32 wait;
};

class MapEditor : public Document, public View, public Screen {
public:
    EditorOptions options;  // from the command line
    GoToSearch goToSearch;  // the G prompt's last answer and match
    FindingSteps steps;     // the findings of --steps, for N and Shift+N

    MapEditor() = default;
    ~MapEditor();
    // Start-up: window, art, map, minimap, font, saying what it does. 0 when the editor is
    // ready; otherwise the exit status to end with, having said why.
    int start();
    int mainloop();   // frames until the user quits; frames only while anything happens, else waits for input
    void runFrame();  // one pass of the frame loop; never waits for input

    // Drawing onto the window.
    void drawMap() { View::drawMap(*this, canvas()); }
    void drawTilePalette() { View::drawTilePalette(canvas()); }
    void drawHUD() { View::drawHUD(canvas()); }
    SDL_Surface* renderMinimap(Map& source) { return View::renderMinimap(source, screen->format); }
    void drawScrollbox(int x, int y) { View::drawScrollbox(screen, x, y); }
    void reloadMinimap() { View::reloadMinimap(map, screen->format); }
    void drawSprites() { View::drawSprites(*this, canvas()); }
    void drawOutline() { View::drawOutline(canvas()); }

    // The commands: mouse presses from the event queue, then every held command key.
    void getInput();
    // Placing and editing through the prompt; a window closed during the questions quits (status 0).
    void createNewNPCAt(int x, int y);
    void createNewItemAt(int x, int y);
    void editNPCAt(int x, int y);
    void editItemAt(int x, int y);
    static bool collide(int x1, int y1, int w1, int h1, int x2, int y2, int w2, int h2) {
        return ::collide(x1, y1, w1, h1, x2, y2, w2, h2);
    }
    // Undo and redo (Ctrl+Z, Ctrl+Y, Ctrl+Shift+Z), saying what they did.
    void undoEdit();
    void redoEdit();
    // G: asks "Go to:" and goes to the cell or the next NPC or item of that name.
    void goToPrompt();
    // N and Shift+N: the next or previous finding, centred and outlined.
    void nextFinding();
    void previousFinding();

    // Ends the frame loop with this status, first keeping unsaved edits in the recovery copy.
    // When no place can take them the editor goes on, saying so, unless this is the second
    // request within 3 s of one refused so.
    void quit(int status);
    bool quitting() const { return quitStatus.has_value(); }
    // With unsaved edits, writes the recovery copy and says so on standard error; else nothing.
    // False when the edits could not be kept anywhere.
    bool keepUnsavedEdits();
    // Brings the recovery copy up to date when an autosave is due; called every frame and while idle.
    void runAutosave();

    // Lines shown at the top of the window until the next key press or click: the start-up
    // notices, a failed save, edits that could not be kept.
    std::vector<std::string> notices;
    void addNotice(const std::string& line);
    void drawNotices();
    // Installs the handlers for SIGTERM, SIGINT and SIGHUP; pollSignals ends the process the way
    // the signal would, after keeping unsaved edits. Called wherever the editor waits.
    static void catchSignals();
    void pollSignals();
    // Keeps unsaved edits in the recovery copy should the connection to the X server be lost.
    void catchDisplayLoss();

    // The key table, in the order the keys are tested.
    static const KeyCommand KEY_COMMANDS[];

private:
    std::optional<int> quitStatus;
    std::optional<Uint32> quitRefusedAt;  // when a quit found no place for the unsaved edits
    bool escapeHeldSinceRefusal = false;  // the Escape press that was refused is still down
    bool eventSeen = false;  // getInput handled an event other than mouse motion this frame
    Prompt prompt();
    // Says what an operation said, and redraws the minimap when the map may have changed.
    void show(const Outcome& outcome);
    void handleLeftClick(int mx, int my);
    void handleOtherClick(int mx, int my);
    // Moving an object: Shift and a button other than the left pick it up (View::dragged holds
    // it), it follows the pointer, and that button's release drops it as one move.
    struct Drag {
        int button = 0;
        int pressX = 0, pressY = 0;      // the world pixel under the pointer at the press
        int pointerX = 0, pointerY = 0;  // the pointer in the window now
    };
    Drag drag;
    void pickUp(int button, int mx, int my);
    void followDrag(const SDL_Event& happened);
    void placeDragged();
    void showStep(const Navigation& step);
    void handleWheel(int button, int mx, int my);
    // Whether a left click at the window position goes to the minimap or the palette.
    bool overMinimap(int mx, int my) const;
    bool overPalette(int mx) const;
    // The map cell under the mouse pointer, where a left click there would paint; false when
    // the pointer is outside the window, over the minimap or the palette, or off the map.
    bool cellUnderPointer(int& cellX, int& cellY) const;
    void pickTile(int mx, int my);
    void zoomAbout(int steps, int mx, int my);
    void runKeyCommands();
    // The actions of the key table.
    void scrollUp();
    void scrollDown();
    void scrollLeft();
    void scrollRight();
    void previousTile();
    void nextTile();
    void paletteUp();
    void paletteDown();
    void togglePalette();
    void toggleMinimap();
    void saveWorld();
    void loadWorld();
    void nextMode();
    void escape();
    void fillSelection();
    void takeScreenshot();
    void bucketFillAtPointer();
    void copySelection();
    void pasteAtPointer();
    void zoomOut();
    void zoomIn();
};
