// The drivers git calls once `worldgit install` has set them up: each reads the files git
// hands it through the editor's readers and prints in worlddiff's and worldmerge's form.
#include <cstdio>
#include <memory>
#include <vector>

#include "world/defdir.h"
#include "world/defline.h"
#include "world/record_layout.h"
#include "world/text_order.h"
#include "world/world_merge.h"
#include "world/world_paths.h"
#include "worldgit.h"

namespace {
void print(const std::string& text) { fwrite(text.data(), 1, text.size(), stdout); }

// git hands /dev/null for the side where a file does not exist.
bool absent(const std::string& file) { return file == "/dev/null"; }

// Reads one file of the kind into the world (a map, or a list of one record); false with why.
bool readInto(FileKind kind, const std::string& file, World& world, std::string& why) {
    std::string bytes;
    const size_t limit = kind == FileKind::Map ? MAP_FILE_LIMIT : DEF_FILE_LIMIT;
    if (readFileUpTo(file, limit, bytes, why) != ReadStatus::Read) return false;
    if (kind == FileKind::Map) world.map.parse(bytes.data(), bytes.size());
    if (kind == FileKind::Npc) world.npcs.emplace_back(), world.npcs.back().parse(bytes);
    if (kind == FileKind::Item) world.items.emplace_back(), world.items.back().parse(bytes);
    return true;
}

std::string withPath(const std::string& path, int line, const std::string& message) {
    return path + (line > 0 ? ":" + std::to_string(line) : "") + ": " + message + "\n";
}
}  // namespace

FileKind fileKind(const std::string& name) {
    return name == "map" ? FileKind::Map : name == "npc" ? FileKind::Npc : name == "item" ? FileKind::Item : FileKind::Unknown;
}

// git stops a whole diff when an external driver fails: a file that cannot be read is said in
// its place and the status stays 0.
int diffDriver(const std::vector<std::string>& args) {
    const FileKind kind = args.empty() ? FileKind::Unknown : fileKind(args[0]);
    if (kind == FileKind::Unknown || (args.size() != 2 && args.size() != 8)) {
        fprintf(stderr, "worldgit: diff takes a kind (map, npc or item) and git's seven arguments\n");
        return TROUBLE;
    }
    const std::string& path = args[1];
    if (args.size() == 2) {
        print(withPath(path, 0, "unmerged"));
        return DONE;
    }
    const std::string& oldFile = args[2];
    const std::string& newFile = args[5];
    if (kind == FileKind::Map && (absent(oldFile) || absent(newFile))) {
        print(withPath(path, 0, absent(oldFile) ? "added" : "removed"));
        return DONE;
    }
    auto olds = std::make_unique<World>(), news = std::make_unique<World>();
    std::string why;
    if ((!absent(oldFile) && !readInto(kind, oldFile, *olds, why)) || (!absent(newFile) && !readInto(kind, newFile, *news, why))) {
        print(withPath(path, 0, "cannot be read: " + why));
        return DONE;
    }
    // A one-record list numbers its file 0: the lines name git's path instead.
    WorldDiff diff = diffWorlds(*olds, *news);
    if (diff.empty()) print(withPath(path, 0, "no differences as the editor reads it"));
    for (const DiffLine& line : diff.lines) print(withPath(path, line.line, line.message));
    return DONE;
}

// What git compares line by line in log -p and show (which run no external diff unless given
// --ext-diff): a line per cell, "13: x=3: tile 21", or per field, "16: name \"Bob\"".
int textconvDriver(const std::vector<std::string>& args) {
    const FileKind kind = args.size() == 2 ? fileKind(args[0]) : FileKind::Unknown;
    if (kind == FileKind::Unknown) {
        fprintf(stderr, "worldgit: textconv takes a kind (map, npc or item) and a file\n");
        return TROUBLE;
    }
    auto world = std::make_unique<World>();
    std::string why;
    if (!readInto(kind, args[1], *world, why)) {
        fprintf(stderr, "worldgit: cannot read %s: %s\n", args[1].c_str(), why.c_str());
        return TROUBLE;
    }
    std::string out;
    if (kind == FileKind::Map) {
        // 122,500 lines for every revision git shows: numbers are spelled once, then copied.
        std::vector<std::string> columns, tiles;
        for (int x = 0; x < MAP_SIZE; ++x) columns.push_back(": x=" + std::to_string(x) + ": tile ");
        out.reserve(static_cast<size_t>(MAP_SIZE) * MAP_SIZE * 20);
        for (int y = 0; y < MAP_SIZE; ++y) {
            const std::string row = std::to_string(y + 1);
            for (int x = 0; x < MAP_SIZE; ++x) {
                const int tile = world->map.tiles[y][x];
                while (static_cast<int>(tiles.size()) <= tile) tiles.push_back(std::to_string(tiles.size()) + "\n");
                out.append(row).append(columns[static_cast<size_t>(x)]).append(tiles[static_cast<size_t>(tile)]);
            }
        }
        print(out);
        return DONE;
    }
    const RecordLayout& layout = kind == FileKind::Npc ? NPC_LAYOUT : ITEM_LAYOUT;
    const std::string record = kind == FileKind::Npc ? world->npcs[0].serialize() : world->items[0].serialize();
    size_t start = 0;
    for (int line = 1; line <= layout.lines && start < record.size(); ++line) {
        size_t end = record.find('\n', start);
        const std::string value = record.substr(start, end - start);
        const FieldInfo& field = layout.at(line);
        out += std::to_string(line) + ": " + field.name + " " +
               (field.kind == FieldKind::String ? quoted(value, static_cast<size_t>(MAX_LINE_CHARS)) : value) + "\n";
        start = end + 1;
    }
    print(out);
    return DONE;
}

// Status 0 merged, 1 conflicts (OURS's tiles kept, no markers), 2 not written: git takes any
// status but 0 as a conflict.
int mergeMapDriver(const std::vector<std::string>& args) {
    if (args.size() != 4) {
        fprintf(stderr, "worldgit: merge-map takes BASE OURS THEIRS PATH, as git's %%O %%A %%B %%P\n");
        return TROUBLE;
    }
    auto base = std::make_unique<World>(), ours = std::make_unique<World>(), theirs = std::make_unique<World>();
    std::string why;
    // A side git gives as an empty file (both added the map) reads as a map of tile 0.
    for (auto [file, world] : {std::make_pair(&args[0], base.get()), {&args[1], ours.get()}, {&args[2], theirs.get()}})
        if (!readInto(FileKind::Map, *file, *world, why)) {
            fprintf(stderr, "worldgit: cannot read %s for %s: %s\n", file->c_str(), args[3].c_str(), why.c_str());
            return TROUBLE;
        }
    std::vector<DiffLine> conflicts;
    mergeMaps(base->map, ours->map, theirs->map, ours->map, args[3], conflicts);
    Messages said;
    if (!writeFileAtomically(args[1], ours->map.serialize(), said)) {
        fputs(said.errText().c_str(), stderr);
        return TROUBLE;
    }
    for (const DiffLine& line : conflicts) print(withPath(line.path, line.line, line.message));
    return conflicts.empty() ? DONE : CONFLICTED;
}
