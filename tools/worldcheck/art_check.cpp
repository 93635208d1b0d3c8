// The art the editor loads at start-up: sprites and icons it cannot start without, and the
// tile images and item pictures it counts from 0 up to the first missing number.
#include <sys/stat.h>
#include <unistd.h>

#include "numbered_files.h"
#include "render/art_assets.h"
#include "world/numbered.h"
#include "world/world_paths.h"
#include "world_check.h"

namespace {
const char* const NEEDED = " (the editor will not start without it)";
// An image counts as the editor counts it: only one that its image loader takes and decodes
// (`problem` says why not).
enum class FileState { Usable, Missing, Unreadable, NotAPicture };

FileState stateOf(const std::string& path, bool picture, std::string& problem) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) return FileState::Missing;
    if (!S_ISREG(info.st_mode) || access(path.c_str(), R_OK) != 0) return FileState::Unreadable;
    if (picture) problem = pictureProblem(path);
    return problem.empty() ? FileState::Usable : FileState::NotAPicture;
}

void requireFile(const CheckedWorld& world, Report& report, const std::string& shown, bool picture = true) {
    std::string problem;
    FileState state = stateOf(world.pathOf(shown), picture, problem);
    if (state == FileState::Missing) report.add(shown, std::string("missing") + NEEDED);
    if (state == FileState::Unreadable) report.add(shown, std::string("cannot be read") + NEEDED);
    if (state == FileState::NotAPicture) report.add(shown, problem + NEEDED);
}

std::string parentOf(const std::string& path) { return path.substr(0, path.rfind('/')); }

// Counts the images from 0 as the loader does, then reports the ones it would never reach.
int countImages(const CheckedWorld& world, Report& report, std::string (*pathFor)(int), const char* what) {
    std::string problem;
    const int count = countNumbered(pathFor, [&](const std::string& path) {
        problem.clear();
        return stateOf(world.pathOf(path), true, problem) == FileState::Usable;
    });
    std::string shownDir = parentOf(pathFor(0));
    const std::string suffix = ".png";
    reportUnreachable(report, shownDir, listNumberedFiles(world.pathOf(shownDir), suffix), count, suffix, what,
                      problem);
    return count;
}
}  // namespace

std::string dataPath(const std::string& relative) { return std::string(DATA_DIR) + "/" + relative; }

void checkArt(CheckedWorld& world, Report& report) {
    for (int set = 0; set < SPRITE_SETS; ++set)
        for (int direction = 0; direction < SPRITE_DIRECTIONS; ++direction)
            for (int frame = 0; frame < SPRITE_FRAMES; ++frame)
                requireFile(world, report, spritePath(set, direction, frame));
    for (int icon = 0; icon < ICON_COUNT; ++icon) requireFile(world, report, iconPath(icon));
    requireFile(world, report, FONT_FILE, false);
    world.tileImages = countImages(world, report, tileImagePath, "tile images");
    world.itemPictures = countImages(world, report, itemPicturePath, "item pictures");
}
