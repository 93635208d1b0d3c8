#include "render/world_picture.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "render/objects.h"

void Picture::fill(int x, int y, int w, int h, Rgb c) {
    int x0 = x < 0 ? 0 : x, y0 = y < 0 ? 0 : y;
    int x1 = x + w > width ? width : x + w, y1 = y + h > height ? height : y + h;
    for (int py = y0; py < y1; ++py)
        for (int px = x0; px < x1; ++px) {
            uint8_t* p = &rgba[(static_cast<size_t>(py) * width + px) * 4];
            p[0] = c.r, p[1] = c.g, p[2] = c.b, p[3] = 255;
        }
}

void Picture::frame(int x, int y, int w, int h, int thickness, Rgb c) {
    if (2 * thickness >= w || 2 * thickness >= h) return fill(x, y, w, h, c);
    fill(x, y, w, thickness, c);
    fill(x, y + h - thickness, w, thickness, c);
    fill(x, y + thickness, thickness, h - 2 * thickness, c);
    fill(x + w - thickness, y + thickness, thickness, h - 2 * thickness, c);
}

namespace {
// One channel as SDL_GetRGBA widens it to 8 bits (the top bits repeated in the low ones).
inline uint8_t channel(Uint32 pixel, Uint32 mask, Uint8 shift, Uint8 loss) {
    const unsigned v = (pixel & mask) >> shift;
    return static_cast<uint8_t>((v << loss) + (v >> (8 - (loss << 1))));
}

// SDL_GetRGBA's arithmetic without a call per pixel, which was a third of shrinking the art for
// a zoom (checked against SDL for every 16-bit pixel and a sample of the display's 32-bit
// ones). Left to SDL: palettes, and channels of under 4 bits, whose widening shift would be
// negative.
bool widensInline(const SDL_PixelFormat* f) {
    return !f->palette && f->Rloss <= 4 && f->Gloss <= 4 && f->Bloss <= 4 && (!f->Amask || f->Aloss <= 4);
}
}  // namespace

std::vector<uint8_t> rgbaOf(SDL_Surface* image) {
    std::vector<uint8_t> out(static_cast<size_t>(image->w) * image->h * 4);
    SDL_LockSurface(image);
    const SDL_PixelFormat* format = image->format;
    const bool inline8 = widensInline(format);
    for (int y = 0; y < image->h; ++y) {
        const Uint8* row = static_cast<const Uint8*>(image->pixels) + y * image->pitch;
        for (int x = 0; x < image->w; ++x) {
            const Uint8* p = row + x * format->BytesPerPixel;
            Uint32 pixel = 0;
            switch (format->BytesPerPixel) {
            case 1: pixel = p[0]; break;
            case 2: pixel = *reinterpret_cast<const Uint16*>(p); break;
            case 4: pixel = *reinterpret_cast<const Uint32*>(p); break;
            default: pixel = p[0] | (p[1] << 8) | (p[2] << 16); break;
            }
            uint8_t* o = &out[(static_cast<size_t>(y) * image->w + x) * 4];
            if (inline8) {
                o[0] = channel(pixel, format->Rmask, format->Rshift, format->Rloss);
                o[1] = channel(pixel, format->Gmask, format->Gshift, format->Gloss);
                o[2] = channel(pixel, format->Bmask, format->Bshift, format->Bloss);
                o[3] = format->Amask ? channel(pixel, format->Amask, format->Ashift, format->Aloss) : SDL_ALPHA_OPAQUE;
            } else {
                SDL_GetRGBA(pixel, image->format, &o[0], &o[1], &o[2], &o[3]);
            }
            if ((image->flags & SDL_SRCCOLORKEY) && pixel == format->colorkey) o[3] = 0;
        }
    }
    SDL_UnlockSurface(image);
    return out;
}

ScaledImage scaleImage(SDL_Surface* image, int scale) {
    if (!image || image->w <= 0 || image->h <= 0) return ScaledImage();
    return scaleRgba(rgbaOf(image), image->w, image->h, scale);
}

