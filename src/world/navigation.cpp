#include "world/navigation.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>

#include "world/defdir.h"
#include "world/defline.h"

namespace {

constexpr size_t FINDINGS_LIMIT = 64u << 20;

std::string lowered(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool onMap(int x, int y) { return x >= 0 && x < MAP_SIZE && y >= 0 && y < MAP_SIZE; }

std::string cellText(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }

Destination cellDestination(int x, int y) { return Destination{x, y, x * TILE_SIZE, y * TILE_SIZE}; }

Destination objectDestination(float x, float y) {
    const int px = truncateToInt(x), py = truncateToInt(y);
    return Destination{cellOfPixel(px), cellOfPixel(py), px, py};
}

// A whole number: an optional minus and digits, nothing else.
bool isWholeNumber(const std::string& word) {
    const size_t digits = !word.empty() && word[0] == '-' ? 1 : 0;
    if (word.size() == digits) return false;
    for (size_t i = digits; i < word.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(word[i]))) return false;
    return true;
}

// "X Y": two whole numbers between spaces.
bool readCell(const std::string& answer, int& x, int& y) {
    std::vector<std::string> words;
    for (size_t at = 0; at < answer.size();) {
        const size_t start = answer.find_first_not_of(' ', at);
        if (start == std::string::npos) break;
        const size_t end = std::min(answer.find(' ', start), answer.size());
        words.push_back(answer.substr(start, end - start));
        at = end;
    }
    if (words.size() != 2 || !isWholeNumber(words[0]) || !isWholeNumber(words[1])) return false;
    x = parseInt(words[0].c_str());
    y = parseInt(words[1].c_str());
    return true;
}

// The first "x=" standing as a word of its own and followed by a digit: the column of a map
// line from worldcheck ("character '!' at x=5 ...") or worlddiff ("x=3..7: tile 0 -> 21").
int columnOf(const std::string& message) {
    for (size_t at = message.find("x="); at != std::string::npos; at = message.find("x=", at + 1)) {
        const bool wordStart = at == 0 || !std::isalnum(static_cast<unsigned char>(message[at - 1]));
        if (wordStart && at + 2 < message.size() && std::isdigit(static_cast<unsigned char>(message[at + 2])))
            return parseInt(message.c_str() + at + 2);
    }
    return 0;
}

// "npcdef/<name>.def" or "idef/<name>.def" under data/, as the tools name the files.
bool definitionFile(const std::string& path, const char* dir, std::string& file) {
    const std::string prefix = std::string("data/") + dir + "/";
    const std::string name = path.substr(std::min(prefix.size(), path.size()));
    if (path.compare(0, prefix.size(), prefix) != 0 || name.size() <= 4 || name.find('/') != std::string::npos ||
        name.compare(name.size() - 4, 4, ".def") != 0)
        return false;
    file = std::string(dir) + "/" + name;
    return true;
}

bool readFinding(const std::string& line, Finding& finding) {
    const size_t colon = line.find(':');
    if (colon == std::string::npos) return false;
    std::string path = line.substr(0, colon);
    if (path.compare(0, 2, "./") == 0) path.erase(0, 2);
    // An optional line number, then the message after ": ".
    size_t at = colon + 1;
    int lineNo = 0;
    const size_t digits = line.find_first_not_of("0123456789", at);
    if (digits != at && digits != std::string::npos && line[digits] == ':') {
        lineNo = parseInt(line.c_str() + at);
        at = digits + 1;
    }
    finding.line = line;
    if (path == "data/map.dat") {
        finding.kind = Finding::Kind::Cell;
        finding.cellX = columnOf(line.substr(at));
        finding.cellY = lineNo - 1;
        return onMap(finding.cellX, finding.cellY);
    }
    if (definitionFile(path, "npcdef", finding.file)) return finding.kind = Finding::Kind::Npc, true;
    if (definitionFile(path, "idef", finding.file)) return finding.kind = Finding::Kind::Item, true;
    return false;
}

}  // namespace

int cellOfPixel(int pixel) { return pixel >= 0 ? pixel / TILE_SIZE : -((TILE_SIZE - 1 - pixel) / TILE_SIZE); }

