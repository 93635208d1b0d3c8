#pragma once
// The benchmark's world: the default world generated into a temporary directory, an editor
// started in it on the dummy video driver, and objects placed in its view.
#include <string>
#include <vector>

#include <SDL.h>

#include "world/actor.h"
#include "world/item.h"

class MapEditor;

// Generates the default world into a fresh directory under $TMPDIR (or /tmp) and returns its path
// (empty on failure).
std::string makeBenchWorld();
void removeBenchWorld(const std::string& root);

// Spreads NPCs and items over the view's 800x600 pixels: every sprite set and direction,
// every item picture, one item in three owned.
void placeObjectsInView(MapEditor& editor, int npcCount, int itemCount);

// Definition records for the save and load cases, each a little different.
std::vector<Actor> makeActors(int count);
std::vector<Item> makeItems(int count);

// Sends standard output and standard error to /dev/null for the life of the object: the
// editor reports its progress there, which would bury the figures.
class Quiet {
public:
    Quiet();
    ~Quiet();
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;

private:
    int savedOut, savedErr;
};

// FNV-1a over a surface's visible pixels: the same frame gives the same number.
unsigned long long pixelHash(SDL_Surface* surface);
