#include "shell/options.h"

#include <cstdlib>
#include <cstring>

namespace {
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
};
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
    for (const Option& option : OPTIONS) {
        std::string left = std::string("  ") + option.name + (*option.value ? std::string(" ") + option.value : "");
        text += left + std::string(left.size() < 22 ? 22 - left.size() : 1, ' ') + option.help + "\n";
    }
    return text;
}
