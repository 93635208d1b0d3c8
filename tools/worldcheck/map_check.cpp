// The map file: 350 lines of 350 characters, one per cell, 'A' + tile. The map reader
// takes each line into a 352-byte buffer and never complains; this says what it made of it.
#include <cstdio>

#include "lines.h"
#include "world/map.h"
#include "world/safe_file.h"
#include "world_check.h"

namespace {
// The reader's rules (the line buffer, the tile of a character) are the map reader's own.
int tileOf(char c) { return tileOfCharacter(c); }

bool printable(char c) { return c >= 32 && c < 127; }

// "'s'" for a printable character, "byte 0x80" for any other.
std::string characterName(char c) {
    if (printable(c)) return std::string("'") + c + "'";
    char text[16];
    snprintf(text, sizeof text, "byte 0x%02X", static_cast<unsigned char>(c));
    return text;
}

const std::string EXPECTED = " (expected " + std::to_string(MAP_SIZE) + ")";

std::string alsoOnLine(int count) {
    return count > 1 ? " (" + std::to_string(count) + " such cells on this line)" : "";
}

// True when the line stops the reader.
bool checkLength(Report& report, const std::string& shown, int lineNo, const TextLine& line, size_t length) {
    if (length == static_cast<size_t>(MAP_SIZE)) return false;
    bool stops = false;
    std::string message =
        "line " + std::to_string(lineNo) + " has " + std::to_string(length) + " characters" + EXPECTED;
    if (length < static_cast<size_t>(MAP_SIZE)) {
        // The zero that ends the short line is read as a cell; the cells after it keep what
        // the shared buffer held from earlier lines.
        if (length + 1 == static_cast<size_t>(MAP_SIZE))
            message += "; x=" + std::to_string(length) + " reads as tile 0";
        else
            message += "; x=" + std::to_string(length) + " to x=" + std::to_string(MAP_SIZE - 1) +
                       " read as tile 0 or repeat what earlier lines held there";
    } else if (line.rawLength > static_cast<size_t>(MAP_LINE_CHARS) && lineNo < MAP_SIZE) {
        message += "; the editor stops reading the map here: every later row repeats this one, with tile 0 at x=0";
        stops = true;
    } else {
        message += "; the editor ignores everything after x=" + std::to_string(MAP_SIZE - 1);
    }
    report.add(shown, lineNo, message);
    return stops;
}

void checkCells(const CheckedWorld& world, Report& report, const std::string& shown, int lineNo, const TextLine& line,
                size_t length) {
    size_t cells = length < static_cast<size_t>(MAP_SIZE) ? length : static_cast<size_t>(MAP_SIZE);
    int negative = 0, firstNegative = -1, noImage = 0, firstNoImage = -1;
    for (size_t x = 0; x < cells; ++x) {
        int tile = tileOf(line.text[x]);
        if (tile < 0) {
            if (negative++ == 0) firstNegative = static_cast<int>(x);
        } else if (tile >= world.tileImages) {
            if (noImage++ == 0) firstNoImage = static_cast<int>(x);
        }
    }
    // One problem per kind and line: a line full of bad cells is one mistake, not 350.
    if (negative > 0) {
        char c = line.text[firstNegative];
        report.add(shown, lineNo,
                   (printable(c) ? "character " : "") + characterName(c) + " at x=" + std::to_string(firstNegative) +
                       " reads as tile " + std::to_string(tileOf(c)) + "; the editor stores tile 0 there" +
                       alsoOnLine(negative));
    }
    if (noImage > 0) {
        char c = line.text[firstNoImage];
        report.add(shown, lineNo,
                   "tile " + std::to_string(tileOf(c)) + " (" + characterName(c) +
                       ") at x=" + std::to_string(firstNoImage) + " has no image in " + dataPath("assets/tiles") +
                       " (drawn as the missing-image icon)" + alsoOnLine(noImage));
    }
}
}  // namespace

std::string checkMap(const CheckedWorld& world, Report& report) {
    const std::string shown = mapFilePath(DATA_DIR);
    std::string bytes, reason;
    ReadStatus status = readForCheck(report, world.pathOf(shown), shown, MAP_FILE_LIMIT, bytes, reason);
    // A missing map, or a pipe, device or directory in its place, is the world's fault; a
    // file that cannot be read (permissions) may be this user's alone, so the check stops
    // (exit status 2).
    if (status == ReadStatus::Missing) {
        report.add(shown, "missing (the editor will not start without it)");
        return "";
    }
    if (status == ReadStatus::NotAFile) {
        report.add(shown, reason + " (the editor will not start without a map file)");
        return "";
    }
    if (status == ReadStatus::Unreadable) return reason;
    std::vector<TextLine> lines;
    splitLines(bytes, lines);
    int count = static_cast<int>(lines.size());
    if (count == 0) {
        report.add(shown, "is empty; every cell reads as tile 0");
        return "";
    }
    if (count < MAP_SIZE)
        report.add(shown, "has " + lineCount(lines.size()) + EXPECTED +
                              "; the missing rows repeat the last line read, with tile 0 at x=0");
    if (count > MAP_SIZE)
        report.add(
            shown, MAP_SIZE + 1,
            "has " + lineCount(lines.size()) + EXPECTED + "; the editor ignores this line and the ones after it");
    for (int i = 0; i < count && i < MAP_SIZE; ++i) {
        const TextLine& line = lines[static_cast<size_t>(i)];
        // A CR at the end is a line end written on Windows, or lands past the last cell.
        size_t length = line.rawLength;
        if (length > 0 && line.text[length - 1] == '\r') --length;
        bool stops = checkLength(report, shown, i + 1, line, length);
        checkCells(world, report, shown, i + 1, line, length);
        if (stops) break;  // the editor never reads the lines after it
    }
    return "";
}
