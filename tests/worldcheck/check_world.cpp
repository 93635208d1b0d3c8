#include "check_world.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "world_check.h"

namespace fs = std::filesystem;

namespace {
const std::string& defaultWorld() {
    static TempDir generated;
    if (!fileExists(generated / "data/map.dat")) makeDefaultWorld(generated.path);
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

void FixtureWorld::replaceLine(const std::string& relative, int lineNo, const std::string& text, int keepLines) const {
    std::vector<std::string> lines = splitAtLineFeeds(readFile(*this / relative));
    lines.at(static_cast<size_t>(lineNo - 1)) = text;
    if (keepLines) lines.resize(static_cast<size_t>(keepLines));
    writeFile(*this / relative, joinLines(lines));
}

ProcessResult runCheck(const std::vector<std::string>& args, const std::string& cwd) {
    std::vector<std::string> argv = {WORLDCHECK_BINARY};
    argv.insert(argv.end(), args.begin(), args.end());
    return runProcess(argv, cwd, {}, 30000);
}

std::string checkOutput(const FixtureWorld& fixture) {
    World world;
    world.root = fixture.dir.path;
    Report report;
    checkArt(world, report);
    EXPECT_EQ(checkMap(world, report), "");
    checkDefinitions(world, report);
    CaptureOutput capture;
    report.print(stdout);
    return capture.out();
}

std::string oneProblem(const std::string& line) { return line + "\n1 problem in 1 file\n"; }

void expectReports(const std::vector<ReportCase>& cases) {
    for (const ReportCase& c : cases) {
        SCOPED_TRACE(c.what);
        FixtureWorld world;
        c.change(world);
        EXPECT_EQ(checkOutput(world), c.out);
    }
}

std::vector<std::string> splitAtLineFeeds(const std::string& bytes) {
    std::vector<std::string> lines;
    for (size_t start = 0, end; start < bytes.size(); start = end + 1) {
        end = std::min(bytes.find('\n', start), bytes.size());
        lines.push_back(bytes.substr(start, end - start));
    }
    return lines;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\n";
    return bytes;
}
