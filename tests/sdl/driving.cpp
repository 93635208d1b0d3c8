#include "driving.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <sstream>

#include "shell/map_editor.h"

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
        SDLKey key = SDLK_UNKNOWN;
        if (c >= 'a' && c <= 'z') key = static_cast<SDLKey>(SDLK_a + (c - 'a'));
        if (c >= 'A' && c <= 'Z') key = static_cast<SDLKey>(SDLK_a + (c - 'A'));
        if (c >= '0' && c <= '9') key = static_cast<SDLKey>(SDLK_0 + (c - '0'));
        if (c == ' ') key = SDLK_SPACE;
        if (c == '-') key = SDLK_6;
        if (key == SDLK_UNKNOWN) ADD_FAILURE() << "no key types '" << c << "'";
        events.push_back(keyPress(key, static_cast<Uint16>(static_cast<unsigned char>(c))));
    }
    return events;
}

void queueAnswers(const std::vector<std::string>& answers) {
    std::vector<SDL_Event> events;
    for (const std::string& answer : answers) {
        std::vector<SDL_Event> keys = typingOf(answer);
        events.insert(events.end(), keys.begin(), keys.end());
        events.push_back(returnKey());
    }
    ASSERT_LE(events.size(), static_cast<size_t>(EVENT_QUEUE_ROOM)) << "answers do not fit in SDL's queue";
    for (SDL_Event& e : events) ASSERT_EQ(SDL_PushEvent(&e), 0);
}

bool eventQueueEmpty() {
    SDL_Event peeked;
    return SDL_PeepEvents(&peeked, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) == 0;
}

std::vector<Uint16> grab(SDL_Surface* surface, int x, int y, int w, int h) {
    std::vector<Uint16> pixels;
    pixels.reserve(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int row = y; row < y + h; ++row) {
        const Uint8* line = static_cast<const Uint8*>(surface->pixels) + row * surface->pitch;
        const Uint16* p = reinterpret_cast<const Uint16*>(line) + x;
        pixels.insert(pixels.end(), p, p + w);
    }
    return pixels;
}

std::vector<Uint16> grabScreen(SDL_Surface* screen) { return grab(screen, 0, 0, screen->w, screen->h); }

Uint16 rawColour(SDL_Surface* surface, Uint8 r, Uint8 g, Uint8 b) {
    return static_cast<Uint16>(SDL_MapRGB(surface->format, r, g, b));
}

void fillScreen(SDL_Surface* screen, Uint8 r, Uint8 g, Uint8 b) {
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, r, g, b));
}

void fillArea(SDL_Surface* screen, int x, int y, int w, int h, Uint8 r, Uint8 g, Uint8 b) {
    SDL_Rect area;
    area.x = static_cast<Sint16>(x);
    area.y = static_cast<Sint16>(y);
    area.w = static_cast<Uint16>(w);
    area.h = static_cast<Uint16>(h);
    SDL_FillRect(screen, &area, SDL_MapRGB(screen->format, r, g, b));
}

bool allAre(const std::vector<Uint16>& pixels, Uint16 value) { return countOf(pixels, value) == pixels.size(); }

size_t countOf(const std::vector<Uint16>& pixels, Uint16 value) {
    size_t n = 0;
    for (Uint16 p : pixels) n += p == value;
    return n;
}

std::string screenDifference(const std::vector<Uint16>& got, const std::vector<Uint16>& expected) {
    if (got.size() != expected.size()) return "screens of different sizes";
    size_t differing = 0, first = 0;
    for (size_t i = 0; i < got.size(); ++i) {
        if (got[i] == expected[i]) continue;
        if (differing++ == 0) first = i;
    }
    if (differing == 0) return "";
    std::ostringstream out;
    out << differing << " pixels differ, the first at (" << first % SCREEN_WIDTH << "," << first / SCREEN_WIDTH << ")";
    return out.str();
}

EventFeeder::EventFeeder(std::function<void(EventFeeder&)> script)
    : thread([this, script] { script(*this); }) {}

EventFeeder::~EventFeeder() { join(); }

void EventFeeder::join() {
    if (thread.joinable()) thread.join();
}

void EventFeeder::push(const SDL_Event& event) {
    SDL_Event copy = event;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (SDL_PushEvent(&copy) != 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            timedOut = true;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void EventFeeder::pushAll(const std::vector<SDL_Event>& events) {
    for (const SDL_Event& e : events) push(e);
}

bool EventFeeder::waitFor(const std::function<bool()>& condition, int timeoutMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            timedOut = true;
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}
