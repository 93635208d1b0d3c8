#include "render/scaled_art.h"

#include "render/world_picture.h"

// The shrunk image as a display surface: a plain copy when opaque, else with its alpha channel
// run-length encoded, as the art itself is loaded. Null when SDL cannot make it.
static SDL_Surface* displaySurface(const ScaledImage& scaled) {
    if (scaled.rgba.empty()) return nullptr;
#if SDL_BYTEORDER == SDL_LIL_ENDIAN
    const Uint32 r = 0x000000ff, g = 0x0000ff00, b = 0x00ff0000, a = 0xff000000;
#else
    const Uint32 r = 0xff000000, g = 0x00ff0000, b = 0x0000ff00, a = 0x000000ff;
#endif
    SurfacePtr rgba(SDL_CreateRGBSurfaceFrom(const_cast<uint8_t*>(scaled.rgba.data()), scaled.width, scaled.height, 32, scaled.width * 4, r,
                                             g, b, scaled.opaque ? 0 : a));
    if (!rgba) return nullptr;
    if (scaled.opaque) return SDL_DisplayFormat(rgba.get());
    SDL_Surface* converted = SDL_DisplayFormatAlpha(rgba.get());
    if (converted) SDL_SetAlpha(converted, SDL_SRCALPHA | SDL_RLEACCEL, SDL_ALPHA_OPAQUE);
    return converted;
}

SDL_Surface* ScaledArt::shrink(SDL_Surface* image) {
    if (!image) return nullptr;
    auto found = rgba.find(image);
    if (found == rgba.end()) found = rgba.emplace(image, rgbaOf(image)).first;
    return displaySurface(scaleRgba(found->second, image->w, image->h, cellPixels));
}

void ScaledArt::prepare(const ArtAssets& art, int pixels) {
    if (source == &art && cellPixels == pixels) return;
    if (source != &art) rgba.clear();
    source = &art;
    cellPixels = pixels;
    tiles.clear();
    objects.clear();
    if (pixels == TILE_SIZE) return;
    for (SDL_Surface* tile : art.tileImages) tiles.emplace_back(shrink(tile));
    // What objects are drawn with: frame 0 of each sprite, the item pictures, two icons (the
    // missing-image icon also stands in for tiles).
    std::vector<SDL_Surface*> drawn(art.itemImages);
    for (const auto& set : art.spriteImages)
        for (const auto& direction : set) drawn.push_back(direction[0]);
    drawn.push_back(art.iconImages[ICON_OWNED]);
    drawn.push_back(art.iconImages[ICON_MISSING]);
    for (SDL_Surface* image : drawn)
        if (image) objects[image].reset(shrink(image));
}

SDL_Surface* ScaledArt::tileImage(int tile) const {
    if (tile < 0 || static_cast<size_t>(tile) >= tiles.size()) return of(source->iconImages[ICON_MISSING]);
    return tiles[static_cast<size_t>(tile)].get();
}

SDL_Surface* ScaledArt::of(SDL_Surface* original) const {
    auto found = objects.find(original);
    return found == objects.end() ? original : found->second.get();
}
