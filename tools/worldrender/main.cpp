// worldrender: writes a world as one PNG picture, every cell with its tile image and every
// NPC and item as the editor draws them. Exit status 0 written, 2 not.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "picture_file.h"

namespace {
constexpr int WRITTEN = 0, FAILED = 2;

void printHelp() {
    printf(
        "Usage: worldrender [OPTIONS] [WORLD] OUT.png\n"
        "\n"
        "Writes the world in WORLD (by default the current directory: the directory the editor\n"
        "runs in, holding data/) as one PNG picture: every map cell drawn with its tile image,\n"
        "and every NPC and item the editor would draw, with the editor's images and fallbacks\n"
        "(removed items are not drawn; an unknown sprite or icon shows the missing-image icon;\n"
        "owned items stand on the owner badge). Objects at the picture's edges are clipped.\n"
        "No display is needed.\n"
        "\n"
        "Options (before or after the paths):\n"
        "  --scale N          pixels per cell, %d to %d (default %d: 2800x2800 for the whole map)\n"
        "  --region X,Y,W,H   only the block of W by H cells whose top-left cell is X,Y\n"
        "\n"
        "Exit status: 0 when the picture was written, 2 when not (the reason is on standard error).\n",
        MIN_PICTURE_SCALE, MAX_PICTURE_SCALE, DEFAULT_PICTURE_SCALE);
}

int fail(const std::string& why) {
    fprintf(stderr, "worldrender: %s\n", why.c_str());
    return FAILED;
}
}  // namespace

int main(int argc, char** argv) {
    PictureOptions options;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (strcmp(arg, "--help") == 0 || strcmp(arg, "-h") == 0) {
            printHelp();
            return WRITTEN;
        }
        std::string why;
        int taken = takePictureOption("worldrender", argc, argv, i, options, why);
        if (taken < 0) return fail(why);
        if (taken > 0) continue;
        if (arg[0] == '-' && arg[1] != 0) return fail(std::string("unknown option ") + arg + " (see worldrender --help)");
        paths.push_back(arg);
    }
    if (paths.empty() || paths.size() > 2) return fail("give [WORLD] OUT.png (see worldrender --help)");
    std::string root = paths.size() == 2 ? paths[0] : ".";
    auto world = std::make_unique<World>();
    std::string why = checkPictureOutput(paths.back());
    if (why.empty()) why = readWorldDirectory(root, *world);
    if (why.empty()) why = writeWorldPicture(root, *world, options.scale, options.block, nullptr, paths.back());
    return why.empty() ? WRITTEN : fail(why);
}
