#pragma once
// The numbered definition directories: <dir>/npcdef/<n>.def and <dir>/idef/<n>.def.
#include <list>
#include <string>
#include <vector>

class Actor;
class Item;

using PathFor = std::string (*)(const std::string& dir, int n);
std::string npcDefPath(const std::string& dir, int n);
std::string itemDefPath(const std::string& dir, int n);

// Append every object from file 0 up to the first number that is missing or cannot be read.
// A missing 0.def writes the directory warning and loads nothing. Returns how many were loaded.
int loadActorFiles(const std::string& dir, std::list<Actor*>& npcs);
int loadItemFiles(const std::string& dir, std::vector<Item*>& items);

// Write the list as files 0..n-1, creating the directory when missing. `worldLoaded` says
// whether the world's own files were read into the list: after that, stale files numbered
// from n upward are deleted; before it, a non-empty list is not written over an existing
// 0.def. Returns false (with a warning on standard error) when anything was not written.
bool saveActorFiles(const std::string& dir, const std::list<Actor*>& npcs, bool worldLoaded);
bool saveItemFiles(const std::string& dir, const std::vector<Item*>& items, bool worldLoaded);
