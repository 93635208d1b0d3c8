#pragma once
// An editor started in-process on SDL's dummy video driver, in a freshly generated world.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "driving.h"
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
