#pragma once
// What every definition record read from arbitrary bytes must satisfy.
#include <cstdlib>
#include <string>

#include "world/defline.h"

// A string read from a line: at most 400 characters, no line feed.
inline void checkLine(const std::string& value) {
    if (value.size() > static_cast<size_t>(MAX_LINE_CHARS) || value.find('\n') != std::string::npos) abort();
}

// A string the writer stores as it is: no NUL (written up to it) and no CR at its end
// (read back without it).
inline bool storedAsIs(const std::string& value) {
    return value.find('\0') == std::string::npos && (value.empty() || value.back() != '\r');
}

// A record whose strings are stored as they are reads back from its own file unchanged.
template <typename Record>
void checkRoundTrip(const Record& read, bool stringsAsIs) {
    if (!stringsAsIs) return;
    std::string written = read.serialize();
    Record again;
    again.parse(written);
    if (again.serialize() != written) abort();
}
