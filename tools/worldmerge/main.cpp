// worldmerge: merges two worlds that both started from a third (directories, or revisions in
// git), writes the merged world with the editor's safe writing, and prints each conflict as
// path:line: message and a summary. Exit status 0 merged cleanly, 1 with conflicts, 2 not merged.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "git_world.h"
#include "world/world_merge.h"
#include "world/world_paths.h"

namespace {
constexpr int CLEAN = 0, CONFLICTS = 1, TROUBLE = 2;

void printHelp() {
    printf(
        "Usage: worldmerge [OPTIONS] BASE OURS THEIRS --into OUT\n"
        "  or:  worldmerge --git REV [-C DIR]\n"
        "\n"
        "Merges two worlds, OURS and THEIRS, that both started from BASE (directories holding\n"
        "data/, as worlddiff takes them), and writes the merged world to OUT: OURS itself, or a\n"
        "new directory, which then gets OURS's art and font too. The files are written as the\n"
        "editor saves them: safely, and replacing or deleting only files the merge read.\n"
        "\n"
        "The map merges cell by cell: a cell changed on one side takes that side's tile, changed\n"
        "on both sides to one tile that tile, to different tiles it is a conflict. NPCs and items\n"
        "are matched against BASE as sequences, as worlddiff matches them: records added on\n"
        "either side are all kept (OURS's first at each place), a record removed on one side and\n"
        "left alone on the other is removed, one changed on one side takes the change, and one\n"
        "changed on both sides merges field by field. The same field changed on both sides to\n"
        "different values is a conflict, and so is a record removed on one side (an item turned\n"
        "to type 5 too) and changed on the other.\n"
        "\n"
        "A conflict keeps OURS's value, record or removal, and is printed as a line, with files\n"
        "numbered as in the merged world; no conflict marker is ever written into a file:\n"
        "  data/map.dat:31: x=30: conflict: ours 21, theirs 25, base 2\n"
        "  data/npcdef/4.def:16: conflict: name ours \"Bob\", theirs \"Rob\", base \"Bo\"\n"
        "  data/npcdef/6.def: conflict: removed by ours, changed by theirs\n"
        "The last line sums up what the merge changed in OURS, with one conflict per cell, field\n"
        "or record:\n"
        "  merged: 40 cells, 2 NPCs added, 1 item changed; 1 conflict\n"
        "\n"
        "Options:\n"
        "  --into OUT   where the merged world goes: OURS, or a new (or empty) directory\n"
        "  --git REV    in a world inside a git work tree: merge REV into the work tree's world,\n"
        "               with BASE the merge base of HEAD and REV, and OURS HEAD. Refused when\n"
        "               the world's files have changes not committed, except during a git\n"
        "               merge of REV (git merge --no-commit REV, then worldmerge --git\n"
        "               MERGE_HEAD, then git add and commit)\n"
        "  -C DIR       the world directory for --git (default: the current directory)\n"
        "\n"
        "Exit status: 0 merged cleanly, 1 merged with conflicts, 2 could not merge (nothing\n"
        "written; the reason is on standard error).\n");
}

int fail(const std::string& why) {
    fprintf(stderr, "worldmerge: %s\n", why.c_str());
    return TROUBLE;
}

bool sameDirectory(const std::string& a, const std::string& b) {
    struct stat x, y;
    return stat(a.c_str(), &x) == 0 && stat(b.c_str(), &y) == 0 && x.st_dev == y.st_dev && x.st_ino == y.st_ino;
}

// A new world gets OURS's art and font: directories, files and links as they are; pipes,
// devices and sockets are no art and are left out.
std::string copyArt(const std::string& ours, const std::string& out) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const std::string assets = std::string("/") + DATA_DIR + "/assets";
    fs::create_directories(out + "/" + DATA_DIR, ec);
    auto copyOne = [&](const fs::path& from, const fs::path& to, fs::file_status status) {
        if (fs::is_directory(status)) fs::create_directory(to, ec);
        else if (fs::is_symlink(status)) fs::copy_symlink(from, to, ec);
        else if (fs::is_regular_file(status)) fs::copy_file(from, to, ec);
    };
    if (!ec) copyOne(ours + assets, out + assets, fs::symlink_status(ours + assets, ec));
    if (fs::is_directory(fs::symlink_status(ours + assets)))
        for (auto it = fs::recursive_directory_iterator(ours + assets, ec); !ec && it != fs::recursive_directory_iterator();
             it.increment(ec)) {
            copyOne(it->path(), fs::path(out + assets) / fs::relative(it->path(), ours + assets), it->symlink_status());
            if (ec) break;
        }
    if (!ec) copyOne(ours + "/" + FONT_FILE, out + "/" + FONT_FILE, fs::symlink_status(ours + "/" + FONT_FILE, ec));
    if (ec == std::errc::no_such_file_or_directory) ec.clear();  // a world without art or font
    return ec ? "cannot copy the art of " + ours + " into " + out + ": " + ec.message() : "";
}

