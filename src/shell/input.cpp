// The command set: mouse buttons from the event queue, then every held command key.
#include <algorithm>
#include <cstdio>

#include "shell/map_editor.h"
#include "world/safe_file.h"

static const char* const SAVED_MESSAGE = "Saved into 'data' folder. Overwrote existing files.";
static const char* const SAVE_FAILED_MESSAGE = "Save failed: see the error output.";

// A minimap click moves the view only this far inside its right and bottom edges.
constexpr int MINIMAP_MARGIN_X = 16;
constexpr int MINIMAP_MARGIN_Y = 12;
constexpr int PALETTE_WIDTH = 48;
// X gives the horizontal wheel as buttons 6 and 7, and SDL passes its numbers on.
constexpr int WHEEL_LEFT = 6, WHEEL_RIGHT = 7;

static bool ctrlWithoutShift(SDLMod m) { return (m & KMOD_CTRL) && !(m & KMOD_SHIFT); }
static bool ctrlHeld(SDLMod m) { return (m & KMOD_CTRL) != 0; }
static bool noCtrl(SDLMod m) { return !(m & KMOD_CTRL); }
static bool shiftHeld(SDLMod m) { return (m & KMOD_SHIFT) != 0; }
static bool noShift(SDLMod m) { return !(m & KMOD_SHIFT); }

// Only undo, redo, copy, paste and N look at modifiers; every other key works with or without
// them. With Ctrl held, Z undoes (or redoes, with Shift) instead of changing the mode. The zoom
// keys (group 10) come with the other keys of the view; the keypad's - and + zoom as well. G, N
// and Shift+N (group 11) each move the view to a place of their own, so they do not combine.
const KeyCommand MapEditor::KEY_COMMANDS[] = {
    {1, SDLK_UP, nullptr, &MapEditor::scrollUp, 100},
    {1, SDLK_DOWN, nullptr, &MapEditor::scrollDown, 100},
    {2, SDLK_LEFT, nullptr, &MapEditor::scrollLeft, 100},
    {2, SDLK_RIGHT, nullptr, &MapEditor::scrollRight, 100},
    {3, SDLK_LEFTBRACKET, nullptr, &MapEditor::previousTile, 100},
    {3, SDLK_RIGHTBRACKET, nullptr, &MapEditor::nextTile, 100},
    {4, SDLK_q, nullptr, &MapEditor::paletteUp, 25},
    {4, SDLK_a, nullptr, &MapEditor::paletteDown, 25},
    {5, SDLK_p, nullptr, &MapEditor::togglePalette, 100},
    {6, SDLK_m, nullptr, &MapEditor::toggleMinimap, 200},
    {10, SDLK_MINUS, nullptr, &MapEditor::zoomOut, 200},
    {10, SDLK_EQUALS, nullptr, &MapEditor::zoomIn, 200},
    {10, SDLK_KP_MINUS, nullptr, &MapEditor::zoomOut, 200},
    {10, SDLK_KP_PLUS, nullptr, &MapEditor::zoomIn, 200},
    {7, SDLK_s, nullptr, &MapEditor::saveWorld, 200},
    {7, SDLK_l, nullptr, &MapEditor::loadWorld, 200},
    {7, SDLK_z, ctrlWithoutShift, &MapEditor::undoEdit, 200},
    {7, SDLK_y, ctrlHeld, &MapEditor::redoEdit, 200},
    {7, SDLK_z, ctrlHeld, &MapEditor::redoEdit, 200},
    {7, SDLK_z, noCtrl, &MapEditor::nextMode, 100},
    {7, SDLK_b, nullptr, &MapEditor::bucketFillAtPointer, 200},
    {7, SDLK_c, ctrlHeld, &MapEditor::copySelection, 200},
    {7, SDLK_v, ctrlHeld, &MapEditor::pasteAtPointer, 200},
    {8, SDLK_ESCAPE, nullptr, &MapEditor::escape, 0},
    {9, SDLK_f, nullptr, &MapEditor::fillSelection, 0},
    {9, SDLK_F3, nullptr, &MapEditor::takeScreenshot, 100},
    {11, SDLK_g, nullptr, &MapEditor::goToPrompt, 200},
    {11, SDLK_n, noShift, &MapEditor::nextFinding, 200},
    {11, SDLK_n, shiftHeld, &MapEditor::previousFinding, 200},
    {0, SDLK_UNKNOWN, nullptr, nullptr, 0},
};

