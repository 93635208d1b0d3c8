#include "picture_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "png_writer.h"
#include "world/safe_file.h"
#include "world/world_paths.h"

namespace {
// A number of digits only, within 0..INT_MAX.
bool parseCount(const char*& text, int& value) {
    if (*text < '0' || *text > '9') return false;
    long long v = 0;
    while (*text >= '0' && *text <= '9') {
        v = v * 10 + (*text++ - '0');
        if (v > INT_MAX) return false;
    }
    value = static_cast<int>(v);
    return true;
}

std::string absolute(const std::string& path) {
    if (!path.empty() && path[0] == '/') return path;
    char here[4096];
    if (!getcwd(here, sizeof here)) return path;
    return std::string(here) + "/" + path;
}
}  // namespace

static bool parseScale(const char* text, int& scale) {
    return parseCount(text, scale) && *text == 0 && scale >= MIN_PICTURE_SCALE && scale <= MAX_PICTURE_SCALE;
}

static bool parseBlock(const char* text, CellBlock& block) {
    CellBlock b;
    if (!parseCount(text, b.x) || *text++ != ',' || !parseCount(text, b.y) || *text++ != ',' ||
        !parseCount(text, b.w) || *text++ != ',' || !parseCount(text, b.h) || *text != 0)
        return false;
    if (b.w < 1 || b.h < 1 || b.x > MAP_SIZE - b.w || b.y > MAP_SIZE - b.h) return false;
    block = b;
    return true;
}

int takePictureOption(const char* tool, int argc, char** argv, int& i, PictureOptions& options, std::string& why) {
    const char* arg = argv[i];
    bool isScale = strcmp(arg, "--scale") == 0, isRegion = strcmp(arg, "--region") == 0;
    if (!isScale && !isRegion) return 0;
    if (i + 1 >= argc) {
        why = std::string(arg) + " needs a value (see " + tool + " --help)";
        return -1;
    }
    const char* value = argv[++i];
    if (isScale && !parseScale(value, options.scale)) {
        why = "--scale takes a whole number from " + std::to_string(MIN_PICTURE_SCALE) + " to " +
              std::to_string(MAX_PICTURE_SCALE) + ", not " + value;
        return -1;
    }
    if (isRegion && !parseBlock(value, options.block)) {
        why = std::string("--region takes X,Y,W,H within the ") + std::to_string(MAP_SIZE) + "x" +
              std::to_string(MAP_SIZE) + " map, not " + value;
        return -1;
    }
    return 1;
}

std::string checkPictureOutput(const std::string& out) {
    std::string inTheWay = outputInTheWay(out);
    return inTheWay.empty() ? "" : "cannot write " + out + ": " + inTheWay;
}

std::string writeWorldPicture(const std::string& root, const World& world, int scale, const CellBlock& block,
                              const Marker& mark, const std::string& out) {
    // The art paths are relative to the world, as the editor runs in it.
    std::string outPath = absolute(out);
    if (chdir(root.c_str()) != 0) return "cannot enter " + root + ": " + strerror(errno);
    std::string error;
    {
        ArtAssets art;  // freed before SDL goes
        if (loadArtWithoutDisplay(art, root, error)) {
            Picture picture;
            WorldPainter painter(art, scale, block);
            painter.draw(world, picture);
            if (mark) mark(painter, picture);
            std::string why = writePng(outPath, picture.width, picture.height, picture.rgba.data(), PngPacking::Fast);
            if (!why.empty()) error = "cannot write " + out + ": " + why;
        }
    }
    SDL_Quit();
    return error;
}
