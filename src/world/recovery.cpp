#include "world/recovery.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <sstream>

#include "world/defdir.h"
#include "world/safe_file.h"
#include "world/world_paths.h"

const char* const RECOVERY_DIR = "recovery";
const char* const RECOVERY_DATA_DIR = "recovery/data";

namespace {

const char* const MANIFEST_HEADER = "maped recovery copy";
constexpr size_t MANIFEST_LIMIT = 64 * 1024;
const char* const HOLDING_WORDS[] = {"whole", "placed", "nothing"};

bool warnNotWritten(const std::string& path, const std::string& reason, Messages& said) {
    said.err("***WARNING*** could not write " + path + ": " + reason + "\n");
    return false;
}

// Creates dir unless it is there as a real directory; a link or a file in its place is refused.
bool realDirectory(const std::string& dir, Messages& said) {
    struct stat info;
    if (lstat(dir.c_str(), &info) == 0) return S_ISDIR(info.st_mode) || warnNotWritten(dir, "not a directory", said);
    if (mkdir(dir.c_str(), 0777) == 0) return true;
    return warnNotWritten(dir, strerror(errno), said);
}

// Creates dir and its parents as needed, following links: the per-user place is the user's own
// (a home whose .local is a link is common), unlike the world's folders.
bool userDirectories(const std::string& dir, Messages& said) {
    for (size_t slash = dir.find('/', 1);; slash = dir.find('/', slash + 1)) {
        const std::string part = dir.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return warnNotWritten(part, strerror(errno), said);
        if (slash == std::string::npos) break;
    }
    struct stat info;
    if (stat(dir.c_str(), &info) != 0) return warnNotWritten(dir, strerror(errno), said);
    return S_ISDIR(info.st_mode) || warnNotWritten(dir, "not a directory", said);
}

// The folder's name: the world's, kept to characters that need no quoting, and the time.
std::string userFolderName(const std::string& world) {
    std::string name = world.substr(world.rfind('/') + 1);
    for (char& c : name)
        if (!isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_' && c != '.') c = '_';
    if (name.empty() || name[0] == '.') name = "world" + name;
    char when[32];
    const time_t now = time(nullptr);
    struct tm local;
    strftime(when, sizeof when, "%Y%m%d-%H%M%S", localtime_r(&now, &local));
    return name + "-" + when;
}

}  // namespace

std::string manifestText(const CopyManifest& manifest) {
    std::string text = std::string(MANIFEST_HEADER) + "\nworld " + manifest.world + "\n";
    const std::pair<const char*, const DirHolding*> parts[] = {{"npcdef", &manifest.npcs}, {"idef", &manifest.items}};
    for (const auto& [name, part] : parts)
        text += std::string(name) + " " + HOLDING_WORDS[static_cast<int>(part->holds)] + " " +
                std::to_string(part->files) + " " + std::to_string(part->owned) + "\n";
    return text;
}

// The manifest lies in a world's folder, so it is untrusted: anything unexpected makes it none.
bool parseManifest(const std::string& text, CopyManifest& manifest) {
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line) || line != MANIFEST_HEADER) return false;
    bool seen[2] = {false, false};
    while (std::getline(in, line)) {
        if (line.rfind("world ", 0) == 0) {
            manifest.world = line.substr(6);
            continue;
        }
        std::istringstream fields(line);
        std::string name, word;
        long long files = -1, owned = -1;
        if (!(fields >> name >> word >> files >> owned) || files < 0 || owned < 0 || files > INT_MAX || owned > INT_MAX)
            return false;
        const int which = name == "npcdef" ? 0 : name == "idef" ? 1 : -1;
        DirHolding* part = which == 0 ? &manifest.npcs : &manifest.items;
        int holds = 0;
        while (holds < 3 && word != HOLDING_WORDS[holds]) ++holds;
        if (which < 0 || holds == 3) return false;
        *part = DirHolding{static_cast<Holding>(holds), static_cast<int>(files), static_cast<int>(owned)};
        seen[which] = true;
    }
    return seen[0] && seen[1];
}

bool CopyPlace::manifestAsLeft() const {
    std::string bytes, reason;
    const ReadStatus status = readFileUpTo(root + "/manifest", MANIFEST_LIMIT, bytes, reason);
    return manifest.empty() ? status == ReadStatus::Missing : status == ReadStatus::Read && bytes == manifest;
}

