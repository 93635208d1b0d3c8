#pragma once
// An editor started in-process on SDL's dummy video driver, in a freshly generated world, and
// the means to drive it: key events for typed answers, and screen areas read back as raw pixel
// values.
#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "shell/map_editor.h"
#include "test_support.h"

constexpr int EVENT_QUEUE_ROOM = 127;  // SDL 1.2 drops events pushed beyond this

SDL_Event keyPress(SDLKey key, Uint16 unicode = 0);
SDL_Event returnKey();
// The presses that type text as SDL delivers them with Unicode on ('-' from the 6 key, as on
// a French keyboard; '\b' is Backspace).
std::vector<SDL_Event> typingOf(const std::string& text);
// Queues the events; fails the test when they do not all fit.
void queueEvents(const std::vector<SDL_Event>& events);
// Queues each answer's keys and a Return.
void queueAnswers(const std::vector<std::string>& answers);
bool eventQueueEmpty();

// Raw pixel values of an area of a 16-bit surface, read unlocked so a feeder thread may watch.
std::vector<Uint16> grab(SDL_Surface* surface, int x, int y, int w, int h);
std::vector<Uint16> grabScreen(SDL_Surface* screen);
Uint32 rawPixel(SDL_Surface* surface, int x, int y);  // any depth
Uint16 rawColour(SDL_Surface* surface, Uint8 r, Uint8 g, Uint8 b);
void fillScreen(SDL_Surface* screen, Uint8 r, Uint8 g, Uint8 b);
void fillArea(SDL_Surface* screen, int x, int y, int w, int h, Uint8 r, Uint8 g, Uint8 b);
size_t countOf(const std::vector<Uint16>& pixels, Uint16 value);
// Empty when two full-screen grabs agree, else how many pixels differ and the first one.
std::string screenDifference(const std::vector<Uint16>& got, const std::vector<Uint16>& expected);

// Every wait the commands make, in order.
extern std::vector<Uint32> recordedDelays;

class EditorTest : public ::testing::Test {
protected:
    std::unique_ptr<TempDir> world;
    std::unique_ptr<ChangeDir> inWorld;
    MapEditor* editor = nullptr;

    void SetUp() override;
    void TearDown() override;

    // Events queued for the next getInput or prompt.
    void pushClick(int button, int x, int y);
    void pushKey(SDLKey key, Uint16 unicode = 0);
    // Holds exactly these keys in SDL's key state table (all others released).
    void holdKeys(const std::vector<SDLKey>& keys);
    // One pass of the command handler with exactly these keys held; returns its waits.
    std::vector<Uint32> run(const std::vector<SDLKey>& keys);
    // The whole screen as the message alone, drawn on black, leaves it.
    std::vector<Uint16> messageAlone(const char* message);
};