Navigation GoToSearch::goTo(const World& world, const std::string& dataDir, const std::string& answer) {
    Navigation result;
    Messages& said = result.outcome.said;
    result.outcome.ok = false;
    // A blank answer asks for nothing: it goes nowhere, says nothing and is not remembered.
    if (answer.find_first_not_of(' ') == std::string::npos) return result;
    lastAnswer = answer;
    int x = 0, y = 0;
    if (readCell(answer, x, y)) {
        if (!onMap(x, y)) {
            said.out("No cell " + cellText(x, y) + ": the map is " + std::to_string(MAP_SIZE) + "x" +
                     std::to_string(MAP_SIZE) + "\n");
            return result;
        }
        said.out("Go to: cell " + cellText(x, y) + "\n");
        result.outcome.ok = true;
        result.to = cellDestination(x, y);
        return result;
    }
    // NPCs then items, in file order; removed items are no longer in the world.
    const std::string text = lowered(answer);
    std::vector<size_t> matches;
    for (size_t i = 0; i < world.npcs.size(); ++i)
        if (lowered(world.npcs[i].name).find(text) != std::string::npos) matches.push_back(i);
    for (size_t i = 0; i < world.items.size(); ++i)
        if (world.items[i].type != ITEM_TYPE_REMOVED && lowered(world.items[i].name).find(text) != std::string::npos)
            matches.push_back(world.npcs.size() + i);
    if (matches.empty()) {
        said.out("Nothing named \"" + answer + "\"\n");
        lastText.clear();
        return result;
    }
    size_t k = 0;
    if (text == lastText)
        while (k < matches.size() && matches[k] <= lastFound) ++k;
    if (k == matches.size()) k = 0;  // past the last one: round to the first
    lastText = text;
    lastFound = matches[k];
    const bool npc = lastFound < world.npcs.size();
    const int index = static_cast<int>(npc ? lastFound : lastFound - world.npcs.size());
    std::string what;
    if (npc) {
        const Actor& found = world.npcs[lastFound];
        result.to = objectDestination(found.x, found.y);
        what = "NPC \"" + found.name + "\" (" + npcDefPath(dataDir, index) + ")";
    } else {
        const Item& found = world.items[static_cast<size_t>(index)];
        result.to = objectDestination(found.x, found.y);
        what = "item \"" + found.name + "\" (" + itemDefPath(dataDir, index) + ")";
    }
    said.out("Go to: " + what + " at cell " + cellText(result.to->cellX, result.to->cellY) + ", " +
             std::to_string(k + 1) + " of " + std::to_string(matches.size()) + "\n");
    result.outcome.ok = true;
    return result;
}

std::vector<Finding> parseFindings(const std::string& text) {
    std::vector<Finding> findings;
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        Finding finding;
        if (readFinding(line, finding)) findings.push_back(std::move(finding));
        at = end + 1;
    }
    return findings;
}

std::string readFindingsText(const std::string& path, std::string& text) {
    const bool standardInput = path == "-";
    const int fd = standardInput ? 0 : open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return strerror(errno);
    std::string why;
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) why = strerror(errno);
        if (got <= 0) break;
        text.append(buffer, static_cast<size_t>(got));
        // A device such as /dev/zero never ends.
        if (text.size() > FINDINGS_LIMIT) {
            why = "over 64 MiB";
            break;
        }
    }
    if (!standardInput) close(fd);
    return why;
}

Navigation FindingSteps::step(int direction, const std::string& dataDir) {
    Navigation result;
    Messages& said = result.outcome.said;
    const int next = current + direction;
    if (next < 0 || next >= static_cast<int>(findings.size())) {
        said.out("No more findings\n");
        result.outcome.ok = false;
        return result;
    }
    current = next;
    const Finding& finding = findings[static_cast<size_t>(current)];
    said.out(std::to_string(current + 1) + " of " + std::to_string(findings.size()) + ": " + finding.line + "\n");
    if (finding.kind == Finding::Kind::Cell) {
        result.to = cellDestination(finding.cellX, finding.cellY);
        return result;
    }
    // The file as it is now: the world may have been saved since the tool ran.
    const std::string path = dataDir + "/" + finding.file;
    std::string bytes, reason;
    if (readFileUpTo(path, DEF_FILE_LIMIT, bytes, reason) != ReadStatus::Read) {
        said.err(unreadableWarning(path, reason));
        return result;
    }
    if (finding.kind == Finding::Kind::Npc) {
        Actor npc;
        npc.parse(bytes);
        result.to = objectDestination(npc.x, npc.y);
    } else {
        Item item;
        item.parse(bytes);
        result.to = objectDestination(item.x, item.y);
    }
    return result;
}
