// The text prompt fed with arbitrary key and mouse events, in an editor started once on
// SDL's dummy video driver in a generated world. The answer must be exactly what the keys
// typed: the characters of letter, digit and space keys, emptied by Backspace, at most 400
// of them, and nothing that would break a definition file's line (NUL, CR, LF).
#include <SDL.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "shell/map_editor.h"
#include "worldgen.h"

namespace {
MapEditor* editor = nullptr;
constexpr size_t EVENT_BYTES = 5;   // kind, key (2 bytes), character (2 bytes)
constexpr size_t MAX_EVENTS = 126;  // SDL's queue holds 127, and a Return ends each input

void noDelay(Uint32) {}

bool typesCharacter(SDLKey key) {
    return (key >= SDLK_a && key <= SDLK_z) || (key >= SDLK_0 && key <= SDLK_9) || key == SDLK_SPACE;
}

SDL_Event eventFrom(const uint8_t* bytes) {
    SDL_Event e;
    memset(&e, 0, sizeof e);
    // Mostly key presses; releases and mouse events must be dropped. Never a quit, which
    // ends the process by design.
    static const Uint8 kinds[] = {SDL_KEYDOWN, SDL_KEYDOWN, SDL_KEYDOWN, SDL_KEYDOWN,
                                  SDL_KEYUP,   SDL_MOUSEBUTTONDOWN, SDL_MOUSEMOTION, SDL_ACTIVEEVENT};
    e.type = kinds[bytes[0] % sizeof kinds];
    const Uint16 key = static_cast<Uint16>((bytes[1] | bytes[2] << 8) % SDLK_LAST);
    const Uint16 character = static_cast<Uint16>(bytes[3] | bytes[4] << 8);
    if (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP) {
        e.key.state = e.type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.key.keysym.sym = static_cast<SDLKey>(key);
        e.key.keysym.unicode = character;
    } else if (e.type == SDL_MOUSEBUTTONDOWN) {
        e.button.button = static_cast<Uint8>(bytes[1] % 5 + 1);
        e.button.x = static_cast<Uint16>(key % SCREEN_WIDTH);
        e.button.y = static_cast<Uint16>(character % SCREEN_HEIGHT);
    } else if (e.type == SDL_MOUSEMOTION) {
        e.motion.x = static_cast<Uint16>(key % SCREEN_WIDTH);
        e.motion.y = static_cast<Uint16>(character % SCREEN_HEIGHT);
    }
    return e;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    char pattern[] = "/tmp/prompt-fuzzer-XXXXXX";
    if (!mkdtemp(pattern)) abort();
    const std::filesystem::path world = pattern, start = std::filesystem::current_path();
    if (!generateWorld(world.string())) abort();
    std::filesystem::current_path(world);
    if (SDL_Init(SDL_INIT_NOPARACHUTE) < 0) abort();  // as the editor starts: SDL's own signal handlers stay out
    editor = new MapEditor();
    if (editor->start() != 0) abort();
    editor->delay = noDelay;
    // Everything the prompt needs is loaded; the world on disk is no longer read.
    std::filesystem::current_path(start);
    std::filesystem::remove_all(world);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    // The prompt's position: anywhere in the window.
    const int x = data[0] * (SCREEN_WIDTH - 1) / 255, y = data[1] * (SCREEN_HEIGHT - 1) / 255;
    data += 2;
    size -= 2;

    std::string expected;
    bool answered = false;
    for (size_t i = 0; i < MAX_EVENTS && (i + 1) * EVENT_BYTES <= size; ++i) {
        SDL_Event e = eventFrom(data + i * EVENT_BYTES);
        if (SDL_PushEvent(&e) != 0) abort();
        if (answered || e.type != SDL_KEYDOWN) continue;
        const SDLKey key = e.key.keysym.sym;
        const char typed = static_cast<char>(e.key.keysym.unicode & 0xFF);
        if (key == SDLK_RETURN) answered = true;
        else if (key == SDLK_BACKSPACE) expected.clear();
        else if (typesCharacter(key) && typed != '\0' && typed != '\n' && typed != '\r' &&
                 expected.size() < static_cast<size_t>(PROMPT_MAX_CHARS))
            expected += typed;
    }
    SDL_Event enter;
    memset(&enter, 0, sizeof enter);
    enter.type = SDL_KEYDOWN;
    enter.key.state = SDL_PRESSED;
    enter.key.keysym.sym = SDLK_RETURN;
    enter.key.keysym.unicode = '\r';
    if (SDL_PushEvent(&enter) != 0) abort();

    const std::string answer = editor->getUserString("Name:", x, y).value_or("");
    SDL_Event left;
    while (SDL_PollEvent(&left)) {
    }  // whatever followed the first Return
    // The answer must fit on one line of a definition file.
    if (answer != expected || answer.size() > static_cast<size_t>(PROMPT_MAX_CHARS) ||
        answer.find_first_of(std::string("\0\n\r", 3)) != std::string::npos)
        abort();
    return 0;
}