void MapEditor::show(const Outcome& outcome) {
    report(outcome.said);
    if (outcome.mapChanged) reloadMinimap();
}

Prompt MapEditor::prompt() {
    Prompt asking;
    asking.ask = [this](const char* question, int x, int y, const std::string& start) {
        return getUserString(question, x, y, start);
    };
    asking.clear = [this] { SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 100)); };
    return asking;
}

void MapEditor::createNewNPCAt(int x, int y) {
    Prompt asking = prompt();
    if (!::createNewNPCAt(asking, *this, x, y)) quit(0);
}
void MapEditor::createNewItemAt(int x, int y) {
    Prompt asking = prompt();
    if (!::createNewItemAt(asking, *this, x, y)) quit(0);
}
void MapEditor::editNPCAt(int x, int y) {
    Prompt asking = prompt();
    if (!::editNPCAt(asking, *this, x, y)) quit(0);
}
void MapEditor::editItemAt(int x, int y) {
    Prompt asking = prompt();
    if (!::editItemAt(asking, *this, x, y)) quit(0);
}

bool MapEditor::overMinimap(int mx, int my) const {
    return showMinimap && minimap && mx < minimap->w - MINIMAP_MARGIN_X && my < minimap->h - MINIMAP_MARGIN_Y;
}

bool MapEditor::overPalette(int mx) const { return showPalette && mx < PALETTE_WIDTH; }

bool MapEditor::cellUnderPointer(int& x, int& y) const {
    int mx = 0, my = 0;
    SDL_GetMouseState(&mx, &my);
    // SDL keeps the last position the pointer had inside the window.
    if (!(SDL_GetAppState() & SDL_APPMOUSEFOCUS) || overMinimap(mx, my) || overPalette(mx)) return false;
    x = cellX(mx);
    y = cellY(my);
    return x < MAP_SIZE && y < MAP_SIZE;
}

void MapEditor::handleLeftClick(int mx, int my) {
    if (overMinimap(mx, my)) {
        scrollX = mx;
        scrollY = my;
        printf("jump to -> %i,%i\n", mx, my);
        fflush(stdout);
        return;
    }
    if (overPalette(mx)) {
        int tile = my / TILE_SIZE + paletteScroll;
        // Below the last slot there is no tile to pick: the click does nothing.
        if (tile <= LAST_TILE) currentTile = tile;
        return;
    }
    if (SDL_GetModState() & KMOD_CTRL) {
        pickTile(mx, my);
        return;
    }
    show(paint(cellX(mx), cellY(my), currentTile));
}

// Off the map there is no tile to pick: nothing happens.
void MapEditor::pickTile(int mx, int my) {
    const int x = cellX(mx), y = cellY(my);
    if (x >= MAP_SIZE || y >= MAP_SIZE) return;
    currentTile = map.getTileAt(x, y);
    printf("Current tile: %i\n", currentTile);
    fflush(stdout);
}

