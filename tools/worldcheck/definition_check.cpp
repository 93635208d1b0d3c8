// The NPC and item definition directories and files. The readers take one value per line
// and never complain; this says what they made of each line that is not as the editor
// writes it.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "lines.h"
#include "numbered_files.h"
#include "world/world_paths.h"
#include "world/defdir.h"
#include "world/defline.h"
#include "world/item.h"
#include "world/record_layout.h"
#include "world/numbered.h"
#include "world_check.h"

namespace {
NumberLine readAs(const TextLine& line) { return readNumberLine(line.text, line.length); }

// The reader's word on a number line, as a message; nothing for a plain number.
void checkNumber(Report& report, const std::string& shown, int lineNo, const TextLine& line, const NumberLine& read) {
    std::string readValue = "(read as " + std::to_string(read.value) + ")";
    if (read.form == NumberForm::Empty)
        report.add(shown, lineNo, "a number line is empty " + readValue);
    else if (read.form == NumberForm::NotPlain)
        report.add(shown, lineNo, "a number line holds " + quoted(line.text, line.length) + " " + readValue);
    else if (read.form == NumberForm::OutOfRange)
        report.add(shown, lineNo,
                   "a number line holds " + quoted(line.text, line.length) + ", outside the int range " + readValue);
}

// Checks the lines the reader reads, by the record's layout: length, and for number lines
// the number. Gives the numbers as the reader reads them (0 for text and missing lines).
void checkLines(Report& report, const std::string& shown, const std::vector<TextLine>& lines, int linesRead,
                const RecordLayout& layout, std::vector<int>& values) {
    values.assign(static_cast<size_t>(linesRead) + 1, 0);
    for (int lineNo = 1; lineNo <= linesRead && lineNo <= static_cast<int>(lines.size()); ++lineNo) {
        const TextLine& line = lines[static_cast<size_t>(lineNo - 1)];
        bool number = layout.at(lineNo).kind == FieldKind::Number;
        NumberLine read = number ? readAs(line) : NumberLine{0, NumberForm::Plain};
        if (number) values[static_cast<size_t>(lineNo)] = read.value;
        if (isCutLine(line.length)) {
            report.add(shown, lineNo,
                       "line is " + std::to_string(line.length) + " characters long; the editor reads only " +
                           std::to_string(MAX_LINE_CHARS) + " and everything after it is lost");
            continue;
        }
        if (number) checkNumber(report, shown, lineNo, line, read);
    }
}

std::string tooLong(int count, int expected) {
    return "has " + lineCount(static_cast<size_t>(count)) + " (expected " + std::to_string(expected) +
           "); the editor ignores line " + std::to_string(expected + 1) + " and the ones after it";
}
std::string tooShort(int count, int expected) {
    return "has " + lineCount(static_cast<size_t>(count)) + " (expected " + std::to_string(expected) +
           "); the missing values read as 0 or empty";
}

std::string outside(const char* what, int value, int last) {
    return std::string(what) + " " + std::to_string(value) + " is outside 0.." + std::to_string(last) +
           " (drawn as the missing-image icon)";
}

void checkNpc(Report& report, const std::string& shown, const std::vector<TextLine>& lines, std::vector<int>& values) {
    checkLines(report, shown, lines, NPC_LINES, NPC_LAYOUT, values);
    int count = static_cast<int>(lines.size());
    if (count < NPC_LINES) report.add(shown, tooShort(count, NPC_LINES));
    if (count > NPC_LINES) report.add(shown, NPC_LINES + 1, tooLong(count, NPC_LINES));
    int sprite = values[NPC_SPRITE_LINE], direction = values[NPC_DIRECTION_LINE];
    if (count >= NPC_SPRITE_LINE && (sprite < 0 || sprite >= SPRITE_SETS))
        report.add(shown, NPC_SPRITE_LINE, outside("sprite", sprite, SPRITE_SETS - 1));
    if (count >= NPC_DIRECTION_LINE && (direction < 0 || direction >= SPRITE_DIRECTIONS))
        report.add(shown, NPC_DIRECTION_LINE, outside("direction", direction, SPRITE_DIRECTIONS - 1));
}

void checkItem(const CheckedWorld& world, Report& report, const std::string& shown, const std::vector<TextLine>& lines,
               std::vector<int>& values) {
    int count = static_cast<int>(lines.size());
    int type = count >= ITEM_TYPE_LINE ? readAs(lines[ITEM_TYPE_LINE - 1]).value : 0;
    // The range line is read only for a ranged weapon; for any other item it is never looked at.
    bool ranged = type == ITEM_TYPE_RANGED;
    checkLines(report, shown, lines, ranged ? ITEM_RANGE_LINE : ITEM_RANGE_LINE - 1, ITEM_LAYOUT, values);
    if (count == ITEM_LINES - 1 && ranged)
        report.add(shown, "has " + lineCount(static_cast<size_t>(count)) + " (expected " + std::to_string(ITEM_LINES) +
                              "); this ranged weapon (type " + std::to_string(ITEM_TYPE_RANGED) +
                              ") has no range line and gets range 0");
    else if (count < ITEM_LINES - 1)
        report.add(shown, tooShort(count, ITEM_LINES));
    if (count > ITEM_LINES) report.add(shown, ITEM_LINES + 1, tooLong(count, ITEM_LINES));
    int owner = values[ITEM_OWNER_LINE];
    if (count >= ITEM_OWNER_LINE && owner < 0)
        report.add(shown, ITEM_OWNER_LINE,
                   "owner " + std::to_string(owner) + " is negative (read as " +
                       std::to_string(ownerAsRead(owner)) + ")");
    // A removed item is never drawn, so its picture does not matter.
    int icon = values[ITEM_ICON_LINE];
    if (count >= ITEM_ICON_LINE && type != ITEM_TYPE_REMOVED && (icon < 0 || icon >= world.itemPictures))
        report.add(shown, ITEM_ICON_LINE,
                   "icon " + std::to_string(icon) + " has no picture in " + dataPath("assets/items") +
                       " (drawn as the missing-image icon)");
}

using PathFor = std::string (*)(const std::string&, int);

// A directory the editor cannot use: something else in its place, or one this user may not
// read or write. False when nothing in it can be loaded.
bool checkDirectoryItself(const CheckedWorld& world, Report& report, const std::string& shownDir, const char* what) {
    std::string path = world.pathOf(shownDir);
    struct stat info;
    if (stat(path.c_str(), &info) != 0) return true;  // no directory: a world without any
    if (!S_ISDIR(info.st_mode)) {
        report.add(shownDir, std::string("is not a directory; the editor can neither load nor save ") + what);
        return false;
    }
    if (access(path.c_str(), R_OK | X_OK) != 0)
        report.add(shownDir, std::string("cannot be read by this user (") + strerror(errno) + "); the editor loads none of its " + what);
    else if (access(path.c_str(), W_OK | X_OK) != 0)
        report.add(shownDir, std::string("cannot be written by this user (") + strerror(errno) + "); the editor cannot save " + what + " there");
    return true;
}

// Reads files 0, 1, ... as the loader does, each once, up to the first that does not read;
// then one listing of the directory finds what lies beyond.
template <typename Check>
void checkDirectory(const CheckedWorld& world, Report& report, PathFor pathFor, const char* what, Check check) {
    // The directory and the file names come from the library's own path builder.
    std::string first = pathFor(DATA_DIR, 0);
    std::string shownDir = first.substr(0, first.rfind('/'));
    std::string suffix = first.substr(shownDir.size() + 2);  // after "/0"
    if (!checkDirectoryItself(world, report, shownDir, what)) return;
    std::vector<TextLine> lines;
    std::vector<int> values;
    auto path = [&](int n) { return world.pathOf(pathFor(DATA_DIR, n)); };
    NumberedEnd end = readNumbered(path, CHECK_LIMIT + 1, [&](int n, std::string& bytes) {
        const std::string shown = pathFor(DATA_DIR, n);
        limitForCheck(report, shown, DEF_FILE_LIMIT, bytes);
        splitLines(bytes, lines);
        check(shown, lines, values);
    });
    reportUnreachable(report, shownDir, listNumberedFiles(world.pathOf(shownDir), suffix), end.count, suffix, what,
                      end.reason);
}
}  // namespace

void checkDefinitions(const CheckedWorld& world, Report& report) {
    checkDirectory(world, report, npcDefPath, "NPCs",
                   [&](const std::string& shown, const std::vector<TextLine>& lines, std::vector<int>& values) {
                       checkNpc(report, shown, lines, values);
                   });
    checkDirectory(world, report, itemDefPath, "items",
                   [&](const std::string& shown, const std::vector<TextLine>& lines, std::vector<int>& values) {
                       checkItem(world, report, shown, lines, values);
                   });
}
