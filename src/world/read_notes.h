#pragma once
// What a reader met that its writer never writes, told to whoever asks (the checker, the
// diff) in place of the messages the editor prints on its console. A reader given notes
// prints nothing; what it reads is the same either way.
#include <vector>

enum class NoteKind {
    NegativeTile,  // map: a cell that reads as a tile below 0 and is stored as tile 0
};

class ReadNote {
public:
    NoteKind kind;
    int line;   // from 1: the map row plus one, or the definition file's line
    int x;      // the map column
    int value;  // the tile read
};

class ReadNotes {
public:
    std::vector<ReadNote> list;
    void add(NoteKind kind, int line, int x, int value) { list.push_back(ReadNote{kind, line, x, value}); }
};
