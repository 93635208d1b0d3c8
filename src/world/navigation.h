#pragma once
// Finding one's way in a world: going to a cell or to an NPC or item by name (the G prompt),
// and stepping through the places that the tools' `path:line: message` lines name (worldcheck,
// worlddiff). Each says what it found and where the view should go; none moves the view.
#include <optional>
#include <string>
#include <vector>

#include "world/document.h"

// Where to go: the cell to put in the middle of the view, and the 48x48 box (world pixels of
// its top-left corner) to outline there: the cell itself, or the object standing there.
struct Destination {
    int cellX, cellY;
    int boxX, boxY;
};

// What a go-to or a step said (ok false when it led nowhere), and where it leads.
struct Navigation {
    Outcome outcome;
    std::optional<Destination> to;
};

// The cell holding a world pixel (cells below 0 for negative pixels).
int cellOfPixel(int pixel);

// The G prompt's answers. A cell is two whole numbers, "X Y"; anything else is a text to find
// in the names of the NPCs and items the world holds.
class GoToSearch {
public:
    std::string lastAnswer;  // the prompt starts with it

    // A cell outside the map is refused; a text finds the next NPC or item whose name holds
    // it, ignoring case: NPCs then items in file order, after the one found last for the same
    // text, wrapping round. File names are the ones the object would be saved to in dataDir.
    Navigation goTo(const World& world, const std::string& dataDir, const std::string& answer);

private:
    std::string lastText;  // lower case
    size_t lastFound = 0;  // the object found for it: an NPC's index, or the NPC count and an item's
};

// One line of a tool's output that names a place.
struct Finding {
    enum class Kind { Cell, Npc, Item };
    std::string line;  // as written, without its line end
    Kind kind;
    int cellX = 0, cellY = 0;  // a map cell
    std::string file;          // an NPC or item file, under the data directory ("npcdef/4.def")
};

// The lines that name a place: a data/map.dat line names row `line - 1` and the column of its
// first `x=A` (or `x=A..B`), column 0 without one; a line naming an NPC or item file names the
// position written in that file. Summaries, other files, map lines without a line number or
// past the map's edge name none and are left out.
std::vector<Finding> parseFindings(const std::string& text);

// Reads the findings' text: a file, or standard input for "-". A pipe is read to its end (it
// is how another tool's output arrives); nothing larger than 64 MiB is read. Returns "", or
// why the text could not be read.
std::string readFindingsText(const std::string& path, std::string& text);

// The findings stepped through with N and Shift+N.
class FindingSteps {
public:
    std::vector<Finding> findings;

    // The next (+1) or previous (-1) finding, saying "3 of 12: " and its line; "No more
    // findings" (ok false) past either end, staying at the last one reached. An NPC or item
    // file is read as it is on disk now; one that cannot be read leads nowhere, with a warning.
    Navigation step(int direction, const std::string& dataDir);

private:
    int current = -1;  // none reached yet
};
