#pragma once
// The numbered definition directories: <dir>/npcdef/<n>.def and <dir>/idef/<n>.def.
#include <optional>
#include <string>
#include <vector>

#include "world/actor.h"
#include "world/disk_record.h"
#include "world/item.h"
#include "world/messages.h"

using PathFor = std::string (*)(const std::string& dir, int n);
std::string npcDefPath(const std::string& dir, int n);
std::string itemDefPath(const std::string& dir, int n);

// The objects definition files 0..n-1 hold as this run last read or wrote them, for the files
// that hold exactly an object's bytes: a save compares objects rather than 10,000 files' bytes.
template <typename Record>
using HeldRecords = std::vector<std::optional<Record>>;

// Appends every object from file 0 up to the first number that is missing or cannot be read,
// saying why it stopped there; a missing 0.def also says the directory warning. Returns how
// many were loaded. Given a record, notes each file read (and the missing one that ended the
// run), and given held records, the objects read.
int loadActorFiles(const std::string& dir, std::vector<Actor>& npcs, Messages& said, DiskRecord* record = nullptr,
                   HeldRecords<Actor>* held = nullptr);
int loadItemFiles(const std::string& dir, std::vector<Item>& items, Messages& said, DiskRecord* record = nullptr,
                  HeldRecords<Item>* held = nullptr);

// Write the list as files 0..n-1, creating the directory when missing. `owned` counts the files
// 0..owned-1 that this run loaded or wrote: only those are overwritten or deleted (the stale ones
// from n upward). A file the list needs that is not owned is never written over: the save is
// refused with a warning (the load-first warning for 0.def before `worldLoaded`); so is a save
// whose deletions would leave a gap before a file it does not own. Given a record of what this
// run last read or wrote there (and the objects held), only the files whose bytes differ are
// written, and a file to be replaced or deleted that changed on disk since is not: the
// directory is refused with notSavedChangedWarning. After a save whose every file was written,
// owned is n. Returns false (with a warning said) when anything was not written.
bool saveActorFiles(const std::string& dir, const std::vector<Actor>& npcs, int& owned, bool worldLoaded,
                    Messages& said, DiskRecord* record = nullptr, HeldRecords<Actor>* held = nullptr);
bool saveItemFiles(const std::string& dir, const std::vector<Item>& items, int& owned, bool worldLoaded,
                   Messages& said, DiskRecord* record = nullptr, HeldRecords<Item>* held = nullptr);
