// The modal text prompt: one line typed inside the window, returned on Return.
#include <cstdlib>

#include "shell/map_editor.h"

static bool typesCharacter(SDLKey key) {
    return (key >= SDLK_a && key <= SDLK_z) || (key >= SDLK_0 && key <= SDLK_9) || key == SDLK_SPACE;
}

std::string MapEditor::getUserString(const char* prompt, int x, int y, const std::string& start) {
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
            if (event.type == SDL_QUIT) quit(0);
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
