#pragma once
// The recovery copy: the world in memory, kept beside the world while it has unsaved edits (by
// autosave, when the editor ends, on a signal or when the display goes away), so that nothing
// is lost and data/ is left untouched. A copy is <root>/data/ in the save's formats, and
// <root>/manifest, written last, saying what it holds; a copy without its manifest is
// unfinished (a full disk, a crash while writing) and counts as none.
#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "world/defdir.h"
#include "world/disk_record.h"
#include "world/messages.h"
#include "world/world.h"

extern const char* const RECOVERY_DIR;       // "recovery", beside data/
extern const char* const RECOVERY_DATA_DIR;  // "recovery/data"

// What a copy holds of one definition directory.
enum class Holding {
    Whole,    // the run's list is the world's: it replaces the world's files
    Placed,   // only the objects placed in a run that never loaded the world's own
    Nothing,  // nothing: that run never loaded the world's own and placed none
};

struct DirHolding {
    Holding holds = Holding::Nothing;
    int files = 0;  // the copy's files 0..files-1
    int owned = 0;  // the world's files 0..owned-1 that the run read or wrote: the only ones it may replace
};

// What <root>/manifest says.
struct CopyManifest {
    std::string world;  // the world's directory, for whoever finds the copy
    DirHolding npcs, items;
};
std::string manifestText(const CopyManifest& manifest);
// False when the text is not a manifest.
bool parseManifest(const std::string& text, CopyManifest& manifest);

// A world to be kept: taken on the main thread, written by whichever thread keeps it.
struct Snapshot {
    std::unique_ptr<World> world;
    CopyManifest holds;
    unsigned long state = 0;  // the edit history's state it shows
};

// One place copies go, and what this run last wrote there.
class CopyPlace {
public:
    std::string root;
    // Writes the snapshot there: only the files whose bytes changed since this run's last copy
    // there, and nothing at all when that copy showed the same state. The copy is unfinished
    // until its manifest is written. False (with the save's warnings) when anything was not written.
    bool write(const Snapshot& snapshot, Messages& said);
    // Makes this run's copy there no copy (its edits were saved or undone): removes its manifest.
    void retire();
    bool holdsCopy() const { return !manifest.empty(); }

private:
    DiskRecord written;       // with no guard: the copy's files are the editor's own
    HeldRecords<Actor> npcsHeld;
    HeldRecords<Item> itemsHeld;
    std::string manifest;     // as this run last wrote it ("" when none)
    unsigned long state = 0;  // the snapshot it holds
    bool manifestAsLeft() const;
};

// "$XDG_STATE_HOME/maped/recovery", else "$HOME/.local/state/maped/recovery"; "" when neither is set.
std::string userRecoveryBase();

// Where this run's copies go: beside the world, else a folder of this run's own in the per-user
// place; and the worker that writes autosaves.
class Recovery {
public:
    std::string root = RECOVERY_DIR;
    // The copy never goes beside the world: another editor has it open, or an earlier run's
    // unsaved edits are there.
    bool ownPlace = false;
    std::string userBase;  // "" until first needed: userRecoveryBase()

    Recovery() = default;
    Recovery(const Recovery&) = delete;
    Recovery& operator=(const Recovery&) = delete;
    ~Recovery() { wait(); }

    // Writes the copy beside the world or else in the per-user place, and says where
    // ("***WARNING*** unsaved edits kept in <place>/data: ..."), or why neither could take it.
    bool keep(const Snapshot& snapshot, Messages& said);
    // The same on a worker thread; while it runs nothing else here may be touched.
    void keepInBackground(Snapshot snapshot);
    bool busy() const { return worker.joinable(); }
    // Once the worker has finished: joins it, and gives what it said; false while it runs or when none ran.
    bool collect(bool& ok, Messages& said);
    void wait();
    bool lastKeptInUserPlace() const { return keptInUser; }
    unsigned long copiedState() const { return copied; }
    bool holdsCopy() const { return primary.holdsCopy() || user.holdsCopy(); }
    void retire();

private:
    CopyPlace primary, user;
    unsigned long copied = 0;  // the state last kept, 0 for none
    bool keptInUser = false;
    std::thread worker;
    std::atomic<bool> done{false};
    bool pending = false;  // a finished keep not yet collected
    bool result = false;
    Messages resultSaid;
    bool makeUserPlace(const std::string& world, Messages& said);
};
