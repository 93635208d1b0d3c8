// worldcheck: reads a world without changing it and reports, as path:line: message, what
// the editor and the game would silently misread. Exit status 0 clean, 1 problems found,
// 2 could not run.
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "world/defline.h"
#include "world/map.h"
#include "world_check.h"

namespace {
constexpr int CLEAN = 0, PROBLEMS = 1, CANNOT_RUN = 2;

void printHelp() {
    printf(
        "Usage: worldcheck [DIRECTORY]\n"
        "\n"
        "Checks the world in DIRECTORY (by default the current directory): the directory the\n"
        "editor runs in, holding data/ and edfont.ttf. Nothing is changed. Prints one line per\n"
        "problem as path:line: message, with paths relative to DIRECTORY (the line is left out\n"
        "where it makes no sense), sorted by path and line, then a summary line such as\n"
        "\"3 problems in 2 files\", or \"0 problems\".\n"
        "\n"
        "It finds what the editor and the game would silently misread:\n"
        "  data/map.dat       missing; not %d lines; a line not %d characters long (CR LF\n"
        "                     line ends are fine); characters that read as negative tiles;\n"
        "                     tiles with no image in data/assets/tiles\n"
        "  data/npcdef/N.def  not 20 lines; a number line that is not a plain integer; a line\n"
        "                     over %d characters; a sprite outside 0..8 or a direction\n"
        "                     outside 0..3\n"
        "  data/idef/N.def    not 12 lines (11 is fine when the type is not 8); the same number\n"
        "                     and line length checks; an icon with no picture in\n"
        "                     data/assets/items; a negative owner\n"
        "  numbering          files after a gap in the numbering, or in a directory without\n"
        "                     0.def, and names with leading zeros: the editor never loads them\n"
        "                     (the same for tile images and item pictures)\n"
        "  start-up files     the sprites, icons and edfont.ttf the editor cannot start without\n"
        "  anything else      a pipe, device or directory where a file should be, a file over\n"
        "                     1 MiB, a definition directory that is not one or that this user\n"
        "                     cannot read or write\n"
        "\n"
        "Exit status: 0 when the world is clean, 1 when problems were found, 2 when the check\n"
        "could not run (no such directory, no data directory in it, or a map file this user\n"
        "may not read).\n",
        MAP_SIZE, MAP_SIZE, MAX_LINE_CHARS);
}

bool isDirectory(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}
}  // namespace

int main(int argc, char** argv) {
    std::string root;
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--help") == 0 || strcmp(argv[i], "-h") == 0) {
            printHelp();
            return CLEAN;
        }
        if (argv[i][0] == '-') {
            fprintf(stderr, "worldcheck: unknown option %s (see worldcheck --help)\n", argv[i]);
            return CANNOT_RUN;
        }
        if (!root.empty()) {
            fprintf(stderr, "worldcheck: give one world directory at most (see worldcheck --help)\n");
            return CANNOT_RUN;
        }
        root = argv[i];
    }
    if (root.empty()) root = ".";
    if (!isDirectory(root)) {
        fprintf(stderr, "worldcheck: no such directory: %s\n", root.c_str());
        return CANNOT_RUN;
    }
    CheckedWorld world;
    world.root = root;
    // Without a data directory this is not a world at all; listing every file of one as
    // missing would bury that under a hundred lines.
    if (!isDirectory(world.pathOf(dataPath("")))) {
        fprintf(stderr, "worldcheck: %s has no data directory; run worldcheck in a world's directory or give one\n",
                root.c_str());
        return CANNOT_RUN;
    }
    Report report;
    checkArt(world, report);
    std::string mapError = checkMap(world, report);
    if (!mapError.empty()) {
        fprintf(stderr, "worldcheck: cannot read %s: %s\n", world.pathOf(mapFilePath(DATA_DIR)).c_str(), mapError.c_str());
        return CANNOT_RUN;
    }
    checkDefinitions(world, report);
    report.print(stdout);
    return report.problems.empty() ? CLEAN : PROBLEMS;
}
