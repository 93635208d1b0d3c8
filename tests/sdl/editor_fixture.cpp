#include "editor_fixture.h"

#include <unistd.h>

#include <cstring>

std::vector<Uint32> recordedDelays;

static void recordDelay(Uint32 ms) { recordedDelays.push_back(ms); }

void EditorTest::SetUp() {
    alarm(120);  // a prompt that never returns ends the run instead of hanging it
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
    SDL_SetModState(KMOD_NONE);
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

void EditorTest::pushKey(SDLKey key, Uint16 unicode) {
    SDL_Event e = keyPress(key, unicode);
    ASSERT_EQ(SDL_PushEvent(&e), 0);
}

void EditorTest::holdKeys(const std::vector<SDLKey>& keys) {
    int count = 0;
    Uint8* state = SDL_GetKeyState(&count);
    std::memset(state, 0, count);
    for (SDLKey key : keys) state[key] = 1;
}

std::vector<Uint32> EditorTest::run(const std::vector<SDLKey>& keys) {
    holdKeys(keys);
    recordedDelays.clear();
    editor->getInput();
    holdKeys({});
    return recordedDelays;
}

std::vector<Uint16> EditorTest::messageAlone(const char* message) {
    fillScreen(editor->screen, 0, 0, 0);
    editor->drawTextAt(message, 0, 0);
    return grabScreen(editor->screen);
}
