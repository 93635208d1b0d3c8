#include "shell/screen.h"

#include <cstdio>
#include <cstdlib>

#include "render/text.h"
#include "shell/x_display.h"
#include "world/safe_file.h"
#include "world/world_paths.h"

constexpr Uint32 IDLE_POLL_MS = 5;

void report(const Messages& said) {
    for (const Message& line : said.lines) {
        FILE* stream = line.stream == Stream::Out ? stdout : stderr;
        fwrite(line.text.data(), 1, line.text.size(), stream);
        fflush(stream);
    }
}

Screen::~Screen() {
    font.reset();
    if (fontRendererStarted) TTF_Quit();
}

// Without DISPLAY, SDL would fall back to drawing the window as text art in the terminal.
static bool noDisplay() {
    const char* display = getenv("DISPLAY");
    return (!display || !*display) && !getenv("SDL_VIDEODRIVER");
}

bool Screen::openWindow(Messages& said) {
    if (noDisplay()) {
        said.err("No display: DISPLAY is not set; run the editor under xvfb-run -s '-screen 0 800x600x16 -noreset'\n");
        return false;
    }
    void* xConnection = holdXDisplay();  // see x_display.cpp: keeps the X server from resetting
    screen = SDL_SetVideoMode(SCREEN_WIDTH, SCREEN_HEIGHT, 16, SDL_HWSURFACE | SDL_DOUBLEBUF);
    releaseXDisplay(xConnection);
    if (!screen) {
        said.err(std::string("Could not open the 800x600 window: ") + SDL_GetError() + "\n");
        return false;
    }
    // The prompt needs the character each key types, so translation is on for the whole run.
    SDL_EnableUNICODE(1);
    return true;
}

bool Screen::openFont(Messages& said) {
    if (TTF_Init() != 0) {
        said.err(std::string("Could not start the font renderer: ") + TTF_GetError() + "\n");
        return false;
    }
    fontRendererStarted = true;
    // The font loader's blocking open would hang on a pipe: only a regular file is opened.
    if (isRegularFile(FONT_FILE)) font.reset(TTF_OpenFont(FONT_FILE, 14));
    if (font) return true;
    said.err("Could not locate font!\n");
    return false;
}

void Screen::drawTextAt(const char* text, int x, int y) { drawText(screen, font.get(), text, x, y); }

// Caps Lock and Num Lock read as held for as long as they are on, and Scroll Lock may too;
// they command nothing, so they do not keep the editor busy.
bool Screen::inputHeld() {
    if (SDL_GetMouseState(nullptr, nullptr) != 0) return true;
    int count = 0;
    const Uint8* keys = SDL_GetKeyState(&count);
    for (int key = 0; key < count; ++key)
        if (keys[key] && key != SDLK_NUMLOCK && key != SDLK_CAPSLOCK && key != SDLK_SCROLLOCK) return true;
    return false;
}

void Screen::waitForEvent() {
    // Like SDL_WaitEvent, which checks for events every 10 ms, but every 5 ms: input is to be
    // handled within 10 ms of the press, and a frame is drawn before the input is read. It
    // costs well under 1 % of a core. Mouse motion changes nothing on the screen and is
    // dropped, so a moving pointer does not redraw the window. SDL repaints the window from
    // its last frame on an expose event while it checks; every other event ends the wait.
    // Motion queued with another event stays: after a button press it is a drag's first move.
    SDL_Event motion;
    for (;;) {
        if (whileWaiting) whileWaiting();
        SDL_PumpEvents();
        if (SDL_PeepEvents(nullptr, 1, SDL_PEEKEVENT, SDL_ALLEVENTS & ~SDL_MOUSEMOTIONMASK) != 0) return;
        while (SDL_PeepEvents(&motion, 1, SDL_GETEVENT, SDL_MOUSEMOTIONMASK) > 0) {
        }
        SDL_Delay(IDLE_POLL_MS);
    }
}

static bool typesCharacter(SDLKey key) {
    return (key >= SDLK_a && key <= SDLK_z) || (key >= SDLK_0 && key <= SDLK_9) || key == SDLK_SPACE;
}

std::optional<std::string> Screen::getUserString(const char* prompt, int x, int y, const std::string& start) {
    std::string text = start;
    SDL_Rect strip;
    strip.x = static_cast<Sint16>(x);
    strip.y = static_cast<Sint16>(y + 20);
    strip.w = 500;
    strip.h = 20;
    const Uint32 black = SDL_MapRGB(screen->format, 0, 0, 0);
    for (;;) {
        drawTextAt(prompt, x, y);
        SDL_FillRect(screen, &strip, black);
        drawTextAt(text.c_str(), x, y + 20);
        // Only a key changes the line: show it and wait for the next event.
        SDL_Flip(screen);
        waitForEvent();
        while (SDL_PollEvent(&event)) {
            if (event.type == SDL_QUIT) return std::nullopt;
            if (event.type != SDL_KEYDOWN) continue;
            const SDLKey key = event.key.keysym.sym;
            if (key == SDLK_RETURN) return text;
            if (key == SDLK_BACKSPACE) {
                text.clear();
                continue;
            }
            if (!typesCharacter(key)) continue;
            const char typed = static_cast<char>(event.key.keysym.unicode & 0xFF);
            // A key without a character adds nothing. Every answer must be read back whole
            // from one line of a definition file: the length cap keeps it short enough, and
            // a character whose low 8 bits are a line feed or a carriage return (U+010A,
            // U+010D and many more) would split or cut that line.
            if (typed != '\0' && typed != '\n' && typed != '\r' && text.size() < static_cast<size_t>(PROMPT_MAX_CHARS))
                text += typed;
        }
    }
}