// OUT is OURS (whose files 0..n-1 the merge read), or a new or empty directory.
std::string prepareOut(const std::string& ours, const std::string& out, const World& oursWorld, int& ownedNpcs,
                       int& ownedItems) {
    if (sameDirectory(ours, out)) {
        ownedNpcs = static_cast<int>(oursWorld.npcs.size());
        ownedItems = static_cast<int>(oursWorld.items.size());
        return "";
    }
    ownedNpcs = ownedItems = 0;
    std::error_code ec;
    if (mkdir(out.c_str(), 0777) != 0) {
        if (errno != EEXIST) return "cannot create " + out + ": " + strerror(errno);
        if (!std::filesystem::is_directory(out, ec) || !std::filesystem::is_empty(out, ec))
            return out + " is neither OURS nor a new directory";
    }
    return copyArt(ours, out);
}

int finish(const WorldMerge& merge, const World& ours, const World& merged, bool written, const Messages& said) {
    std::string err = said.errText(), out = merge.text(ours, merged);
    fwrite(err.data(), 1, err.size(), stderr);
    if (!written) return fail("the merged world could not be written (see above)");
    fwrite(out.data(), 1, out.size(), stdout);
    return merge.conflicts.empty() ? CLEAN : CONFLICTS;
}

int mergeDirectories(const std::vector<std::string>& paths, const std::string& into) {
    auto base = std::make_unique<World>(), ours = std::make_unique<World>(), theirs = std::make_unique<World>();
    auto merged = std::make_unique<World>();
    std::string why = readWorldDirectory(paths[0], *base);
    if (why.empty()) why = readWorldDirectory(paths[1], *ours);
    if (why.empty()) why = readWorldDirectory(paths[2], *theirs);
    if (!why.empty()) return fail(why);
    WorldMerge merge = mergeWorlds(*base, *ours, *theirs, *merged);
    int ownedNpcs = 0, ownedItems = 0;
    why = prepareOut(paths[1], into, *ours, ownedNpcs, ownedItems);
    if (!why.empty()) return fail(why);
    Messages said;
    bool written = saveMergedWorld(into, *merged, ownedNpcs, ownedItems, said);
    return finish(merge, *ours, *merged, written, said);
}

int mergeRevision(const std::string& dir, const std::string& rev) {
    GitWorld repo;
    std::string why = openGitWorld(dir, repo), head, theirs, mergeHead;
    if (why.empty()) why = resolveCommit(repo, "HEAD", head);
    if (why.empty()) why = resolveCommit(repo, rev, theirs);
    if (!why.empty()) return fail(why);
    CommandResult base = repo.git({"merge-base", head, theirs});
    if (base.status != 0 || base.out.size() < 2) return fail("HEAD and " + rev + " have no common ancestor");
    base.out.pop_back();
    // A merge of REV that git stopped on is what this is made for: its changes are allowed.
    const bool merging = resolveCommit(repo, "MERGE_HEAD", mergeHead).empty() && mergeHead == theirs;
    std::string changed;
    why = findUncommittedWorldFile(repo, merging, changed);
    if (!why.empty()) return fail(why);
    if (!changed.empty())
        return fail(changed + " has changes not committed" +
                    (merging ? " beside the merge's" : ": commit or stash them first"));
    auto baseWorld = std::make_unique<World>(), ours = std::make_unique<World>(), theirsWorld = std::make_unique<World>();
    auto merged = std::make_unique<World>();
    why = readWorldAtCommit(repo, base.out, "merge base", *baseWorld);
    if (why.empty()) why = readWorldAtCommit(repo, head, "HEAD", *ours);
    if (why.empty()) why = readWorldAtCommit(repo, theirs, rev, *theirsWorld);
    if (!why.empty()) return fail(why);
    WorldMerge merge = mergeWorlds(*baseWorld, *ours, *theirsWorld, *merged);
    // The work tree holds HEAD's files, and during the merge also those git took from REV.
    int ownedNpcs = static_cast<int>(ours->npcs.size()), ownedItems = static_cast<int>(ours->items.size());
    if (merging) {
        ownedNpcs = std::max(ownedNpcs, static_cast<int>(theirsWorld->npcs.size()));
        ownedItems = std::max(ownedItems, static_cast<int>(theirsWorld->items.size()));
    }
    Messages said;
    bool written = saveMergedWorld(dir, *merged, ownedNpcs, ownedItems, said);
    return finish(merge, *ours, *merged, written, said);
}
}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> paths;
    std::string into, rev, dir = ".";
    bool git = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            printHelp();
            return CLEAN;
        }
        if (arg == "--into" || arg == "--git" || arg == "-C") {
            if (i + 1 >= argc) return fail(arg + " needs a value (see worldmerge --help)");
            (arg == "--into" ? into : arg == "--git" ? rev : dir) = argv[++i];
            git = git || arg == "--git";
            continue;
        }
        if (arg.size() > 1 && arg[0] == '-') return fail("unknown option " + arg + " (see worldmerge --help)");
        paths.push_back(arg);
    }
    if (!git && dir != ".") return fail("-C goes with --git (see worldmerge --help)");
    if (git) {
        if (!paths.empty() || !into.empty()) return fail("--git takes no worlds and no --into (see worldmerge --help)");
        return mergeRevision(dir, rev);
    }
    if (paths.size() != 3 || into.empty())
        return fail("give three worlds, BASE OURS THEIRS, and --into OUT (see worldmerge --help)");
    return mergeDirectories(paths, into);
}