ScaledImage scaleRgba(const std::vector<uint8_t>& source, int w, int h, int scale) {
    ScaledImage out;
    if (w <= 0 || h <= 0 || source.size() != static_cast<size_t>(w) * h * 4) return out;
    out.width = w * scale / ART_SIZE > 0 ? w * scale / ART_SIZE : 1;
    out.height = h * scale / ART_SIZE > 0 ? h * scale / ART_SIZE : 1;
    out.rgba.resize(static_cast<size_t>(out.width) * out.height * 4);
    for (int oy = 0; oy < out.height; ++oy) {
        int y0 = oy * h / out.height, y1 = ((oy + 1) * h + out.height - 1) / out.height;
        for (int ox = 0; ox < out.width; ++ox) {
            int x0 = ox * w / out.width, x1 = ((ox + 1) * w + out.width - 1) / out.width;
            unsigned long sumA = 0, sumR = 0, sumG = 0, sumB = 0, count = 0;
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x) {
                    const uint8_t* p = &source[(static_cast<size_t>(y) * w + x) * 4];
                    sumA += p[3], sumR += p[0] * p[3], sumG += p[1] * p[3], sumB += p[2] * p[3];
                    ++count;
                }
            uint8_t* o = &out.rgba[(static_cast<size_t>(oy) * out.width + ox) * 4];
            o[0] = static_cast<uint8_t>(sumA ? (sumR + sumA / 2) / sumA : 0);
            o[1] = static_cast<uint8_t>(sumA ? (sumG + sumA / 2) / sumA : 0);
            o[2] = static_cast<uint8_t>(sumA ? (sumB + sumA / 2) / sumA : 0);
            o[3] = static_cast<uint8_t>((sumA + count / 2) / count);
            if (o[3] != 255) out.opaque = false;
        }
    }
    return out;
}

const ScaledImage& WorldPainter::scaledOf(SDL_Surface* image) {
    auto found = scaled.find(image);
    if (found != scaled.end()) return found->second;
    return scaled.emplace(image, scaleImage(image, scale)).first->second;
}

void WorldPainter::paste(SDL_Surface* image, Picture& picture, int x, int y) {
    const ScaledImage& s = scaledOf(image);
    int x0 = x < 0 ? -x : 0, y0 = y < 0 ? -y : 0;
    int x1 = x + s.width > picture.width ? picture.width - x : s.width;
    int y1 = y + s.height > picture.height ? picture.height - y : s.height;
    if (x0 >= x1 || y0 >= y1) return;
    for (int sy = y0; sy < y1; ++sy) {
        const uint8_t* from = &s.rgba[(static_cast<size_t>(sy) * s.width + x0) * 4];
        uint8_t* to = &picture.rgba[(static_cast<size_t>(y + sy) * picture.width + x + x0) * 4];
        if (s.opaque) {
            memcpy(to, from, static_cast<size_t>(x1 - x0) * 4);
            continue;
        }
        for (int sx = x0; sx < x1; ++sx, from += 4, to += 4) {
            unsigned a = from[3];
            for (int k = 0; k < 3; ++k) to[k] = static_cast<uint8_t>((from[k] * a + to[k] * (255 - a) + 127) / 255);
        }
    }
}

// Truncated toward minus infinity, so that an object just left of the block still shows its
// right part; a point far off the picture (a file may hold any int) stays far off it.
static int toPicture(float world, int firstCell, int scale) {
    double at = std::floor((static_cast<double>(world) - firstCell * TILE_SIZE) * scale / TILE_SIZE);
    constexpr double FAR = 1e8;
    return static_cast<int>(at < -FAR ? -FAR : at > FAR ? FAR : at);
}
int WorldPainter::pictureX(float worldX) const { return toPicture(worldX, block.x, scale); }
int WorldPainter::pictureY(float worldY) const { return toPicture(worldY, block.y, scale); }

void WorldPainter::draw(const World& world, Picture& picture) {
    picture.width = block.w * scale;
    picture.height = block.h * scale;
    picture.rgba.assign(static_cast<size_t>(picture.width) * picture.height * 4, 0);
    for (int cy = 0; cy < block.h; ++cy)
        for (int cx = 0; cx < block.w; ++cx) {
            int tile = world.map.getTileAt(block.x + cx, block.y + cy);
            paste(art.tileImage(tile < 0 ? 0 : tile), picture, cx * scale, cy * scale);
        }
    // The view's rules for its edges (an NPC on the left edge is not drawn) are the
    // window's; a picture of the world shows every object that overlaps it.
    forEachObjectImage(world, art, [&](SDL_Surface* image, float x, float y, bool) {
        paste(image, picture, pictureX(x), pictureY(y));
    });
}

bool loadArtWithoutDisplay(ArtAssets& art, const std::string& shownRoot, std::string& error) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE) < 0 || !SDL_SetVideoMode(1, 1, 32, SDL_SWSURFACE)) {
        error = std::string("cannot start SDL without a display: ") + SDL_GetError();
        return false;
    }
    std::string missing;
    Messages unsaid;  // the tools do not repeat the editor's words about its art
    if (art.loadAssets(unsaid, &missing)) return true;
    error = "cannot load " + shownRoot + "/" + missing + " (the editor does not start without it)";
    return false;
}
