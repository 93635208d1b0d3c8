// worlddiff: what differs between two worlds as the editor reads them, as path:line: message
// lines and a summary. Exit status as diff has it: 0 none, 1 differences, 2 could not compare.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "git_world.h"
#include "picture_file.h"
#include "world/world_diff.h"

namespace {
constexpr int SAME = 0, DIFFERENT = 1, TROUBLE = 2;

// The marks' colours, as the README lists them: none of them is a colour of the tile art.
constexpr Rgb CELL_MARK{255, 0, 255};     // magenta: a changed cell
constexpr Rgb ADDED_MARK{0, 255, 255};    // cyan: an added NPC or item
constexpr Rgb REMOVED_MARK{255, 0, 0};    // red: a removed one, where it stood
constexpr Rgb CHANGED_MARK{255, 255, 0};  // yellow: a changed one, where it stands now
constexpr int MIN_MARK = 8;                // pixels: the smallest frame around an object

void printHelp() {
    printf(
        "Usage: worlddiff [OPTIONS] OLD NEW\n"
        "  or:  worlddiff [OPTIONS] --git [REV [REV2]] [-C DIR]\n"
        "\n"
        "Compares two worlds (directories holding data/, as the editor runs in) as the editor\n"
        "reads them, and prints what differs as path:line: message lines, paths relative to the\n"
        "world, sorted by path and line, then a summary such as \"12 cells in 3 rows, 1 NPC added\"\n"
        "or \"no differences\":\n"
        "  data/map.dat:13: x=3..7: tile 0 -> 21      a run of changed cells in row 12\n"
        "  data/npcdef/4.def: added \"Guard\" at 500,300\n"
        "  data/idef/2.def: removed \"Cup\" at 50,50    (OLD's file number)\n"
        "  data/npcdef/1.def:16: name \"Bob\" -> \"Bobby\"  a changed field, by its line\n"
        "  data/idef/0.def: removed (type 5)           an item turned to type 5\n"
        "NPCs and items are matched as sequences, as diff matches lines: removing one NPC shows\n"
        "as one removal, not as every later file renumbered.\n"
        "\n"
        "Out of scope: the art (tiles, sprites, icons, item pictures), the font, and files the\n"
        "editor never reads (files after a gap in the numbering, names such as 07.def).\n"
        "\n"
        "With --git, in a world directory inside a git work tree (or DIR), the worlds are\n"
        "revisions read straight from git, never checked out: no revision compares HEAD with\n"
        "the work tree, one compares REV with the work tree, two compare REV with REV2. The\n"
        "picture takes its art from the work tree.\n"
        "\n"
        "Options (before or after the paths):\n"
        "  --git           compare revisions of the world in git (see above)\n"
        "  -C DIR          the world directory for --git (default: the current directory)\n"
        "  --png OUT.png   also write a picture of NEW, as worldrender draws it, with changed\n"
        "                  cells outlined in magenta and NPCs and items framed: added in cyan,\n"
        "                  removed (where they stood) in red, changed in yellow\n"
        "  --scale N       pixels per cell in that picture, %d to %d (default %d)\n"
        "  --region X,Y,W,H  only the block of W by H cells whose top-left cell is X,Y\n"
        "\n"
        "Exit status: 0 no differences, 1 differences, 2 could not compare (a missing or\n"
        "unreadable world, a bad option, a picture that could not be written, a revision git\n"
        "does not know, a directory outside a git work tree).\n",
        MIN_PICTURE_SCALE, MAX_PICTURE_SCALE, DEFAULT_PICTURE_SCALE);
}

int fail(const std::string& why) {
    fprintf(stderr, "worlddiff: %s\n", why.c_str());
    return TROUBLE;
}

void markChanges(const WorldDiff& diff, const WorldPainter& painter, Picture& picture) {
    const int scale = painter.scale;
    const int cellLine = scale / 8 > 0 ? scale / 8 : 1, objectLine = scale / 16 > 0 ? scale / 16 : 1;
    for (const CellRun& run : diff.cells)
        for (int x = run.firstX; x <= run.lastX; ++x)
            picture.frame((x - painter.block.x) * scale, (run.row - painter.block.y) * scale, scale, scale, cellLine,
                          CELL_MARK);
    for (const ObjectMark& mark : diff.marks) {
        Rgb colour = mark.change == RecordChange::Added     ? ADDED_MARK
                     : mark.change == RecordChange::Removed ? REMOVED_MARK
                                                            : CHANGED_MARK;
        // At small scales an object is a few pixels: its frame grows to stay visible.
        int size = scale < MIN_MARK ? MIN_MARK : scale, inset = (size - scale) / 2;
        picture.frame(painter.pictureX(mark.x) - inset, painter.pictureY(mark.y) - inset, size, size, objectLine, colour);
    }
}

// With --git: OLD is REV (default HEAD), NEW is REV2 or the work tree. Sets the directory whose
// art the picture uses.
std::string readRevisions(const std::string& dir, const std::vector<std::string>& revs, World& olds, World& news,
                          std::string& artRoot) {
    if (revs.size() > 2) return "--git takes at most two revisions (see worlddiff --help)";
    GitWorld repo;
    std::string why = openGitWorld(dir, repo), oldCommit, newCommit;
    const std::string oldRev = revs.empty() ? "HEAD" : revs[0];
    if (why.empty()) why = resolveCommit(repo, oldRev, oldCommit);
    if (why.empty() && revs.size() == 2) why = resolveCommit(repo, revs[1], newCommit);
    if (why.empty()) why = readWorldAtCommit(repo, oldCommit, oldRev, olds);
    if (!why.empty()) return why;
    artRoot = dir;
    return revs.size() == 2 ? readWorldAtCommit(repo, newCommit, revs[1], news) : readWorldDirectory(dir, news);
}
}  // namespace

