#pragma once
// worldgit's commands: setting git up for worlds, and the drivers git then calls.
#include <string>
#include <vector>

constexpr int DONE = 0, CONFLICTED = 1, TROUBLE = 2;

// The kinds of file the drivers read: "map", "npc" or "item".
enum class FileKind { Map, Npc, Item, Unknown };
FileKind fileKind(const std::string& name);

// git's diff driver: args are the kind, then what git gives an external diff (path, old file,
// old object, old mode, new file, new object, new mode; only the path for an unmerged file).
int diffDriver(const std::vector<std::string>& args);
// git's text conversion for log -p and show: one line per cell or per field.
int textconvDriver(const std::vector<std::string>& args);
// git's merge driver for map.dat: base, ours (the result goes there), theirs, path.
int mergeMapDriver(const std::vector<std::string>& args);

// Writes (or removes) the attribute lines and the repository's driver entries; dir is any
// directory in the work tree.
int install(const std::string& dir);
int uninstall(const std::string& dir);
