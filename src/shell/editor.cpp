// Start-up and the frame loop.
#include <cstdio>
#include <cstdlib>

#include "shell/map_editor.h"
#include "shell/x_display.h"
#include "world/safe_file.h"

constexpr Uint32 IDLE_POLL_MS = 5;

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
        fprintf(stderr, "No display: DISPLAY is not set; run the editor under xvfb-run -s '-screen 0 800x600x16 -noreset'\n");
        exit(1);
    }
    void* xConnection = holdXDisplay();  // see x_display.cpp: keeps the X server from resetting
    screen = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, 16, SDL_HWSURFACE | SDL_DOUBLEBUF);
    releaseXDisplay(xConnection);
    if (!screen) {
        fprintf(stderr, "Could not open the 800x600 window: %s\n", SDL_GetError());
        exit(1);
    }
    catchSignals();
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
    pollSignals();
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

// Whether a key or a mouse button is down. Caps Lock and Num Lock read as held for as long as
// they are on, and Scroll Lock may too; they command nothing, so they do not keep the editor busy.
static bool inputHeld() {
    if (SDL_GetMouseState(nullptr, nullptr) != 0) return true;
    int count = 0;
    const Uint8* keys = SDL_GetKeyState(&count);
    for (int key = 0; key < count; ++key)
        if (keys[key] && key != SDLK_NUMLOCK && key != SDLK_CAPSLOCK && key != SDLK_SCROLLOCK) return true;
    return false;
}

void MapEditor::waitForEvent() {
    // Like SDL_WaitEvent, which checks for events every 10 ms, but every 5 ms: input is to be
    // handled within 10 ms of the press, and a frame is drawn before the input is read. It
    // costs well under 1 % of a core. Mouse motion changes nothing on the screen and is
    // dropped, so a moving pointer does not redraw the window. SDL repaints the window from
    // its last frame on an expose event while it checks; every other event ends the wait.
    SDL_Event motion;
    for (;;) {
        pollSignals();
        SDL_PumpEvents();
        while (SDL_PeepEvents(&motion, 1, SDL_GETEVENT, SDL_MOUSEMOTIONMASK) > 0) {
        }
        if (SDL_PeepEvents(nullptr, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) != 0) return;
        SDL_Delay(IDLE_POLL_MS);
    }
}

void MapEditor::mainloop() {
    for (;;) {
        eventSeen = false;
        runFrame();
        // A frame shows the state from before its own input (it draws, then reads input), so
        // after a frame that handled an event or ran a held key's command, another follows.
        // Once a frame has done neither, it showed what the next would show again: wait.
        if (!eventSeen && !inputHeld()) waitForEvent();
    }
}

int SDL_main(int, char**) {
    MapEditor* editor = new MapEditor();
    editor->mainloop();
    return 0;
}
