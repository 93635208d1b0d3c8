#pragma once
// How the tools show file paths and text: paths in the order people read them, and a
// line's text in double quotes.
#include <cstddef>
#include <string>

// <0, 0 or >0 as a sorts before, with or after b; digit runs compare by value, so 2.def
// comes before 10.def (and "01" right after "1").
int comparePaths(const std::string& a, const std::string& b);

// Text in double quotes: control and non-ASCII bytes as \xNN, " and \ escaped, and cut
// short with "..." after `shown` characters.
constexpr size_t QUOTED_CHARS = 40;
std::string quoted(const char* text, size_t length, size_t shown = QUOTED_CHARS);
inline std::string quoted(const std::string& text, size_t shown = QUOTED_CHARS) {
    return quoted(text.data(), text.size(), shown);
}
