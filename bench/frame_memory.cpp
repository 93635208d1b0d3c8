// The heap the editor holds must not grow with the frames it draws or the prompts it runs:
// the heap in use after frame 1,000 is compared with that after frame 100.
#include <malloc.h>

#include <cstring>

#include "frame_memory.h"

namespace {
void pushKey(SDLKey key, Uint16 unicode) {
    SDL_Event e;
    memset(&e, 0, sizeof e);
    e.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    e.key.keysym.sym = key;
    e.key.keysym.unicode = unicode;
    SDL_PushEvent(&e);
}

// Frames with no key held; every tenth frame a prompt is answered with a typed, cleared and
// typed again answer.
void runFrames(MapEditor& editor, int count) {
    for (int i = 1; i <= count; ++i) {
        editor.runFrame();
        if (i % 10) continue;
        pushKey(SDLK_x, 'x');
        pushKey(SDLK_BACKSPACE, '\b');
        for (char c : std::string("leak check 42")) pushKey(c == ' ' ? SDLK_SPACE : static_cast<SDLKey>(c), c);
        pushKey(SDLK_RETURN, '\r');
        editor.getUserString("Name:", 10, 300);
    }
}
}  // namespace

long frameHeapGrowth(MapEditor& editor) {
    runFrames(editor, 100);  // caches of SDL, the font and the C++ library fill here
    const size_t after100 = mallinfo2().uordblks + mallinfo2().hblkhd;
    runFrames(editor, 900);
    const size_t after1000 = mallinfo2().uordblks + mallinfo2().hblkhd;
    return static_cast<long>(after1000) - static_cast<long>(after100);
}
