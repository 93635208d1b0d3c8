#include "editor_fixture.h"

#include <cstring>
#include <ostream>

std::vector<Uint32> recordedDelays;

static void recordDelay(Uint32 ms) { recordedDelays.push_back(ms); }

void EditorTest::SetUp() {
    world = std::make_unique<TempDir>();
    makeDefaultWorld(world->path);
    inWorld = std::make_unique<ChangeDir>(world->path);
    {
        CaptureOutput quiet;  // start-up messages are checked by the start-up tests
        editor = new MapEditor();
    }
    editor->delay = recordDelay;
    recordedDelays.clear();
    holdKeys({});
    SDL_Event pending;
    while (SDL_PollEvent(&pending)) {
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
}

Uint32 EditorTest::rawPixel(SDL_Surface* surface, int x, int y) const {
    SDL_LockSurface(surface);
    const Uint8* p = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + x * surface->format->BytesPerPixel;
    Uint32 value = 0;
    switch (surface->format->BytesPerPixel) {
    case 2: value = *reinterpret_cast<const Uint16*>(p); break;
    case 4: value = *reinterpret_cast<const Uint32*>(p); break;
    default: value = p[0]; break;
    }
    SDL_UnlockSurface(surface);
    return value;
}

SDL_Color EditorTest::pixelOf(SDL_Surface* surface, int x, int y) const {
    SDL_Color c = {0, 0, 0, 0};
    SDL_GetRGB(rawPixel(surface, x, y), surface->format, &c.r, &c.g, &c.b);
    return c;
}

SDL_Color EditorTest::pixel(int x, int y) const { return pixelOf(editor->screen, x, y); }

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

void EditorTest::pushKey(SDLKey key, Uint16 unicode) {
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    e.key.keysym.sym = key;
    e.key.keysym.unicode = unicode;
    ASSERT_EQ(SDL_PushEvent(&e), 0);
}

void EditorTest::pushQuit() {
    SDL_Event e;
    std::memset(&e, 0, sizeof e);
    e.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&e), 0);
}

void EditorTest::holdKeys(std::initializer_list<SDLKey> keys) {
    int count = 0;
    Uint8* state = SDL_GetKeyState(&count);
    std::memset(state, 0, count);
    for (SDLKey key : keys) state[key] = 1;
}

SDL_Color displayColour(SDL_Surface* screen, Uint8 r, Uint8 g, Uint8 b) {
    SDL_Color c = {0, 0, 0, 0};
    SDL_GetRGB(SDL_MapRGB(screen->format, r, g, b), screen->format, &c.r, &c.g, &c.b);
    return c;
}

bool operator==(const SDL_Color& a, const SDL_Color& b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

std::ostream& operator<<(std::ostream& out, const SDL_Color& c) {
    return out << "(" << int(c.r) << "," << int(c.g) << "," << int(c.b) << ")";
}
