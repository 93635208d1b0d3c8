#pragma once
// Every image the editor draws, loaded once at start-up and converted to the display format.
#include <SDL.h>

#include <string>
#include <vector>

#include "world/messages.h"
#include "world/world_paths.h"

constexpr int ICON_MARKER = 0;   // over the current tile in the palette
constexpr int ICON_MISSING = 10; // stands in for an image that does not exist
constexpr int ICON_OWNED = 18;   // under the picture of an owned item

class ArtAssets {
public:
    SDL_Surface* spriteImages[SPRITE_SETS][SPRITE_DIRECTIONS][SPRITE_FRAMES];
    std::vector<SDL_Surface*> itemImages;
    SDL_Surface* iconImages[ICON_COUNT];
    std::vector<SDL_Surface*> tileImages;

    ArtAssets();
    ~ArtAssets();  // frees whatever is still loaded
    ArtAssets(const ArtAssets&) = delete;
    ArtAssets& operator=(const ArtAssets&) = delete;
    // Loads everything under data/assets, saying where the numbered lists end and "Assets
    // loaded.". A missing sprite or icon stops it: false, having said which, with its path in
    // `missing` when given (what it loaded so far stays loaded). Call after the video mode is set.
    bool loadAssets(Messages& said, std::string* missing = nullptr);
    // Frees every image and says how many.
    void unloadAssets(Messages& said);
    // The tile's image, or the missing-image icon for a number without one.
    SDL_Surface* tileImage(int tile) const;

private:
    int release();
};

// What the editor draws for a placed object. An NPC: frame 0 of its sprite set and
// direction, or the missing-image icon outside 0..8 and 0..3. An item: nothing once
// removed (type 5, false); the missing-image icon for an icon with no picture; otherwise
// its picture, over the owner badge when it has an owner (badge null when not).
SDL_Surface* npcImage(const ArtAssets& art, int sprite, int direction);
bool itemImages(const ArtAssets& art, int type, int icon, int owner, SDL_Surface*& picture, SDL_Surface*& badge);

// Loads one picture and converts it to the display format; null when the file is missing, is
// no PNG picture of at most 1024x1024 pixels (saying so), or cannot be decoded or converted.
// Opaque images are converted without an alpha channel.
SDL_Surface* loadDisplayImage(const std::string& path, Messages& said);
// "" when the editor can load the picture, else why not (the checker's test; needs no display).
std::string pictureProblem(const std::string& path);
