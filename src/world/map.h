#pragma once
// The world's ground: a fixed 350x350 grid of tile numbers and its text file.
#include <string>

#include "world/disk_record.h"
#include "world/messages.h"

constexpr int TILE_SIZE = 48;  // pixels per cell side, on screen and in the world
constexpr int MAP_SIZE = 350;  // cells per side
constexpr int LAST_TILE = 46;  // the editor offers tiles 0..46
// The map reader takes each line into a buffer of this many characters (and its zero): one
// more than a row, so that the CR of a CR LF line end fits. A longer line stops all reading.
constexpr int MAP_LINE_CHARS = MAP_SIZE + 1;
// The most of a map file the reader can use: each of the 350 rows takes at most 351
// characters and a line feed. Reading no further changes nothing, and stops an endless file.
constexpr size_t MAP_FILE_LIMIT = static_cast<size_t>(MAP_SIZE) * (MAP_LINE_CHARS + 1);

// The tile a map character reads as: its byte as a signed 8-bit value, less 'A'. The reader
// stores a negative one as tile 0. In a fuzz build it carries the same attributes as the
// reader's per-cell loops (no coverage tracing or sanitizer checks), or clang will not inline
// it there, and a traced call per cell was two thirds of a fuzz run's time.
#if defined(__clang__)
__attribute__((no_sanitize("coverage", "address", "undefined")))
#endif
inline int tileOfCharacter(char c) { return static_cast<signed char>(c) - 'A'; }

// Solid tiles: 1, 2, 4, 6, 7, 9, 10, 21, 33, 38, 39, 42, 44, 45, 46. Tile 21 is sea (and solid).
bool isSolidTile(int tile);
constexpr int SEA_TILE = 21;

class Map {
public:
    int tiles[MAP_SIZE][MAP_SIZE] = {};  // [row y][column x]

    void Init();
    int getTileAt(int x, int y) const;
    void setTileAt(int x, int y, int tile);
    // Points are world pixels; column 349, row 349 and anything off the grid count as solid.
    bool isSolid(float x, float y) const;
    bool isSea(float x, float y) const;

    // Writes <dir>/map.dat. Says "Written. closing" on success; on failure says why, leaves
    // the old file as it was and returns false. Given a record of what this run last read or
    // wrote, a file already holding these bytes is not touched, and one changed on disk since
    // is not written over (notSavedChangedWarning).
    bool saveMap(const std::string& dir, Messages& said, DiskRecord* record = nullptr) const;
    // Reads <dir>/map.dat. A missing file says "map file %s is missing", one that is there
    // but cannot be read "map file %s cannot be read: <reason>"; either leaves the grid
    // unchanged and returns false: the caller decides whether that ends the editor. Given a
    // record, notes what was read (or that the file was missing).
    bool loadMap(const std::string& dir, Messages& said, DiskRecord* record = nullptr);
    // Parses the bytes of a map file into the grid; given `said`, says "negative tile at x,y"
    // for each cell read as a negative tile, as the editor's load does. Shared by loadMap, the
    // tools and the fuzzer (which leave the lines out: a short input makes 122,500 of them).
    void parse(const char* data, size_t size, Messages* said = nullptr);
    // The exact bytes saveMap writes.
    std::string serialize() const;
    void serialize(std::string& bytes) const;  // into a buffer kept between calls (the fuzzer's)
};