bool CopyPlace::write(const Snapshot& snapshot, Messages& said) {
    const std::string data = root + "/data";
    for (const std::string& dir : {root, data, data + "/npcdef", data + "/idef"})
        if (!realDirectory(dir, said)) return false;
    written.guard = false;
    if (!manifestAsLeft()) {
        // Someone else changed the copy (a restore, another run): what it holds is not known.
        written.clear();
        npcsHeld.clear(), itemsHeld.clear();
        manifest.clear();
    } else if (!manifest.empty() && state == snapshot.state) {
        return true;  // it holds this state already
    }
    // Unfinished from here until the new manifest is in place, should anything fail or the
    // editor die: the removal reaches the disk before any file of the copy changes.
    const std::string manifestPath = root + "/manifest";
    if (unlink(manifestPath.c_str()) != 0 && errno != ENOENT) return warnNotWritten(manifestPath, strerror(errno), said);
    manifest.clear();
    if (int error = syncDirectory(root)) return warnNotWritten(root, strerror(error), said);
    const World& world = *snapshot.world;
    bool ok = writeRecorded(mapFilePath(data), world.map.serialize(), &written, said);
    // Every file of the copy is its own: an earlier and longer copy's files are all replaced or deleted.
    int ownedNpcs = INT_MAX, ownedItems = INT_MAX;
    ok = saveActorFiles(data, world.npcs, ownedNpcs, true, said, &written, &npcsHeld) && ok;
    ok = saveItemFiles(data, world.items, ownedItems, true, said, &written, &itemsHeld) && ok;
    const std::string text = manifestText(snapshot.holds);
    if (!ok || !writeFileAtomically(manifestPath, text, said)) return false;
    manifest = text;
    state = snapshot.state;
    return true;
}

void CopyPlace::retire() {
    if (manifest.empty()) return;
    if (manifestAsLeft() && unlink((root + "/manifest").c_str()) == 0) syncDirectory(root);
    manifest.clear();
}

std::string userRecoveryBase() {
    // The XDG rule: a relative XDG_STATE_HOME is ignored.
    const char* state = getenv("XDG_STATE_HOME");
    if (state && state[0] == '/') return std::string(state) + "/maped/recovery";
    const char* home = getenv("HOME");
    if (home && *home) return std::string(home) + "/.local/state/maped/recovery";
    return "";
}

// One folder per world and run, made new (never one that is there already), and kept for the run.
bool Recovery::makeUserPlace(const std::string& world, Messages& said) {
    if (!user.root.empty()) return true;
    if (userBase.empty()) userBase = userRecoveryBase();
    if (userBase.empty()) {
        said.err("***WARNING*** could not write a recovery copy of this user's own: neither XDG_STATE_HOME nor HOME is set\n");
        return false;
    }
    if (!userDirectories(userBase, said)) return false;
    const std::string name = userBase + "/" + userFolderName(world);
    for (int n = 1; n <= 100; ++n) {
        const std::string folder = n == 1 ? name : name + "-" + std::to_string(n);
        if (mkdir(folder.c_str(), 0700) == 0) {
            user.root = folder;
            return true;
        }
        if (errno != EEXIST) return warnNotWritten(folder, strerror(errno), said);
    }
    return warnNotWritten(name, strerror(EEXIST), said);
}

bool Recovery::keep(const Snapshot& snapshot, Messages& said) {
    CopyPlace* place = nullptr;
    if (!ownPlace) {
        primary.root = root;
        if (primary.write(snapshot, said)) place = &primary;
    }
    if (!place && makeUserPlace(snapshot.holds.world, said) && user.write(snapshot, said)) place = &user;
    if (!place) return false;
    // An older copy in the other place is out of date.
    (place == &primary ? user : primary).retire();
    copied = snapshot.state;
    keptInUser = place == &user;
    const std::string data = place->root + "/data";
    said.err("***WARNING*** unsaved edits kept in " + data + ": copy its files into data/ to keep them\n");
    const std::pair<const DirHolding*, const char*> parts[] = {{&snapshot.holds.npcs, "/npcdef holds only the NPCs"},
                                                               {&snapshot.holds.items, "/idef holds only the items"}};
    for (const auto& [part, what] : parts)
        if (part->holds == Holding::Placed)
            said.err("***WARNING*** " + data + what + " placed in this run: the world's own were never loaded\n");
    return true;
}

void Recovery::keepInBackground(Snapshot snapshot) {
    wait();
    done = false;
    pending = false;
    worker = std::thread([this, taken = std::move(snapshot)] {
        resultSaid = Messages();
        result = keep(taken, resultSaid);
        pending = true;
        done.store(true, std::memory_order_release);
    });
}

bool Recovery::collect(bool& ok, Messages& said) {
    if (worker.joinable()) {
        if (!done.load(std::memory_order_acquire)) return false;
        worker.join();
    }
    if (!pending) return false;
    pending = false;
    ok = result;
    said = std::move(resultSaid);
    return true;
}

void Recovery::wait() {
    if (worker.joinable()) worker.join();
}

void Recovery::retire() {
    wait();
    primary.retire();
    user.retire();
}
