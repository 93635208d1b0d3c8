// The command set: mouse buttons from the event queue, then every held command key.
#include <cstdio>

#include "shell/map_editor.h"
#include "world/safe_file.h"

static const char* const SAVED_MESSAGE = "Saved into 'data' folder. Overwrote existing files.";
static const char* const SAVE_FAILED_MESSAGE = "Save failed: see the error output.";

// A minimap click moves the view only this far inside its right and bottom edges.
constexpr int MINIMAP_MARGIN_X = 16;
constexpr int MINIMAP_MARGIN_Y = 12;
constexpr int PALETTE_WIDTH = 48;

static bool ctrlWithoutShift(SDLMod m) { return (m & KMOD_CTRL) && !(m & KMOD_SHIFT); }
static bool ctrlHeld(SDLMod m) { return (m & KMOD_CTRL) != 0; }
static bool noCtrl(SDLMod m) { return !(m & KMOD_CTRL); }
static bool shiftHeld(SDLMod m) { return (m & KMOD_SHIFT) != 0; }
static bool noShift(SDLMod m) { return !(m & KMOD_SHIFT); }

// Only undo and redo, and N, look at modifiers; every other key works with or without them. With
// Ctrl held, Z undoes (or redoes, with Shift) instead of changing the mode. G, N and Shift+N
// each move the view to a place of their own, so they do not combine.
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
    {7, SDLK_s, nullptr, &MapEditor::saveWorld, 200},
    {7, SDLK_l, nullptr, &MapEditor::loadWorld, 200},
    {7, SDLK_z, ctrlWithoutShift, &MapEditor::undoEdit, 200},
    {7, SDLK_y, ctrlHeld, &MapEditor::redoEdit, 200},
    {7, SDLK_z, ctrlHeld, &MapEditor::redoEdit, 200},
    {7, SDLK_z, noCtrl, &MapEditor::nextMode, 100},
    {8, SDLK_ESCAPE, nullptr, &MapEditor::escape, 0},
    {9, SDLK_f, nullptr, &MapEditor::fillSelection, 0},
    {9, SDLK_F3, nullptr, &MapEditor::takeScreenshot, 100},
    {10, SDLK_g, nullptr, &MapEditor::goToPrompt, 200},
    {10, SDLK_n, noShift, &MapEditor::nextFinding, 200},
    {10, SDLK_n, shiftHeld, &MapEditor::previousFinding, 200},
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

void MapEditor::handleLeftClick(int mx, int my) {
    if (showMinimap && minimap && mx < minimap->w - MINIMAP_MARGIN_X && my < minimap->h - MINIMAP_MARGIN_Y) {
        scrollX = mx;
        scrollY = my;
        printf("jump to -> %i,%i\n", mx, my);
        fflush(stdout);
        return;
    }
    if (showPalette && mx < PALETTE_WIDTH) {
        int tile = my / TILE_SIZE + paletteScroll;
        // Below the last slot there is no tile to pick: the click does nothing.
        if (tile <= LAST_TILE) currentTile = tile;
        return;
    }
    show(paint(cellX(mx), cellY(my), currentTile));
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
        if (event.type == SDL_QUIT) quit(1);
        if (dragged.index >= 0) {
            followDrag(event);
            continue;
        }
        if (event.type != SDL_MOUSEBUTTONDOWN) continue;
        const int mx = event.button.x, my = event.button.y;
        if (event.button.button == SDL_BUTTON_LEFT)
            handleLeftClick(mx, my);
        else
            handleOtherClick(mx, my);
    }
    if (!quitting()) runKeyCommands();
    if (dragged.index >= 0) placeDragged();  // after the keys: the view may have scrolled under the pointer
}

void MapEditor::runKeyCommands() {
    const Uint8* keys = SDL_GetKeyState(nullptr);
    const SDLMod modifiers = SDL_GetModState();
    int actedGroup = 0;
    for (const KeyCommand* command = KEY_COMMANDS; command->action; ++command) {
        if (command->group == actedGroup || !keys[command->key]) continue;
        if (command->when && !command->when(modifiers)) continue;
        actedGroup = command->group;
        (this->*command->action)();
        if (quitting()) return;
        if (command->wait) delay(command->wait);
    }
}

void MapEditor::scrollUp() {
    if (scrollY > 0) --scrollY;
}
void MapEditor::scrollDown() { ++scrollY; }
void MapEditor::scrollLeft() {
    if (scrollX > 0) --scrollX;
}
void MapEditor::scrollRight() { ++scrollX; }
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
void MapEditor::escape() { quit(1); }

void MapEditor::saveWorld() {
    Outcome saved = save();
    show(saved);
    drawTextAt(saved.ok ? SAVED_MESSAGE : SAVE_FAILED_MESSAGE, 0, 0);
}

void MapEditor::loadWorld() { show(load()); }

void MapEditor::fillSelection() {
    if (hasSelection()) show(fill(selX1, selY1, selX2, selY2, currentTile));
    clearSelection();
}

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
