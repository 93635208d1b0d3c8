#pragma once
// One value per line: the encoding shared by NPC and item definition files.
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <tuple>

constexpr int MAX_LINE_CHARS = 400;  // longer lines cannot be read back whole
// The most of a definition file the readers can use: 20 lines (an NPC's; an item has 12) of
// 400 characters and a CR LF. Reading no further changes nothing, and stops an endless file.
constexpr size_t DEF_FILE_LIMIT = 20 * (MAX_LINE_CHARS + 2);

// Converts like atoi (leading blanks, optional sign, leading digits; 0 when none),
// but saturates at the int range instead of overflowing.
int parseInt(const char* text);
// A float member as its file number: truncated toward zero, saturated at the int range, NaN as 0.
int truncateToInt(float value);

// What the reader meets in a number line. Plain is how the editor writes a number: an
// optional minus and digits within the int range. Anything else reads as its leading
// number (after blanks and a sign), or 0.
enum class NumberForm { Plain, Empty, NotPlain, OutOfRange };

class NumberLine {
public:
    int value;  // as readNumberFromFile converts the line
    NumberForm form;
};
// A number line's text (without its line end) as the reader reads it: a line over 400
// characters is cut to 400 first, as the reader cuts it; the form is the whole line's.
NumberLine readNumberLine(const char* text, size_t length);
inline bool isCutLine(size_t length) { return length > static_cast<size_t>(MAX_LINE_CHARS); }

// Reads one line (at most 400 characters; a longer line fails the stream) and converts it.
int readNumberFromFile(std::istream& in);
// Reads one line, at most 400 characters, without its line feed (nor a CR before it).
std::string readStringFromFile(std::istream& in);
void writeNumberToFile(int value, std::ostream& out);
// Writes the string up to its first NUL, then a line feed.
void writeStringToFile(std::string value, std::ostream& out);
// The same lines appended to a string: the savers write 10,000 records this way, several
// times faster than through a stream.
void appendNumberLine(std::string& out, int value);
void appendStringLine(std::string& out, const std::string& value);
// A record's lines, each value a number or a text (up to its first NUL, as written), in order.
inline void appendLine(std::string& out, int value) { appendNumberLine(out, value); }
inline void appendLine(std::string& out, std::string_view text) { out.append(text), out.push_back('\n'); }
template <typename... Values>
void appendLines(std::string& out, const std::tuple<Values...>& lines) {
    std::apply([&out](const auto&... value) { (appendLine(out, value), ...); }, lines);
}
// A definition file that is there but cannot be read (a directory, a pipe, no permission)
// is not called missing: "***WARNING*** could not read <path>: <reason>". It ends the load as
// a missing file does.
std::string unreadableWarning(const std::string& path, const std::string& reason);
