// The command set: mouse buttons from the event queue, then every held command key.
#include <cstdio>
#include <cstdlib>

#include "shell/map_editor.h"
#include "world/safe_file.h"

static const char* const SAVED_MESSAGE = "Saved into 'data' folder. Overwrote existing files.";
static const char* const SAVE_FAILED_MESSAGE = "Save failed: see the error output.";

// A minimap click moves the view only this far inside its right and bottom edges.
constexpr int MINIMAP_MARGIN_X = 16;
constexpr int MINIMAP_MARGIN_Y = 12;
constexpr int PALETTE_WIDTH = 48;

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
    int cellX = mx / TILE_SIZE + scrollX;
    int cellY = my / TILE_SIZE + scrollY;
    CellsEdit paint = paintCells(map, cellX, cellY, cellX, cellY, currentTile, false);
    applyCells(map, paint);
    history.record(std::move(paint));
    printf("%i,%i\n", cellX, cellY);
    fflush(stdout);
    reloadMinimap();
}

void MapEditor::handleOtherClick(int mx, int my) {
    const int worldX = mx + TILE_SIZE * scrollX;
    const int worldY = my + TILE_SIZE * scrollY;
    switch (rightClickMode) {
    case MODE_SELECT: {
        int cellX = mx / TILE_SIZE + scrollX;
        int cellY = my / TILE_SIZE + scrollY;
        if (selX1 == -1) {
            selX1 = cellX;
            selY1 = cellY;
            return;
        }
        selY2 = cellY;
        if (cellX >= selX1) {
            selX2 = cellX;
        } else {
            selX2 = selX1;
            selX1 = cellX;
        }
        if (selY2 < selY1) std::swap(selY1, selY2);
        return;
    }
    // With Ctrl held a place mode edits the object under the pointer instead.
    case MODE_PLACE_NPC:
        if (SDL_GetModState() & KMOD_CTRL) editNPCAt(worldX, worldY);
        else createNewNPCAt(worldX, worldY);
        return;
    case MODE_PLACE_ITEM:
        if (SDL_GetModState() & KMOD_CTRL) editItemAt(worldX, worldY);
        else createNewItemAt(worldX, worldY);
        return;
    case MODE_KILL_NPC: killNPCAt(worldX, worldY); return;
    case MODE_KILL_ITEM: killItemAt(worldX, worldY); return;
    }
}

void MapEditor::saveWorld() {
    // Every part is written even when an earlier one failed.
    bool saved = map.saveMap(DATA_DIR);
    saved = saveActors(DATA_DIR) && saved;
    saved = saveItems(DATA_DIR) && saved;
    if (saved) history.markSaved();
    drawTextAt(saved ? SAVED_MESSAGE : SAVE_FAILED_MESSAGE, 0, 0);
}

void MapEditor::loadWorld() {
    // A map file missing now keeps the current grid: the running editor is never ended.
    map.loadMap(DATA_DIR);
    loadActors(DATA_DIR);
    loadItems(DATA_DIR);
    reloadMinimap();
    dataLoaded = true;
    history.clear();  // loading cannot be undone, and the world now matches the disk
}

void MapEditor::fillSelection() {
    if (selX1 != -1 && selX2 >= selX1) {
        CellsEdit fill = paintCells(map, selX1, selY1, selX2, selY2, currentTile, true);
        applyCells(map, fill);
        history.record(std::move(fill));
    }
    selX1 = selX2 = selY1 = selY2 = -1;
    reloadMinimap();
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
    writeFileAtomically(path, bytes);  // warns on failure
}

void MapEditor::undoEdit() {
    std::string said;
    if (history.undo(world(), said)) reloadMinimap();
    puts(said.c_str());
    fflush(stdout);
}

void MapEditor::redoEdit() {
    std::string said;
    if (history.redo(world(), said)) reloadMinimap();
    puts(said.c_str());
    fflush(stdout);
}

void MapEditor::getInput() {
    while (SDL_PollEvent(&event)) {
        if (event.type != SDL_MOUSEMOTION) eventSeen = true;  // the frame drawn may be out of date
        if (event.type == SDL_QUIT) quit(1);
        if (event.type != SDL_MOUSEBUTTONDOWN) continue;
        const int mx = event.button.x, my = event.button.y;
        if (event.button.button == SDL_BUTTON_LEFT)
            handleLeftClick(mx, my);
        else
            handleOtherClick(mx, my);
    }

    const Uint8* keys = SDL_GetKeyState(nullptr);
    // Only undo and redo look at modifiers; every other key works with or without them.
    const SDLMod modifiers = SDL_GetModState();
    const bool ctrl = (modifiers & KMOD_CTRL) != 0;
    if (keys[SDLK_UP]) {
        if (scrollY > 0) --scrollY;
        delay(100);
    } else if (keys[SDLK_DOWN]) {
        ++scrollY;
        delay(100);
    }
    if (keys[SDLK_LEFT]) {
        if (scrollX > 0) --scrollX;
        delay(100);
    } else if (keys[SDLK_RIGHT]) {
        ++scrollX;
        delay(100);
    }
    if (keys[SDLK_LEFTBRACKET]) {
        currentTile = currentTile <= 0 ? LAST_TILE : currentTile - 1;
        delay(100);
    } else if (keys[SDLK_RIGHTBRACKET]) {
        currentTile = currentTile >= LAST_TILE ? 0 : currentTile + 1;
        delay(100);
    }
    if (keys[SDLK_q]) {
        if (paletteScroll > 0) --paletteScroll;
        delay(25);
    } else if (keys[SDLK_a]) {
        if (paletteScroll < LAST_TILE) ++paletteScroll;
        delay(25);
    }
    if (keys[SDLK_p]) {
        showPalette = !showPalette;
        delay(100);
    }
    if (keys[SDLK_m]) {
        showMinimap = !showMinimap;
        delay(200);
    }
    if (keys[SDLK_s]) {
        saveWorld();
        delay(200);
    } else if (keys[SDLK_l]) {
        if (!dataLoaded) loadWorld();
        delay(200);
    } else if (ctrl && (keys[SDLK_z] || keys[SDLK_y])) {
        // Ctrl+Z undoes; Ctrl+Y and Ctrl+Shift+Z redo. With Ctrl held, Z leaves the mode alone.
        if (keys[SDLK_z] && !(modifiers & KMOD_SHIFT))
            undoEdit();
        else
            redoEdit();
        delay(200);
    } else if (keys[SDLK_z]) {
        rightClickMode = rightClickMode >= LAST_MODE ? 0 : rightClickMode + 1;
        delay(100);
    }
    if (keys[SDLK_ESCAPE]) quit(1);
    if (keys[SDLK_f]) {
        fillSelection();
        return;
    }
    if (keys[SDLK_F3]) {
        takeScreenshot();
        delay(100);
    }
}
