#include "shell/options.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "world/map.h"

namespace {
// "X,Y": a cell of the map.
std::string takeCell(EditorOptions& o, const char* value) {
    int x = -1, y = -1, used = 0;
    if (sscanf(value, "%4d,%4d%n", &x, &y, &used) != 2 || value[used] != '\0' || x < 0 || y < 0 || x >= MAP_SIZE ||
        y >= MAP_SIZE)
        return std::string("--goto takes X,Y within the 350x350 map, not ") + value;
    o.goTo = true;
    o.goToX = x;
    o.goToY = y;
    return "";
}

// One option: its name, its value's name in the help ("" when it takes none), its help line,
// and what it does to the options with its value.
struct Option {
    const char* name;
    const char* value;
    const char* help;
    // Stores the value; "" when it reads, else why not.
    std::string (*take)(EditorOptions& options, const char* value);
};

// A whole number of seconds, at most nine digits (over 31 years).
std::string readSeconds(const char* value, int& seconds) {
    const size_t length = strlen(value);
    if (length == 0 || length > 9 || strspn(value, "0123456789") != length)
        return std::string("--autosave takes a whole number of seconds, not \"") + value + "\" (see maped --help)";
    seconds = atoi(value);
    return "";
}

const Option OPTIONS[] = {
    {"--help", "", "print this help and end",
     [](EditorOptions& o, const char*) { return o.help = true, std::string(); }},
    {"--autosave", "SECONDS", "copy unsaved edits to recovery/ at most every SECONDS (default 60; 0: never)",
     [](EditorOptions& o, const char* value) { return readSeconds(value, o.autosaveSeconds); }},
    {"--restore", "", "put the recovery copy (recovery/data) in place of the world's files, and end",
     [](EditorOptions& o, const char*) { return o.restore = true, std::string(); }},
    {"--steps", "FILE", "places to step through with N and Shift+N: worldcheck's or\n"
     "                      worlddiff's path:line: lines (- reads standard input)",
     [](EditorOptions& o, const char* value) { return o.stepsFile = value, std::string(); }},
    {"--goto", "X,Y", "start with the cell X,Y in the middle of the view", takeCell},
};

// What the keys do, for the help; the README's key table says the same at more length.
const char* const KEY_HELP[][2] = {
    {"arrows", "scroll the view, 48 screen pixels a step"},
    {"wheel", "scroll up / down (Shift: left / right; Ctrl: zoom about the pointer)"},
    {"- =", "zoom out / in: 48, 24, 12, 6 pixels per cell"},
    {"[ ]", "previous / next tile"},
    {"Q A", "scroll the tile palette"},
    {"P", "show / hide the tile palette"},
    {"M", "show / hide the minimap"},
    {"Z", "next right-click mode: select, place or kill NPC, place or kill item"},
    {"left button", "paint a cell (on the minimap: move the view; on the palette: pick a tile)"},
    {"other buttons", "act by the right-click mode"},
    {"Ctrl + left button", "make the tile of the cell under the pointer the current tile"},
    {"Ctrl + other button", "in a place mode: edit the NPC or item under the pointer"},
    {"Shift + other button drag", "in an NPC or item mode: move the NPC or item under the pointer"},
    {"F", "fill the selected rectangle with the current tile"},
    {"B", "bucket fill from the cell under the pointer"},
    {"Ctrl+C, Ctrl+V", "copy the selected cells / paste them at the pointer"},
    {"S", "save the map, NPCs and items under data/"},
    {"L", "load the map, NPCs and items from data/ (once per run)"},
    {"G", "go to a cell (X Y) or to the next NPC or item by name"},
    {"N, Shift+N", "the next / previous place of --steps"},
    {"F3", "write the window to sshot.bmp"},
    {"Ctrl+Z", "undo the last edit"},
    {"Ctrl+Y, Ctrl+Shift+Z", "redo"},
    {"Esc", "quit without saving (unsaved edits go to recovery/data)"},
};

// "  left" and the text in a column after it.
std::string helpLine(const std::string& left, const char* text, size_t column) {
    const std::string indented = "  " + left;
    return indented + std::string(indented.size() < column ? column - indented.size() : 1, ' ') + text + "\n";
}
}  // namespace

std::string parseOptions(int argc, char** argv, EditorOptions& options) {
    for (int i = 1; i < argc; ++i) {
        const Option* found = nullptr;
        for (const Option& option : OPTIONS)
            if (strcmp(argv[i], option.name) == 0) found = &option;
        // An option the editor does not know is refused, not ignored: a mistyped one would
        // otherwise do nothing without a word.
        if (!found) return std::string("unknown option ") + argv[i] + " (see maped --help)";
        const char* value = nullptr;
        if (*found->value) {
            if (i + 1 >= argc) return std::string(found->name) + " needs a value (see maped --help)";
            value = argv[++i];
        }
        std::string why = found->take(options, value);
        if (!why.empty()) return why;
    }
    return "";
}

std::string usageText() {
    std::string text =
        "Usage: maped [OPTIONS]\n"
        "\n"
        "Edits the world in the current directory: data/ (the map, NPCs, items and art) and\n"
        "edfont.ttf beside it. See the README for the keys and the world's files.\n"
        "\n"
        "Options:\n";
    for (const Option& option : OPTIONS)
        text += helpLine(std::string(option.name) + (*option.value ? std::string(" ") + option.value : ""),
                         option.help, 22);
    text += "\nKeys (each acts while held):\n";
    for (const auto& key : KEY_HELP) text += helpLine(key[0], key[1], 29);
    return text;
}
