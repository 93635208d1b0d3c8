#pragma once
// How the tools show file paths and text: paths in the order people read them, and a
// line's text in double quotes.
#include <cstddef>
#include <string>

// <0, 0 or >0 as a sorts before, with or after b; digit runs compare by value, so 2.def
// comes before 10.def (and "01" right after "1").
int comparePaths(const std::string& a, const std::string& b);

// Text in double quotes: control and non-ASCII bytes as \xNN, " and \ escaped, and cut
// short with "..." after 40 characters.
std::string quoted(const char* text, size_t length);
inline std::string quoted(const std::string& text) { return quoted(text.data(), text.size()); }
