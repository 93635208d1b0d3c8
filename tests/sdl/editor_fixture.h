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

// Raw pixel values of an area of a 16-bit surface (the whole of it by default), read unlocked
// so that a second thread may watch.
std::vector<Uint16> grab(SDL_Surface* surface, int x = 0, int y = 0, int w = SCREEN_WIDTH, int h = SCREEN_HEIGHT);
Uint32 rawPixel(SDL_Surface* surface, int x, int y);  // any depth
// Fills an area of the screen (the whole of it by default) with a colour.
void fill(SDL_Surface* screen, Uint8 r, Uint8 g, Uint8 b, int x = 0, int y = 0, int w = SCREEN_WIDTH, int h = SCREEN_HEIGHT);
// Empty when two full-screen grabs agree, else how many pixels differ and the first one.
std::string screenDifference(const std::vector<Uint16>& got, const std::vector<Uint16>& expected);

class EditorTest : public ::testing::Test {
protected:
    std::unique_ptr<TempDir> world;
    std::unique_ptr<ChangeDir> inWorld;
    MapEditor* editor = nullptr;

    void SetUp() override;
    void TearDown() override;

    // Events queued for the next getInput or prompt.
    void pushClick(int button, int x, int y);
    // One pass of the command handler with exactly these keys held; returns its waits.
    std::vector<Uint32> run(const std::vector<SDLKey>& keys);
};
