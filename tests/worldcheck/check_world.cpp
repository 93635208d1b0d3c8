#include "check_world.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {
const std::string& defaultWorld() {
    static TempDir generated;
    static bool made = false;
    if (!made) {
        makeDefaultWorld(generated.path);
        made = true;
    }
    return generated.path;
}

template <typename T>
void setDefinitions(const FixtureWorld& world, const std::string& subdir, const std::vector<T>& objects) {
    fs::remove_all(world / subdir);
    makeDirs(world / subdir);
    for (size_t n = 0; n < objects.size(); ++n)
        writeFile(world / (subdir + "/" + std::to_string(n) + ".def"), objects[n].serialize());
}
}  // namespace

FixtureWorld::FixtureWorld() { fs::copy(defaultWorld(), dir.path, fs::copy_options::recursive); }

void FixtureWorld::setNpcs(const std::vector<Actor>& npcs) const { setDefinitions(*this, "data/npcdef", npcs); }
void FixtureWorld::setItems(const std::vector<Item>& items) const { setDefinitions(*this, "data/idef", items); }

void FixtureWorld::replaceLine(const std::string& relative, int lineNo, const std::string& text) const {
    std::vector<std::string> lines = splitAtLineFeeds(readFile(*this / relative));
    lines.at(static_cast<size_t>(lineNo - 1)) = text;
    writeFile(*this / relative, joinLines(lines));
}

ProcessResult runCheck(const std::vector<std::string>& args, const std::string& cwd) {
    std::vector<std::string> argv = {WORLDCHECK_BINARY};
    argv.insert(argv.end(), args.begin(), args.end());
    return runProcess(argv, cwd, {}, 30000);
}

ProcessResult runCheck(const FixtureWorld& world) { return runCheck({world.dir.path}); }

std::string oneProblem(const std::string& line) { return line + "\n1 problem in 1 file\n"; }

std::vector<std::string> splitAtLineFeeds(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        lines.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\n";
    return bytes;
}