// The wheel scrolls a step as an arrow key does; Shift turns it sideways, and Ctrl zooms
// about the pointer (up: in).
void MapEditor::handleWheel(int button, int mx, int my) {
    const SDLMod modifiers = SDL_GetModState();
    const bool back = button == SDL_BUTTON_WHEELUP || button == WHEEL_LEFT;  // up or left
    const bool sideways = button == WHEEL_LEFT || button == WHEEL_RIGHT || (modifiers & KMOD_SHIFT);
    if (modifiers & KMOD_CTRL) {
        if (button == SDL_BUTTON_WHEELUP || button == SDL_BUTTON_WHEELDOWN) zoomAbout(back ? -1 : 1, mx, my);
    } else if (sideways) {
        back ? scrollLeft() : scrollRight();
    } else {
        back ? scrollUp() : scrollDown();
    }
}

void MapEditor::handleOtherClick(int mx, int my) {
    const int x = worldX(mx), y = worldY(my);
    const bool ctrl = (SDL_GetModState() & KMOD_CTRL) != 0;
    // With Shift held, an NPC or item mode moves the object under the pointer instead (Shift
    // wins over Ctrl); the select mode has nothing to move and selects as ever.
    if ((SDL_GetModState() & KMOD_SHIFT) && rightClickMode != MODE_SELECT) return pickUp(event.button.button, mx, my);
    switch (rightClickMode) {
    case MODE_SELECT: selectCorner(cellX(mx), cellY(my)); return;
    // With Ctrl held a place mode edits the object under the pointer instead.
    case MODE_PLACE_NPC: ctrl ? editNPCAt(x, y) : createNewNPCAt(x, y); return;
    case MODE_PLACE_ITEM: ctrl ? editItemAt(x, y) : createNewItemAt(x, y); return;
    case MODE_KILL_NPC: show(killNPCAt(x, y)); return;
    case MODE_KILL_ITEM: show(killItemAt(x, y)); return;
    }
}

void MapEditor::getInput() {
    while (!quitting() && SDL_PollEvent(&event)) {
        if (event.type != SDL_MOUSEMOTION) eventSeen = true;  // the frame drawn may be out of date
        if (event.type == SDL_KEYDOWN || event.type == SDL_MOUSEBUTTONDOWN) notices.clear();
        if (event.type == SDL_KEYUP && event.key.keysym.sym == SDLK_ESCAPE) escapeHeldSinceRefusal = false;
        if (event.type == SDL_QUIT) quit(1);
        if (dragged.index >= 0) {
            followDrag(event);
            continue;
        }
        if (event.type != SDL_MOUSEBUTTONDOWN) continue;
        const int mx = event.button.x, my = event.button.y;
        const int button = event.button.button;
        // Only real buttons act by the mode: a turn of the wheel is no click.
        if (button == SDL_BUTTON_LEFT)
            handleLeftClick(mx, my);
        else if (button >= SDL_BUTTON_WHEELUP && button <= WHEEL_RIGHT)
            handleWheel(button, mx, my);
        else
            handleOtherClick(mx, my);
    }
    if (!quitting()) runKeyCommands();
    if (dragged.index >= 0) placeDragged();  // after the keys: the view may have scrolled under the pointer
}

void MapEditor::runKeyCommands() {
    const Uint8* keys = SDL_GetKeyState(nullptr);
    const SDLMod modifiers = SDL_GetModState();
    int actedGroup = 0;  // a group's rows stand together in the table
    for (const KeyCommand* command = KEY_COMMANDS; command->action; ++command) {
        if (command->group == actedGroup || !keys[command->key]) continue;
        if (command->when && !command->when(modifiers)) continue;
        actedGroup = command->group;
        (this->*command->action)();
        if (quitting()) return;
        if (command->wait) delay(command->wait);
    }
}

