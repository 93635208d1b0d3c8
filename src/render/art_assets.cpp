#include "render/art_assets.h"

#include <SDL_image.h>

#include "render/surface.h"
#include "world/item.h"
#include "world/numbered.h"
#include "world/picture_header.h"
#include "world/safe_file.h"

ArtAssets::ArtAssets() {
    for (auto& set : spriteImages)
        for (auto& direction : set)
            for (SDL_Surface*& image : direction) image = nullptr;
    for (SDL_Surface*& icon : iconImages) icon = nullptr;
}

static bool hasTransparentPixel(SDL_Surface* image) {
    if (image->flags & SDL_SRCCOLORKEY) return true;
    SDL_PixelFormat* format = image->format;
    if (format->Amask == 0) return false;
    if (SDL_MUSTLOCK(image)) SDL_LockSurface(image);
    bool found = false;
    for (int y = 0; y < image->h && !found; ++y) {
        const Uint8* row = static_cast<const Uint8*>(image->pixels) + y * image->pitch;
        for (int x = 0; x < image->w && !found; ++x) {
            Uint32 pixel = 0;
            const Uint8* p = row + x * format->BytesPerPixel;
            switch (format->BytesPerPixel) {
            case 2: pixel = *reinterpret_cast<const Uint16*>(p); break;
            case 4: pixel = *reinterpret_cast<const Uint32*>(p); break;
            default: pixel = p[0] | (p[1] << 8) | (p[2] << 16); break;
            }
            found = (pixel & format->Amask) != format->Amask;
        }
    }
    if (SDL_MUSTLOCK(image)) SDL_UnlockSurface(image);
    return found;
}

// Reads and decodes a picture as the editor loads every one: only a regular file, never with a
// blocking open (a pipe would hang the loader, a device could feed it without end), read once
// into memory, and decoded only when its PNG header gives a size the editor takes. Null when it
// cannot be used; `refused` says why when the header refused it.
static SDL_Surface* decode(const std::string& path, std::string& refused) {
    std::string bytes, reason;
    if (readFileUpTo(path, PICTURE_FILE_LIMIT + 1, bytes, reason) != ReadStatus::Read) return nullptr;
    const PictureHeader header = readPictureHeader(bytes);
    if (header.check != PictureCheck::Fine) {
        refused = refusedPictureReason(header);
        return nullptr;
    }
    SDL_RWops* memory = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (!memory) return nullptr;
    SDL_Surface* image = IMG_LoadPNG_RW(memory);
    SDL_RWclose(memory);
    return image;
}

std::string pictureProblem(const std::string& path) {
    std::string refused;
    SurfacePtr image(decode(path, refused));
    if (image) return "";
    return refused.empty() ? "not a picture the editor can load" : refused;
}

SDL_Surface* loadDisplayImage(const std::string& path, Messages& said) {
    std::string refused;
    SDL_Surface* loaded = decode(path, refused);
    if (!refused.empty()) said.err("***WARNING*** " + path + " is " + refused + ": treated as missing\n");
    if (!loaded) return nullptr;
    // An image without a single transparent pixel blits as a plain copy; one with
    // transparency keeps its alpha channel, run-length encoded so that the clear
    // parts cost nothing to draw. Either way the pixels on screen are the same.
    SDL_Surface* converted = nullptr;
    if (hasTransparentPixel(loaded)) {
        converted = SDL_DisplayFormatAlpha(loaded);
        if (converted) SDL_SetAlpha(converted, SDL_SRCALPHA | SDL_RLEACCEL, SDL_ALPHA_OPAQUE);
    } else {
        converted = SDL_DisplayFormat(loaded);
    }
    SDL_FreeSurface(loaded);
    return converted;  // an image that cannot be converted counts as missing
}

// Images numbered from 0 up to the first that does not load, whose path the message names
// between its two parts.
static void loadNumbered(std::vector<SDL_Surface*>& list, std::string (*pathFor)(int), const char* before,
                         const char* after, Messages& said) {
    int count = countNumbered(pathFor, [&](const std::string& path) {
        SDL_Surface* image = loadDisplayImage(path, said);
        if (image) list.push_back(image);
        return image != nullptr;
    });
    said.err(before + pathFor(count) + after);
}

// The editor cannot start without it: says so and gives its path.
static bool needed(const std::string& path, const std::string& message, std::string* missing, Messages& said) {
    said.err(message);
    if (missing) *missing = path;
    return false;
}

bool ArtAssets::loadAssets(Messages& said, std::string* missing) {
    for (int set = 0; set < SPRITE_SETS; ++set)
        for (int direction = 0; direction < SPRITE_DIRECTIONS; ++direction)
            for (int frame = 0; frame < SPRITE_FRAMES; ++frame) {
                std::string path = spritePath(set, direction, frame);
                SDL_Surface* image = loadDisplayImage(path, said);
                if (!image) return needed(path, "***CRITICAL ERROR*** Sprite " + path + " not found...\n", missing, said);
                spriteImages[set][direction][frame] = image;
            }
    loadNumbered(itemImages, itemPicturePath, "Warning: ", " doesn't exist (can be ignored)\n", said);
    for (int n = 0; n < ICON_COUNT; ++n) {
        std::string path = iconPath(n);
        SDL_Surface* image = loadDisplayImage(path, said);
        if (!image) return needed(path, path + " doesn't exist\n", missing, said);
        iconImages[n] = image;
    }
    loadNumbered(tileImages, tileImagePath, "", " doesn't exist\n", said);
    said.out("Assets loaded.\n");
    return true;
}

// Frees every image still loaded (once), and counts them.
int ArtAssets::release() {
    int count = 0;
    auto free = [&count](SDL_Surface*& image) {
        if (!image) return;
        SDL_FreeSurface(image);
        image = nullptr;
        ++count;
    };
    for (auto& set : spriteImages)
        for (auto& direction : set)
            for (SDL_Surface*& image : direction) free(image);
    for (SDL_Surface*& image : tileImages) free(image);
    for (SDL_Surface*& icon : iconImages) free(icon);
    for (SDL_Surface*& image : itemImages) free(image);
    return count;
}

ArtAssets::~ArtAssets() { release(); }

void ArtAssets::unloadAssets(Messages& said) { said.out(std::to_string(release()) + " art assets unloaded\n"); }

SDL_Surface* ArtAssets::tileImage(int tile) const {
    // A tile number without a loaded image is drawn as the missing-image icon,
    // never read past the end of the list.
    if (tile < 0 || static_cast<size_t>(tile) >= tileImages.size()) return iconImages[ICON_MISSING];
    return tileImages[tile];
}

SDL_Surface* npcImage(const ArtAssets& art, int sprite, int direction) {
    if (sprite < 0 || sprite >= SPRITE_SETS || direction < 0 || direction >= SPRITE_DIRECTIONS)
        return art.iconImages[ICON_MISSING];
    return art.spriteImages[sprite][direction][0];
}

bool itemImages(const ArtAssets& art, int type, int icon, int owner, SDL_Surface*& picture, SDL_Surface*& badge) {
    picture = badge = nullptr;
    if (type == ITEM_TYPE_REMOVED) return false;
    if (static_cast<unsigned>(icon) >= art.itemImages.size()) {
        picture = art.iconImages[ICON_MISSING];
        return true;
    }
    if (owner != 0) badge = art.iconImages[ICON_OWNED];
    picture = art.itemImages[static_cast<size_t>(icon)];
    return true;
}
