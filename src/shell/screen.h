#pragma once
// The editor's window and what comes with it: the display surface, the art converted to its
// format, the font, the event queue with its idle wait, and the text prompt.
#include <SDL.h>
#include <SDL_ttf.h>

#include <functional>
#include <optional>
#include <string>

#include "render/art_assets.h"
#include "render/surface.h"
#include "render/view.h"
#include "world/defline.h"
#include "world/messages.h"

// A longer answer could not be read back from a definition file.
constexpr int PROMPT_MAX_CHARS = MAX_LINE_CHARS;

// Writes each line to standard output or standard error, in order.
void report(const Messages& said);

class Screen {
public:
    SDL_Surface* screen = nullptr;  // the window's surface, which SDL owns
    ArtAssets art;
    SDL_Event event;  // the one record the commands and the prompt poll into
    FontPtr font;
    // The waits that pace held-key commands; tests replace it to count them.
    void (*delay)(Uint32) = SDL_Delay;
    // Called wherever the screen waits for input (the editor looks for signals there).
    std::function<void()> whileWaiting;

    Screen() = default;
    ~Screen();
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    // Opens the 800x600 window; false (having said why) when there is no display or it fails.
    bool openWindow(Messages& said);
    // Starts the font renderer and opens edfont.ttf at 14 points; false (having said why) when not.
    bool openFont(Messages& said);
    Canvas canvas() const { return Canvas{screen, art, font.get()}; }
    void drawTextAt(const char* text, int x, int y);

    // Returns once an event other than mouse motion is queued.
    void waitForEvent();
    // Whether a key or a mouse button is down.
    static bool inputHeld();
    // One line typed at (x, y + 20) under the prompt at (x, y), returned on Return. The answer
    // starts as `start`: Return keeps it, Backspace clears it, typing appends. Nothing when the
    // window was closed instead.
    std::optional<std::string> getUserString(const char* prompt, int x, int y, const std::string& start = "");

private:
    bool fontRendererStarted = false;
};
