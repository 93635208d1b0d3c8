#include "world/map.h"

#include <cstdio>
#include <cstring>

#include "world/safe_file.h"
#include "world/world_paths.h"

namespace {
constexpr int TILE_COUNT = LAST_TILE + 1;
constexpr bool SOLID[TILE_COUNT] = {
    false, true,  true,  false, true,  false, true,  true,  false, true,  // 0..9
    true,  false, false, false, false, false, false, false, false, false,  // 10..19
    false, true,  false, false, false, false, false, false, false, false,  // 20..29
    false, false, false, true,  false, false, false, false, true,  true,   // 30..39
    false, false, true,  false, true,  true,  true,                        // 40..46
};
constexpr int LINE_BUFFER = MAP_LINE_CHARS + 1;  // and the terminating zero
constexpr size_t MAP_FILE_BYTES = static_cast<size_t>(MAP_SIZE) * (MAP_SIZE + 1);

bool onGrid(int x, int y) { return x >= 0 && x < MAP_SIZE && y >= 0 && y < MAP_SIZE; }

// The cell of a world point, when it lies on the usable grid: column 349 and row 349 are not.
// Points between -48 and 0 truncate to cell 0; NaN is off the grid.
bool usableCell(float x, float y, int& cx, int& cy) {
    constexpr float limit = (MAP_SIZE - 1) * TILE_SIZE;
    if (!(x > -TILE_SIZE && x < limit && y > -TILE_SIZE && y < limit)) return false;
    cx = static_cast<int>(x) / TILE_SIZE;
    cy = static_cast<int>(y) / TILE_SIZE;
    return true;
}
}  // namespace

bool isSolidTile(int tile) { return tile >= 0 && tile < TILE_COUNT && SOLID[tile]; }

void Map::Init() { memset(tiles, 0, sizeof tiles); }

int Map::getTileAt(int x, int y) const { return onGrid(x, y) ? tiles[y][x] : 0; }

void Map::setTileAt(int x, int y, int tile) {
    if (onGrid(x, y)) tiles[y][x] = tile;
}

bool Map::isSolid(float x, float y) const {
    int cx, cy;
    if (!usableCell(x, y, cx, cy)) return true;
    if (x < 0.0f || y < 0.0f) return true;
    return isSolidTile(tiles[cy][cx]);
}

bool Map::isSea(float x, float y) const {
    int cx, cy;
    if (!usableCell(x, y, cx, cy)) return false;
    return tiles[cy][cx] == SEA_TILE;
}

// Per-cell loops with fixed bounds over fixed-size arrays: the fuzzing build's coverage
// tracing of every comparison and its sanitizer checks of every cell were nearly all of a fuzz
// run's time (under 400 inputs a second), and there is nothing in them for either to find.
#if defined(__clang__)
#define UNINSTRUMENTED __attribute__((noinline, no_sanitize("coverage", "address", "undefined")))
#else
#define UNINSTRUMENTED
#endif

// A row's tiles from the line buffer: the signed value less 'A', negative ones stored as 0.
// Done on bytes first (16 cells an instruction), then widened: twice as fast as on ints.
UNINSTRUMENTED static void convertRow(const char* line, int* row) {
    unsigned char tile[MAP_SIZE];
    for (int x = 0; x < MAP_SIZE; ++x) {
        int t = tileOfCharacter(line[x]);
        tile[x] = static_cast<unsigned char>(t < 0 ? 0 : t);
    }
    for (int x = 0; x < MAP_SIZE; ++x) row[x] = tile[x];
}

UNINSTRUMENTED static void writeRow(const int* row, char* out) {
    for (int x = 0; x < MAP_SIZE; ++x) out[x] = static_cast<char>((static_cast<unsigned>(row[x]) + 65u) & 255u);
}

std::string Map::serialize() const {
    std::string bytes;
    serialize(bytes);
    return bytes;
}

void Map::serialize(std::string& bytes) const {
    bytes.resize(MAP_FILE_BYTES);
    char* out = &bytes[0];
    for (int y = 0; y < MAP_SIZE; ++y) {
        writeRow(tiles[y], out);
        out[MAP_SIZE] = '\n';
        out += MAP_SIZE + 1;
    }
}

static void reportRow(const char* line, int y, std::string& reports) {
    for (int x = 0; x < MAP_SIZE; ++x) {
        if (tileOfCharacter(line[x]) >= 0) continue;
        char message[48];
        int length = snprintf(message, sizeof message, "negative tile at %i,%i\n", x, y);
        reports.append(message, static_cast<size_t>(length));
    }
}

// Reads rows as a line reader with a 352-byte buffer does: at most 351 characters up to a
// line feed, which is consumed. An over-long line or the end of the data stops all later
// reads, which then store only a zero at position 0, so those rows keep columns 1..349 of
// the last line read. A short line leaves earlier rows' characters after its zero.
void Map::parse(const char* data, size_t size, Messages* said) {
    char line[LINE_BUFFER] = {};  // defined from the start: an empty file reads zeros, not garbage
    size_t pos = 0;
    bool stopped = false;
    std::string reports;
    for (int y = 0; y < MAP_SIZE; ++y) {
        if (stopped) {
            line[0] = 0;
        } else {
            size_t room = size - pos < LINE_BUFFER - 1 ? size - pos : LINE_BUFFER - 1;
            const char* end = room ? static_cast<const char*>(memchr(data + pos, '\n', room)) : nullptr;
            size_t count = end ? static_cast<size_t>(end - (data + pos)) : room;
            if (count) memcpy(line, data + pos, count);
            line[count] = 0;
            pos += count;
            if (pos >= size) stopped = true;  // end of file, even after a last line without LF
            else if (data[pos] == '\n') ++pos;
            else stopped = true;  // longer than 351 characters
        }
        convertRow(line, tiles[y]);
        if (said) reportRow(line, y, reports);
    }
    if (!reports.empty()) said->err(reports);
}

bool Map::saveMap(const std::string& dir, Messages& said, DiskRecord* record) const {
    if (!writeRecorded(mapFilePath(dir), serialize(), record, said)) return false;
    said.out("Written. closing\n");
    return true;
}

bool Map::loadMap(const std::string& dir, Messages& said, DiskRecord* record) {
    std::string path = mapFilePath(dir);
    std::string bytes, reason;
    ReadStatus status = readFileUpTo(path, MAP_FILE_LIMIT, bytes, reason);
    if (status == ReadStatus::Missing) {
        if (record) record->noteMissing(path);
        said.err("map file " + path + " is missing\n");
        return false;
    }
    // A map that is there (a directory, a pipe, a file without read permission) is not
    // called missing: the message says what is wrong with it.
    if (status != ReadStatus::Read) {
        said.err("map file " + path + " cannot be read: " + reason + "\n");
        return false;
    }
    parse(bytes.data(), bytes.size(), &said);
    if (record) record->noteRead(path, bytes, MAP_FILE_LIMIT);
    said.out("map loaded....\n");
    return true;
}
