// Setting git up for worlds: attribute lines in the work tree's .gitattributes (committed, so
// the whole team's git knows which files are worlds) and driver entries in the repository's
// own config (each machine's, since they hold this machine's path to worldgit).
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "git_world.h"
#include "world/safe_file.h"
#include "worldgit.h"

namespace {
// Patterns that match worlds anywhere in the repository ("**/" matches the top too).
const char* const ATTRIBUTE_LINES[] = {
    "# maped worlds (worldgit install): maps and definition files diffed as cells and fields, maps merged cell by cell",
    "**/data/map.dat diff=maped-map merge=maped-map",
    "**/data/npcdef/*.def diff=maped-npc",
    "**/data/idef/*.def diff=maped-item",
};
const char* const SECTIONS[] = {"diff.maped-map", "diff.maped-npc", "diff.maped-item", "merge.maped-map"};

// git runs the drivers through the shell: the path goes in single quotes.
std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::vector<std::pair<std::string, std::string>> configEntries(const std::string& worldgit) {
    const std::string tool = shellQuoted(worldgit);
    std::vector<std::pair<std::string, std::string>> entries;
    for (const char* kind : {"map", "npc", "item"}) {
        const std::string section = std::string("diff.maped-") + kind;
        entries.emplace_back(section + ".command", tool + " diff " + kind);
        entries.emplace_back(section + ".textconv", tool + " textconv " + kind);
    }
    entries.emplace_back("merge.maped-map.name", "maped map, merged cell by cell");
    entries.emplace_back("merge.maped-map.driver", tool + " merge-map %O %A %B %P");
    return entries;
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; start < text.size(); start = end + 1) {
        end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

bool isOurs(const std::string& line) {
    for (const char* ours : ATTRIBUTE_LINES)
        if (line == ours) return true;
    return false;
}

int fail(const std::string& why) {
    fprintf(stderr, "worldgit: %s\n", why.c_str());
    return TROUBLE;
}

// The .gitattributes file with the attribute lines added (adding) or taken out; false (with a
// message said) when it could not be written.
bool rewriteAttributes(const std::string& top, bool adding, int& changed) {
    const std::string path = top + "/.gitattributes";
    std::string text;
    readWholeFile(path, text);
    std::vector<std::string> lines = splitLines(text);
    std::string kept;
    changed = 0;
    for (const std::string& line : lines) {
        if (!adding && isOurs(line)) {
            ++changed;
            continue;
        }
        kept += line + "\n";
    }
    if (adding)
        for (const char* line : ATTRIBUTE_LINES)
            if (std::find(lines.begin(), lines.end(), line) == lines.end()) kept += std::string(line) + "\n", ++changed;
    if (changed == 0) return true;
    Messages said;
    if (!adding && kept.find_first_not_of(" \t\n") == std::string::npos) {
        if (unlink(path.c_str()) == 0) return true;  // the file held only our lines
        fprintf(stderr, "worldgit: could not remove %s: %s\n", path.c_str(), strerror(errno));
        return false;
    }
    if (writeFileAtomically(path, kept, said)) return true;
    fputs(said.errText().c_str(), stderr);
    return false;
}
}  // namespace

int install(const std::string& dir) {
    GitWorld repo;
    std::string why = openGitWorld(dir, repo);
    if (!why.empty()) return fail(why);
    const std::string worldgit = ownPath();
    if (worldgit.empty()) return fail("cannot tell where worldgit itself is");
    int set = 0;
    for (const auto& [key, value] : configEntries(worldgit)) {
        CommandResult now = repo.git({"config", "--local", "--get", key});
        if (now.status == 0 && now.out == value + "\n") continue;
        CommandResult done = repo.git({"config", "--local", key, value});
        if (done.status != 0) return fail("git config " + key + ": " + done.err.substr(0, done.err.find('\n')));
        ++set;
    }
    int added = 0;
    if (!rewriteAttributes(repo.top, true, added)) return TROUBLE;
    if (added > 0) printf(".gitattributes: %d lines added; commit it so that everyone's git knows the worlds\n", added);
    if (set > 0) printf("git config: %d driver entries set, naming %s\n", set, worldgit.c_str());
    if (added == 0 && set == 0) printf("already installed: nothing changed\n");
    return DONE;
}

int uninstall(const std::string& dir) {
    GitWorld repo;
    std::string why = openGitWorld(dir, repo);
    if (!why.empty()) return fail(why);
    int removed = 0;
    for (const char* section : SECTIONS) {
        CommandResult there = repo.git({"config", "--local", "--get-regexp", std::string("^") + section + "\\."});
        if (there.status != 0 || there.out.empty()) continue;
        CommandResult done = repo.git({"config", "--local", "--remove-section", section});
        if (done.status != 0) return fail(std::string("git config --remove-section ") + section + " failed");
        ++removed;
    }
    int taken = 0;
    if (!rewriteAttributes(repo.top, false, taken)) return TROUBLE;
    if (taken > 0) printf(".gitattributes: %d lines removed; commit the change\n", taken);
    if (removed > 0) printf("git config: %d driver sections removed\n", removed);
    if (taken == 0 && removed == 0) printf("not installed: nothing changed\n");
    return DONE;
}