int main(int argc, char** argv) {
    PictureOptions options;
    std::string png, dir;
    bool git = false;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (strcmp(arg, "--help") == 0 || strcmp(arg, "-h") == 0) {
            printHelp();
            return SAME;
        }
        if (strcmp(arg, "--git") == 0) {
            git = true;
            continue;
        }
        if (strcmp(arg, "-C") == 0) {
            if (i + 1 >= argc) return fail("-C needs a value (see worlddiff --help)");
            dir = argv[++i];
            continue;
        }
        if (strcmp(arg, "--png") == 0) {
            if (i + 1 >= argc) return fail("--png needs a value (see worlddiff --help)");
            png = argv[++i];
            continue;
        }
        std::string why;
        int taken = takePictureOption("worlddiff", argc, argv, i, options, why);
        if (taken < 0) return fail(why);
        if (taken > 0) continue;
        if (arg[0] == '-' && arg[1] != 0) return fail(std::string("unknown option ") + arg + " (see worlddiff --help)");
        paths.push_back(arg);
    }
    if (!git && !dir.empty()) return fail("-C goes with --git (see worlddiff --help)");
    if (!git && paths.size() != 2) return fail("give two worlds, OLD and NEW (see worlddiff --help)");
    auto olds = std::make_unique<World>(), news = std::make_unique<World>();
    std::string why = png.empty() ? "" : checkPictureOutput(png), artRoot = git ? "" : paths[1];
    if (why.empty() && git) why = readRevisions(dir.empty() ? "." : dir, paths, *olds, *news, artRoot);
    if (why.empty() && !git) why = readWorldDirectory(paths[0], *olds);
    if (why.empty() && !git) why = readWorldDirectory(paths[1], *news);
    if (!why.empty()) return fail(why);
    WorldDiff diff = diffWorlds(*olds, *news);
    std::string text = diff.text();
    fwrite(text.data(), 1, text.size(), stdout);
    fflush(stdout);
    if (!png.empty()) {
        why = writeWorldPicture(artRoot, *news, options.scale, options.block, [&](const WorldPainter& painter, Picture& picture) {
            markChanges(diff, painter, picture);
        }, png);
        if (!why.empty()) return fail(why);
    }
    return diff.empty() ? SAME : DIFFERENT;
}
