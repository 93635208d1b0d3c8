#include "scene.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "shell/map_editor.h"
#include "worldgen.h"

std::string makeBenchWorld() {
    // TMPDIR chooses the file system, for telling the disk's share from the editor's.
    const char* base = getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/maped-bench-XXXXXX";
    if (!mkdtemp(&pattern[0])) return "";
    std::string root = pattern;
    if (!generateWorld(root)) {
        removeBenchWorld(root);
        return "";
    }
    return root;
}

void removeBenchWorld(const std::string& root) {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

void placeObjectsInView(MapEditor& editor, int npcCount, int itemCount) {
    const float camX = static_cast<float>(TILE_SIZE * editor.scrollX);
    const float camY = static_cast<float>(TILE_SIZE * editor.scrollY);
    // A 20-column grid over the view; items sit half a step off the NPCs, partly over them.
    constexpr int COLUMNS = 20;
    for (int n = 0; n < npcCount; ++n) {
        Actor& actor = editor.npcs.emplace_back();
        actor.x = camX + 1.5f + static_cast<float>((n % COLUMNS) * 40);
        actor.y = camY + 1.5f + static_cast<float>((n / COLUMNS) * 60 % 600);
        actor.sprite = n % SPRITE_SETS;
        actor.direction = (n / SPRITE_SETS) % SPRITE_DIRECTIONS;
    }
    const int pictures = static_cast<int>(editor.art.itemImages.size());
    for (int n = 0; n < itemCount; ++n) {
        Item& item = editor.items.emplace_back();
        item.x = camX + 20.0f + static_cast<float>((n % COLUMNS) * 40);
        item.y = camY + 30.0f + static_cast<float>((n / COLUMNS) * 60 % 600);
        item.icon = pictures ? n % pictures : 0;
        item.owner = n % 3 == 0 ? 1 + n : 0;
    }
}

std::vector<Actor> makeActors(int count) {
    std::vector<Actor> actors(static_cast<size_t>(count));
    for (int n = 0; n < count; ++n) {
        Actor* actor = &actors[static_cast<size_t>(n)];
        actor->x = static_cast<float>((n * 37) % (MAP_SIZE * TILE_SIZE));
        actor->y = static_cast<float>((n * 91) % (MAP_SIZE * TILE_SIZE));
        actor->hp = actor->hpMax = 10 + n % 90;
        actor->strength = n % 20;
        actor->name = "Villager " + std::to_string(n);
        actor->firstConvo = "Good day to you, traveller";
        actor->sprite = n % SPRITE_SETS;
        actor->direction = n % SPRITE_DIRECTIONS;
    }
    return actors;
}

std::vector<Item> makeItems(int count) {
    std::vector<Item> items(static_cast<size_t>(count));
    for (int n = 0; n < count; ++n) {
        Item* item = &items[static_cast<size_t>(n)];
        item->x = static_cast<float>((n * 53) % (MAP_SIZE * TILE_SIZE));
        item->y = static_cast<float>((n * 29) % (MAP_SIZE * TILE_SIZE));
        item->price = n % 500;
        item->owner = n % 4;
        item->name = "Trinket " + std::to_string(n);
        item->shortName = "Trinket";
        item->icon = n % 10;
    }
    return items;
}

Quiet::Quiet() {
    fflush(stdout);
    fflush(stderr);
    savedOut = dup(1);
    savedErr = dup(2);
    int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    close(null);
}

Quiet::~Quiet() {
    fflush(stdout);
    fflush(stderr);
    dup2(savedOut, 1);
    dup2(savedErr, 2);
    close(savedOut);
    close(savedErr);
}

unsigned long long pixelHash(SDL_Surface* surface) {
    unsigned long long hash = 1469598103934665603ull;
    if (!surface) return 0;
    SDL_LockSurface(surface);
    const int rowBytes = surface->w * surface->format->BytesPerPixel;
    for (int y = 0; y < surface->h; ++y) {
        const unsigned char* row = static_cast<const unsigned char*>(surface->pixels) + y * surface->pitch;
        for (int i = 0; i < rowBytes; ++i) hash = (hash ^ row[i]) * 1099511628211ull;
    }
    SDL_UnlockSurface(surface);
    return hash;
}
