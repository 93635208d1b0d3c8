#include "editor_fixture.h"

#include <unistd.h>

#include <cctype>
#include <cstring>

namespace {
std::vector<Uint32> recordedDelays;  // every wait the commands make, in order

void recordDelay(Uint32 ms) { recordedDelays.push_back(ms); }

// Holds exactly these keys in SDL's key state table (all others released).
void holdKeys(const std::vector<SDLKey>& keys) {
    int count = 0;
    Uint8* state = SDL_GetKeyState(&count);
    std::memset(state, 0, count);
    for (SDLKey key : keys) state[key] = 1;
}
}  // namespace

void EditorTest::SetUp() {
    alarm(120);  // a prompt that never returns ends the run instead of hanging it
    world = std::make_unique<TempDir>();
    makeDefaultWorld(world->path);
    inWorld = std::make_unique<ChangeDir>(world->path);
    {
        CaptureOutput quiet;  // start-up messages are checked by the start-up tests
        editor = new MapEditor();
        ASSERT_EQ(editor->start(), 0);
    }
    editor->delay = recordDelay;
    holdKeys({});
    SDL_SetModState(KMOD_NONE);
    for (SDL_Event pending; SDL_PollEvent(&pending);) {
    }
}

void EditorTest::TearDown() {
    holdKeys({});
    {
        CaptureOutput quiet;
        delete editor;
    }
    inWorld.reset();
    world.reset();
    alarm(0);
}

void EditorTest::pushClick(int button, int x, int y) {
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = static_cast<Uint8>(button);
    e.button.state = SDL_PRESSED;
    e.button.x = static_cast<Uint16>(x);
    e.button.y = static_cast<Uint16>(y);
    ASSERT_EQ(SDL_PushEvent(&e), 0);
}

std::vector<Uint32> EditorTest::run(const std::vector<SDLKey>& keys) {
    holdKeys(keys);
    recordedDelays.clear();
    editor->getInput();
    holdKeys({});
    return recordedDelays;
}

SDL_Event keyPress(SDLKey key, Uint16 unicode) {
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    e.key.keysym.sym = key;
    e.key.keysym.unicode = unicode;
    return e;
}

SDL_Event returnKey() { return keyPress(SDLK_RETURN, '\r'); }

std::vector<SDL_Event> typingOf(const std::string& text) {
    std::vector<SDL_Event> events;
    for (char c : text) {
        // SDL names the keys of letters, digits, Space and Backspace by their ASCII codes.
        const SDLKey key = c == '-' ? SDLK_6 : static_cast<SDLKey>(std::tolower(static_cast<unsigned char>(c)));
        if (!std::isalnum(static_cast<unsigned char>(c)) && !std::strchr(" \b-", c)) ADD_FAILURE() << "no key types '" << c << "'";
        events.push_back(keyPress(key, static_cast<Uint16>(static_cast<unsigned char>(c))));
    }
    return events;
}

void queueEvents(const std::vector<SDL_Event>& events) {
    ASSERT_LE(events.size(), 127u) << "SDL 1.2 drops events pushed beyond 127";
    for (SDL_Event e : events) ASSERT_EQ(SDL_PushEvent(&e), 0);
}

void queueAnswers(const std::vector<std::string>& answers) {
    std::vector<SDL_Event> events;
    for (const std::string& answer : answers) {
        std::vector<SDL_Event> keys = typingOf(answer);
        events.insert(events.end(), keys.begin(), keys.end());
        events.push_back(returnKey());
    }
    queueEvents(events);
}

bool eventQueueEmpty() {
    SDL_Event peeked;
    return SDL_PeepEvents(&peeked, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) == 0;
}

std::vector<Uint16> grab(SDL_Surface* surface, int x, int y, int w, int h) {
    std::vector<Uint16> pixels;
    for (int row = y; row < y + h; ++row) {
        const Uint16* p = reinterpret_cast<const Uint16*>(static_cast<const Uint8*>(surface->pixels) + row * surface->pitch) + x;
        pixels.insert(pixels.end(), p, p + w);
    }
    return pixels;
}

Uint32 rawPixel(SDL_Surface* surface, int x, int y) {
    SDL_LockSurface(surface);  // RLE-encoded images have their pixels only while locked
    const Uint8* p = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + x * surface->format->BytesPerPixel;
    Uint32 value = surface->format->BytesPerPixel == 2 ? *reinterpret_cast<const Uint16*>(p)
                   : surface->format->BytesPerPixel == 4 ? *reinterpret_cast<const Uint32*>(p) : p[0];
    SDL_UnlockSurface(surface);
    return value;
}

void fill(SDL_Surface* screen, Uint8 r, Uint8 g, Uint8 b, int x, int y, int w, int h) {
    SDL_Rect area = {static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w), static_cast<Uint16>(h)};
    SDL_FillRect(screen, &area, SDL_MapRGB(screen->format, r, g, b));
}

std::string screenDifference(const std::vector<Uint16>& got, const std::vector<Uint16>& expected) {
    if (got.size() != expected.size()) return "screens of different sizes";
    size_t differing = 0, first = 0;
    for (size_t i = 0; i < got.size(); ++i)
        if (got[i] != expected[i] && differing++ == 0) first = i;
    if (differing == 0) return "";
    return std::to_string(differing) + " pixels differ, the first at (" + std::to_string(first % SCREEN_WIDTH) + "," +
           std::to_string(first / SCREEN_WIDTH) + ")";
}
