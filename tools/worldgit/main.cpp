// worldgit: sets a git repository up so that git shows worlds' maps and definition files in
// cells and fields and merges maps cell by cell, and is the driver git then calls.
#include <cstdio>
#include <string>
#include <vector>

#include "worldgit.h"

namespace {
void printHelp() {
    printf(
        "Usage: worldgit install [-C DIR]\n"
        "  or:  worldgit uninstall [-C DIR]\n"
        "\n"
        "Sets up the git repository whose work tree holds DIR (default: the current directory)\n"
        "for the worlds in it, wherever they lie:\n"
        "  - git diff prints data/map.dat and the NPC and item files as worlddiff does, a line\n"
        "    per run of changed cells or per changed field (git log -p and git show with\n"
        "    --ext-diff too; without it they compare a line per cell or per field);\n"
        "  - git merge merges data/map.dat cell by cell: cells painted on one side only are\n"
        "    merged on their own; a cell painted differently on both sides is a conflict, printed\n"
        "    as worldmerge prints it, with OURS's tile kept in the file (never a conflict marker).\n"
        "NPC and item files are left to git's own merge: where both sides used the same file\n"
        "numbers, finish the merge with worldmerge --git MERGE_HEAD.\n"
        "\n"
        "install writes the attribute lines into .gitattributes at the top of the work tree\n"
        "(commit it) and the drivers into the repository's own config (.git/config), naming\n"
        "this worldgit by its absolute path; running it again changes nothing. uninstall removes\n"
        "what install wrote.\n"
        "\n"
        "Commands git runs (set up by install):\n"
        "  worldgit diff KIND PATH OLD OLD-HEX OLD-MODE NEW NEW-HEX NEW-MODE\n"
        "  worldgit textconv KIND FILE\n"
        "  worldgit merge-map BASE OURS THEIRS PATH\n"
        "where KIND is map, npc or item.\n"
        "\n"
        "Exit status: 0 done, 1 a map merge left conflicts, 2 could not run (the reason is on\n"
        "standard error).\n");
}
}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        fprintf(stderr, "worldgit: give a command: install or uninstall (see worldgit --help)\n");
        return TROUBLE;
    }
    const std::string command = args[0];
    args.erase(args.begin());
    if (command == "--help" || command == "-h") {
        printHelp();
        return DONE;
    }
    if (command == "diff") return diffDriver(args);
    if (command == "textconv") return textconvDriver(args);
    if (command == "merge-map") return mergeMapDriver(args);
    if (command != "install" && command != "uninstall")
        return fprintf(stderr, "worldgit: unknown command %s (see worldgit --help)\n", command.c_str()), TROUBLE;
    std::string dir = ".";
    if (args.size() == 2 && args[0] == "-C") dir = args[1];
    else if (!args.empty()) return fprintf(stderr, "worldgit: %s takes only -C DIR\n", command.c_str()), TROUBLE;
    return command == "install" ? install(dir) : uninstall(dir);
}
