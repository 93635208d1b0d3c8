// Start-up and the frame loop.
#include <cstdio>
#include <cstdlib>

#include "shell/map_editor.h"
#include "world/safe_file.h"

// Without DISPLAY, SDL would fall back to drawing the window as text art in the terminal.
static bool noDisplay() {
    const char* display = getenv("DISPLAY");
    return (!display || !*display) && !getenv("SDL_VIDEODRIVER");
}

MapEditor::MapEditor()
    : scrollX(0), scrollY(0), selX1(-1), selX2(-1), selY1(-1), selY2(-1), screen(nullptr), font(nullptr),
      currentTile(0), rightClickMode(MODE_SELECT), minimap(nullptr), showMinimap(true), showPalette(false),
      paletteScroll(0), dataLoaded(false), delay(SDL_Delay) {
    if (noDisplay()) {
        fprintf(stderr, "No display: DISPLAY is not set; run the editor under xvfb-run -s '-screen 0 800x600x16'\n");
        exit(1);
    }
    screen = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, 16, SDL_HWSURFACE | SDL_DOUBLEBUF);
    if (!screen) {
        fprintf(stderr, "Could not open the 800x600 window: %s\n", SDL_GetError());
        exit(1);
    }
    // The prompt needs the character each key types, so translation is on for the whole run.
    SDL_EnableUNICODE(1);
    art.loadAssets();
    if (!map.loadMap(DATA_DIR)) exit(1);
    minimap = renderMinimap(map);
    if (TTF_Init() != 0) {
        fprintf(stderr, "Could not start the font renderer: %s\n", TTF_GetError());
        exit(1);
    }
    // The font loader's blocking open would hang on a pipe: only a regular file is opened.
    font = isRegularFile(FONT_FILE) ? TTF_OpenFont(FONT_FILE, 14) : nullptr;
    if (!font) {
        fprintf(stderr, "Could not locate font!\n");
        exit(1);
    }
}

MapEditor::~MapEditor() {
    for (Actor* actor : npcs) delete actor;
    for (Item* item : items) delete item;
    SDL_FreeSurface(minimap);
    if (font) TTF_CloseFont(font);
    art.unloadAssets();
}

void MapEditor::runFrame() {
    drawMap();
    drawHUD();
    drawSprites();
    getInput();
    // The caption names the view's top-left cell; it is only sent when it changes.
    if (scrollX != captionX || scrollY != captionY) {
        char caption[40];
        snprintf(caption, sizeof caption, "x=%i y=%i", scrollX, scrollY);
        SDL_WM_SetCaption(caption, nullptr);
        captionX = scrollX;
        captionY = scrollY;
    }
    SDL_Delay(0);
    SDL_Flip(screen);
}

void MapEditor::mainloop() {
    for (;;) runFrame();
}

int SDL_main(int, char**) {
    MapEditor* editor = new MapEditor();
    editor->mainloop();
    return 0;
}
