#pragma once
// An editor started in-process on SDL's dummy video driver, in a freshly generated world.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "shell/map_editor.h"
#include "test_support.h"

// Every wait the commands make, in order.
extern std::vector<Uint32> recordedDelays;

class EditorTest : public ::testing::Test {
protected:
    std::unique_ptr<TempDir> world;
    std::unique_ptr<ChangeDir> inWorld;
    MapEditor* editor = nullptr;

    void SetUp() override;
    void TearDown() override;

    // The screen pixel as (r, g, b), 16-bit colour expanded by SDL_GetRGB.
    SDL_Color pixel(int x, int y) const;
    SDL_Color pixelOf(SDL_Surface* surface, int x, int y) const;
    Uint32 rawPixel(SDL_Surface* surface, int x, int y) const;
    // Presses: a mouse button event queued for the next getInput.
    void pushClick(int button, int x, int y);
    void pushKey(SDLKey key, Uint16 unicode = 0);
    void pushQuit();
    // Holds exactly these keys in SDL's key state table (all others released).
    void holdKeys(std::initializer_list<SDLKey> keys);
};

// (r, g, b) as SDL maps it on a 16-bit display, for comparing with pixel().
SDL_Color displayColour(SDL_Surface* screen, Uint8 r, Uint8 g, Uint8 b);
bool operator==(const SDL_Color& a, const SDL_Color& b);
std::ostream& operator<<(std::ostream& out, const SDL_Color& c);
