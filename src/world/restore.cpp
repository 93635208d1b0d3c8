#include "world/restore.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "world/defdir.h"
#include "world/defline.h"
#include "world/disk_record.h"
#include "world/map.h"
#include "world/recovery.h"
#include "world/safe_file.h"
#include "world/world_lock.h"
#include "world/world_paths.h"

namespace {

struct CopyPart {
    const char* name;
    const char* noun;
    PathFor pathFor;
    DirHolding holding;
    std::vector<std::string> files;  // the copy's, when it holds the directory whole
};

struct Plan {
    std::string copyData;
    std::string mapBytes;
    CopyPart parts[2] = {{"npcdef", "NPCs", npcDefPath, {}, {}}, {"idef", "items", itemDefPath, {}, {}}};
    DiskRecord world;  // the world's files as they are now
    std::string refusal;
    bool changes = false;
};

bool occupied(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

// The editor writes only regular files into a copy: anything else there is not its own.
bool readCopyFile(const std::string& path, size_t limit, std::string& bytes, std::string& reason) {
    struct stat info;
    if (lstat(path.c_str(), &info) != 0) return reason = strerror(errno), false;
    if (!S_ISREG(info.st_mode)) return reason = "not a regular file", false;
    return readFileUpTo(path, limit, bytes, reason) == ReadStatus::Read;
}

// A world file as it is now, for the comparison and for the save's check before it is replaced.
void noteWorldFile(DiskRecord& record, const std::string& path, size_t limit) {
    std::string bytes, reason;
    const ReadStatus status = readFileUpTo(path, limit, bytes, reason);
    if (status == ReadStatus::Read) record.noteRead(path, bytes, limit);
    if (status == ReadStatus::Missing) record.noteMissing(path);
}

// Why the copy's directory cannot be restored, or "" (reading its files into part.files).
std::string planPart(Plan& plan, CopyPart& part, const std::string& dataDir) {
    const DirHolding& holding = part.holding;
    const std::string copyDir = plan.copyData + "/" + part.name;
    if (holding.holds == Holding::Placed) {
        plan.changes = true;
        return copyDir + " holds only the " + part.noun + " placed in a run that never loaded the world's own";
    }
    if (holding.holds == Holding::Nothing) return "";
    const std::string damaged = copyDir + " does not hold the " + std::to_string(holding.files) + " files its manifest lists";
    for (int n = 0; n < holding.files; ++n) {
        std::string bytes, reason;
        if (!readCopyFile(part.pathFor(plan.copyData, n), DEF_FILE_LIMIT, bytes, reason)) return damaged;
        const std::string path = part.pathFor(dataDir, n);
        if (n >= holding.owned && occupied(path))
            return part.pathFor(plan.copyData, n) + " would replace " + path + ", which that run never read";
        noteWorldFile(plan.world, path, DEF_FILE_LIMIT);
        plan.changes = plan.changes || !plan.world.holds(path, bytes);
        part.files.push_back(std::move(bytes));
    }
    if (occupied(part.pathFor(plan.copyData, holding.files))) return damaged;
    for (int n = holding.files; n < holding.owned; ++n) {  // the stale files it removes
        const std::string path = part.pathFor(dataDir, n);
        if (!occupied(path)) break;
        noteWorldFile(plan.world, path, DEF_FILE_LIMIT);
        plan.changes = true;
    }
    std::string nothing, reason;  // a file that cannot be read is hidden already
    if (holding.files < holding.owned &&
        readFileUpTo(part.pathFor(dataDir, holding.owned), 0, nothing, reason) == ReadStatus::Read)
        return "removing " + part.pathFor(dataDir, holding.files) + " would hide " + part.pathFor(dataDir, holding.owned) +
               ", which that run never read";
    return "";
}

// False when there is no finished copy at root.
bool planRestore(const std::string& root, const std::string& dataDir, Plan& plan) {
    std::string text, reason;
    CopyManifest manifest;
    if (readFileUpTo(root + "/manifest", 64 * 1024, text, reason) != ReadStatus::Read || !parseManifest(text, manifest))
        return false;
    plan.copyData = root + "/data";
    plan.parts[0].holding = manifest.npcs;
    plan.parts[1].holding = manifest.items;
    const std::string copyMap = mapFilePath(plan.copyData), worldMap = mapFilePath(dataDir);
    if (!readCopyFile(copyMap, MAP_FILE_LIMIT, plan.mapBytes, reason)) {
        plan.refusal = copyMap + " cannot be read: " + reason;
        return true;
    }
    noteWorldFile(plan.world, worldMap, MAP_FILE_LIMIT);
    plan.changes = !plan.world.holds(worldMap, plan.mapBytes);
    for (CopyPart& part : plan.parts)
        if (plan.refusal.empty()) plan.refusal = planPart(plan, part, dataDir);
    return true;
}

// The manifest goes first: a removal cut short leaves an unfinished copy, never a wrong one.
void removeCopy(const std::string& root, const Plan& plan) {
    if (unlink((root + "/manifest").c_str()) != 0) return;
    syncDirectory(root);
    unlink(mapFilePath(plan.copyData).c_str());
    for (const CopyPart& part : plan.parts) {
        for (size_t n = 0; n < part.files.size(); ++n) unlink(part.pathFor(plan.copyData, static_cast<int>(n)).c_str());
        rmdir((plan.copyData + "/" + part.name).c_str());  // anything else in it stays, and the folder with it
    }
    rmdir(plan.copyData.c_str());
    rmdir(root.c_str());
}

}  // namespace

RestoreCheck checkRecoveryCopy(const std::string& root, const std::string& dataDir) {
    Plan plan;
    RestoreCheck check;
    check.found = planRestore(root, dataDir, plan);
    check.refusal = plan.refusal;
    check.changes = plan.changes;
    return check;
}

int restoreRecoveryCopy(const std::string& root, const std::string& dataDir, const std::string& lockPath,
                        Messages& said) {
    const std::string copyData = root + "/data";
    Plan plan;
    if (!planRestore(root, dataDir, plan)) {
        said.err("maped: no recovery copy in " + copyData + " to restore\n");
        return 2;
    }
    // Planned again once no editor can change the world meanwhile.
    WorldLock lock;
    if (!lockPath.empty() && lock.take(lockPath) == LockState::Busy) {
        said.err("maped: not restored, nothing changed: " + lockedByText(lock.otherPid) + "\n");
        return 2;
    }
    plan = Plan();
    if (!planRestore(root, dataDir, plan)) {
        said.err("maped: no recovery copy in " + copyData + " to restore\n");
        return 2;
    }
    if (!plan.refusal.empty()) {
        said.err("maped: not restored, nothing changed: " + plan.refusal + "\n");
        return 2;
    }
    bool ok = writeRecorded(mapFilePath(dataDir), plan.mapBytes, &plan.world, said);
    std::string restored = "map.dat", left;
    for (CopyPart& part : plan.parts) {
        if (part.holding.holds == Holding::Nothing) {
            left += std::string(left.empty() ? "" : " and ") + part.noun;
            continue;
        }
        // Read as the editor reads them: a copy's own files read back to the same bytes.
        int owned = part.holding.owned;
        if (part.pathFor == npcDefPath) {
            std::vector<Actor> npcs(part.files.size());
            for (size_t n = 0; n < npcs.size(); ++n) npcs[n].parse(part.files[n]);
            ok = saveActorFiles(dataDir, npcs, owned, true, said, &plan.world) && ok;
        } else {
            std::vector<Item> items(part.files.size());
            for (size_t n = 0; n < items.size(); ++n) items[n].parse(part.files[n]);
            ok = saveItemFiles(dataDir, items, owned, true, said, &plan.world) && ok;
        }
        restored += std::string(", ") + part.name;
    }
    if (!ok) {
        said.err("maped: " + copyData + " was not restored whole; the copy is kept\n");
        return 1;
    }
    removeCopy(root, plan);
    said.out("Restored " + copyData + " into " + dataDir + "/: " + restored +
             (left.empty() ? "" : "; the world's " + left + " were left as they are (that run never loaded them)") +
             "\n");
    return 0;
}
