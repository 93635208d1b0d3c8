#include "git_world.h"

#include <sys/stat.h>

#include <algorithm>
#include <map>

#include "world/defline.h"
#include "world/map.h"
#include "world/world_paths.h"

namespace {
bool isDirectory(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// git's own message, first line only, for a failure the tool reports in one line.
std::string firstLine(const std::string& text) {
    std::string line = text.substr(0, text.find('\n'));
    return line.empty() ? "git failed" : line;
}

// A file of a revision's tree: a blob's bytes (no more than any reader takes), or not a file.
class TreeFile {
public:
    std::string mode;
    std::string object;
    bool blob = false;  // a regular file: links and submodules are not read from a revision
    std::string bytes;
};

// Fills in the blobs' bytes with one `git cat-file --batch` for all of them.
std::string readBlobs(const GitWorld& repo, std::map<std::string, TreeFile>& files) {
    std::string request;
    std::vector<TreeFile*> wanted;
    for (auto& [path, file] : files)
        if (file.blob) request += file.object + "\n", wanted.push_back(&file);
    if (wanted.empty()) return "";
    CommandResult batch = repo.git({"cat-file", "--batch"}, request);
    if (batch.status != 0) return firstLine(batch.err);
    size_t at = 0;
    for (TreeFile* file : wanted) {
        size_t end = batch.out.find('\n', at);
        if (end == std::string::npos) return "git cat-file gave too little";
        std::string header = batch.out.substr(at, end - at);
        size_t space = header.rfind(' ');
        if (header.find(" blob ") == std::string::npos || space == std::string::npos)
            return "git cat-file: " + header;
        size_t size = std::stoull(header.substr(space + 1));
        if (end + 1 + size > batch.out.size()) return "git cat-file gave too little";
        file->bytes = batch.out.substr(end + 1, std::min(size, MAP_FILE_LIMIT > DEF_FILE_LIMIT ? MAP_FILE_LIMIT : DEF_FILE_LIMIT));
        at = end + 1 + size + 1;
    }
    return "";
}
}  // namespace

CommandResult GitWorld::git(std::vector<std::string> args, const std::string& input) const {
    args.insert(args.begin(), {"git", "--literal-pathspecs"});
    return runCommand(args, top, input, GIT_TIMEOUT_MS);
}

std::vector<std::string> GitWorld::worldPaths() const {
    const std::string data = prefix + DATA_DIR;
    return {mapFilePath(data), data + "/npcdef", data + "/idef"};
}

std::string openGitWorld(const std::string& dir, GitWorld& repo) {
    if (!isDirectory(dir)) return "no such directory: " + dir;
    CommandResult where = runCommand({"git", "rev-parse", "--show-toplevel", "--show-prefix"}, dir, "", GIT_TIMEOUT_MS);
    size_t newline = where.out.find('\n');
    if (where.status != 0 || newline == std::string::npos) return dir + " is not inside a git work tree";
    repo.dir = dir;
    repo.top = where.out.substr(0, newline);
    repo.prefix = where.out.substr(newline + 1);
    if (!repo.prefix.empty() && repo.prefix.back() == '\n') repo.prefix.pop_back();
    return "";
}

std::string resolveCommit(const GitWorld& repo, const std::string& rev, std::string& commit) {
    // "--end-of-options" keeps a revision such as "--all" from being read as an option.
    CommandResult found = repo.git({"rev-parse", "--verify", "--quiet", "--end-of-options", rev + "^{commit}"});
    if (found.status != 0 || found.out.size() < 2) return "unknown revision " + rev;
    commit = found.out.substr(0, found.out.size() - 1);
    return "";
}

std::string readWorldAtCommit(const GitWorld& repo, const std::string& commit, const std::string& rev, World& world) {
    std::vector<std::string> args = {"ls-tree", "-r", "-z", "--full-tree", commit, "--"};
    for (const std::string& path : repo.worldPaths()) args.push_back(path);
    CommandResult tree = repo.git(args);
    if (tree.status != 0) return firstLine(tree.err);
    // Entries: "<mode> <type> <object>\t<path>\0".
    std::map<std::string, TreeFile> files;
    for (size_t at = 0, end; (end = tree.out.find('\0', at)) != std::string::npos; at = end + 1) {
        std::string entry = tree.out.substr(at, end - at);
        size_t tab = entry.find('\t'), space1 = entry.find(' '), space2 = entry.find(' ', space1 + 1);
        if (tab == std::string::npos || space2 == std::string::npos || space2 > tab) continue;
        TreeFile file;
        file.mode = entry.substr(0, space1);
        file.object = entry.substr(space2 + 1, tab - space2 - 1);
        file.blob = entry.compare(space1 + 1, space2 - space1 - 1, "blob") == 0 && file.mode.rfind("1006", 0) == 0;
        files[entry.substr(tab + 1)] = file;
    }
    std::string why = readBlobs(repo, files);
    if (!why.empty()) return why;
    FileReader reader = [&](const std::string& path, size_t limit, std::string& bytes, std::string& reason) {
        auto it = files.find(repo.prefix + (path.rfind("./", 0) == 0 ? path.substr(2) : path));
        if (it == files.end()) {
            reason = "No such file or directory";
            return ReadStatus::Missing;
        }
        if (!it->second.blob) {
            reason = it->second.mode == "120000" ? "a symbolic link, not a regular file" : "not a regular file";
            return ReadStatus::NotAFile;
        }
        bytes = it->second.bytes.substr(0, limit);
        return ReadStatus::Read;
    };
    why = readWorld(".", world, reader);
    if (!why.empty()) return "cannot read " + rev + ":" + mapFilePath(repo.prefix + DATA_DIR) + ": " + why;
    return "";
}

std::string findUncommittedWorldFile(const GitWorld& repo, bool duringMerge, std::string& path) {
    std::vector<std::string> args = {"status", "--porcelain=v1", "-z", "--untracked-files=all", "--"};
    for (const std::string& p : repo.worldPaths()) args.push_back(p);
    CommandResult status = repo.git(args);
    if (status.status != 0) return firstLine(status.err);
    path.clear();
    // Entries: "XY path\0", a rename's or copy's followed by its old path.
    for (size_t at = 0, end; (end = status.out.find('\0', at)) != std::string::npos; at = end + 1) {
        const std::string entry = status.out.substr(at, end - at);
        if (entry.size() < 4) continue;
        const char x = entry[0], y = entry[1];
        if (x == 'R' || x == 'C') end = status.out.find('\0', end + 1);
        const std::string xy = entry.substr(0, 2);
        const bool unmerged = x == 'U' || y == 'U' || xy == "AA" || xy == "DD";
        if (!duringMerge || !(unmerged || (y == ' ' && x != '?'))) {
            path = entry.substr(3);
            return "";
        }
        if (end == std::string::npos) break;
    }
    return "";
}
