// The definition-file line readers on arbitrary bytes, against a plain model: a line is the
// bytes up to a line feed (without a CR before it), at most 400 of them, and a number is
// what strtoll makes of that line, saturated at the int range.
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

#include "world/defline.h"

static int referenceNumber(const std::string& line) {
    long long value = strtoll(line.c_str(), nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // The same bytes read as strings and as numbers, line by line in step.
    std::istringstream asStrings(bytes), asNumbers(bytes);
    size_t pos = 0;  // where the next line starts while the stream is good
    for (int i = 0; i < 64; ++i) {
        const bool wasFailed = asStrings.fail();
        const std::string line = readStringFromFile(asStrings);
        const int number = readNumberFromFile(asNumbers);
        if (asStrings.fail() != asNumbers.fail()) abort();
        if (line.size() > static_cast<size_t>(MAX_LINE_CHARS) || line.find('\n') != std::string::npos) abort();
        if (number != referenceNumber(line) || number != parseInt(line.c_str())) abort();
        if (wasFailed) {
            if (!line.empty()) abort();  // a failed stream stays failed and gives nothing
            break;
        }
        // The line is the data at pos, then a line feed (maybe after a CR), the end, or more
        // characters than a line holds.
        if (bytes.compare(pos, line.size(), line) != 0) abort();
        pos += line.size();
        if (pos == size) continue;
        if (bytes[pos] == '\n') {
            ++pos;
        } else if (bytes.compare(pos, 2, "\r\n") == 0) {
            pos += 2;
        } else if (line.size() != static_cast<size_t>(MAX_LINE_CHARS) || !asStrings.fail()) {
            abort();
        }
    }

    // What the writers write reads back: any number, and a string stored as it is.
    if (size >= 4) {
        int value;
        memcpy(&value, data, sizeof value);
        std::ostringstream out;
        writeNumberToFile(value, out);
        std::string text = bytes.substr(4, MAX_LINE_CHARS);
        size_t cut = text.find_first_of(std::string("\n\0", 2));
        if (cut != std::string::npos) text.resize(cut);
        while (!text.empty() && text.back() == '\r') text.pop_back();  // read back without them
        writeStringToFile(text, out);
        std::istringstream in(out.str());
        if (readNumberFromFile(in) != value || readStringFromFile(in) != text) abort();
    }
    return 0;
}