// A step is 48 screen pixels at every zoom; the view stops at the map's top and left edges.
void MapEditor::scrollUp() { scrollY = std::max(0, scrollY - scrollStep()); }
void MapEditor::scrollDown() { scrollY += scrollStep(); }
void MapEditor::scrollLeft() { scrollX = std::max(0, scrollX - scrollStep()); }
void MapEditor::scrollRight() { scrollX += scrollStep(); }
void MapEditor::previousTile() { currentTile = currentTile <= 0 ? LAST_TILE : currentTile - 1; }
void MapEditor::nextTile() { currentTile = currentTile >= LAST_TILE ? 0 : currentTile + 1; }
void MapEditor::paletteUp() {
    if (paletteScroll > 0) --paletteScroll;
}
void MapEditor::paletteDown() {
    if (paletteScroll < LAST_TILE) ++paletteScroll;
}
void MapEditor::togglePalette() { showPalette = !showPalette; }
void MapEditor::toggleMinimap() { showMinimap = !showMinimap; }
void MapEditor::nextMode() { rightClickMode = rightClickMode >= LAST_MODE ? 0 : rightClickMode + 1; }
// Held on after a quit that found no place for the edits, Escape is not the second press.
void MapEditor::escape() {
    if (!escapeHeldSinceRefusal) quit(1);
    escapeHeldSinceRefusal = !quitting();
}

void MapEditor::saveWorld() {
    Outcome saved = save();
    show(saved);
    drawTextAt(saved.ok ? SAVED_MESSAGE : SAVE_FAILED_MESSAGE, 0, 0);
    // Drawn only while S is held, it would be gone the frame after a tap: a failure stays.
    if (!saved.ok) notices = {SAVE_FAILED_MESSAGE};
}

void MapEditor::loadWorld() { show(load()); }

void MapEditor::fillSelection() {
    if (hasSelection()) show(fill(selX1, selY1, selX2, selY2, currentTile));
    clearSelection();
}

void MapEditor::bucketFillAtPointer() {
    int x = 0, y = 0;
    if (cellUnderPointer(x, y)) show(bucketFill(x, y, currentTile));
}

// The selection stays, for another fill or copy.
void MapEditor::copySelection() { show(copy(selX1, selY1, selX2, selY2)); }

void MapEditor::pasteAtPointer() {
    int x = 0, y = 0;
    if (copied.tiles.empty() || cellUnderPointer(x, y)) show(paste(x, y));
}

void MapEditor::zoomAbout(int steps, int mx, int my) {
    if (!zoom(steps, mx, my)) return;
    printf("Zoom: %i pixels per cell\n", cellPixels);
    fflush(stdout);
}
// The keys zoom about the middle of the window, the wheel about the pointer.
void MapEditor::zoomOut() { zoomAbout(1, SCREEN_WIDTH / 2, SCREEN_HEIGHT / 2); }
void MapEditor::zoomIn() { zoomAbout(-1, SCREEN_WIDTH / 2, SCREEN_HEIGHT / 2); }


// An undo or redo may take away the object being dragged: the drag ends without a move.
void MapEditor::undoEdit() {
    dragged = MovedObject();
    show(undo());
}
void MapEditor::redoEdit() {
    dragged = MovedObject();
    show(redo());
}

// Encoded in memory, then written as the saves are (a temporary renamed over the old file), so
// that a full disk leaves the previous screenshot rather than a truncated one.
void MapEditor::takeScreenshot() {
    const char* path = "sshot.bmp";
    // The largest file SDL writes: headers, a 256-colour palette, rows of 24-bit pixels
    // padded to 4 bytes.
    size_t room = 54 + 256 * 4 + static_cast<size_t>(screen->h) * ((static_cast<size_t>(screen->w) * 3 + 3) & ~3u);
    std::string bytes(room, '\0');
    SDL_RWops* memory = SDL_RWFromMem(&bytes[0], static_cast<int>(room));
    bool encoded = memory && SDL_SaveBMP_RW(screen, memory, 0) == 0;
    if (encoded) bytes.resize(static_cast<size_t>(SDL_RWtell(memory)));
    if (memory) SDL_RWclose(memory);
    if (!encoded) {
        fprintf(stderr, "***WARNING*** could not write %s: %s\n", path, SDL_GetError());
        return;
    }
    Messages said;
    writeFileAtomically(path, bytes, said);
    report(said);
}
