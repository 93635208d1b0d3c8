#include "world/defline.h"

#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>

int parseInt(const char* text) {
    while (isspace(static_cast<unsigned char>(*text))) ++text;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    // Accumulate toward the sign's side so INT_MIN itself fits.
    long long value = 0;
    while (*text >= '0' && *text <= '9') {
        value = value * 10 + (*text - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
        ++text;
    }
    if (negative) return static_cast<int>(-value);
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

int truncateToInt(float value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483648.0f) return INT_MAX;
    if (value <= -2147483648.0f) return INT_MIN;
    return static_cast<int>(value);
}

std::string readStringFromFile(std::istream& in) {
    std::string line;
    std::istream::sentry ready(in, true);  // a failed or ended stream yields "" and stays failed
    if (!ready) return line;
    using Traits = std::istream::traits_type;
    std::streambuf* buffer = in.rdbuf();
    bool tookAny = false, endedByLineFeed = false;
    std::ios::iostate state = std::ios::goodbit;
    for (;;) {
        Traits::int_type c = buffer->sgetc();
        if (Traits::eq_int_type(c, Traits::eof())) {
            state |= tookAny ? std::ios::eofbit : std::ios::eofbit | std::ios::failbit;
            break;
        }
        tookAny = true;
        if (c == '\n') {
            buffer->sbumpc();
            endedByLineFeed = true;
            break;
        }
        if (line.size() == static_cast<size_t>(MAX_LINE_CHARS)) {
            // A CR LF ending still fits; anything else means the line is too long to read back.
            if (c == '\r' && Traits::eq_int_type(buffer->snextc(), Traits::to_int_type('\n'))) {
                buffer->sbumpc();
                break;
            }
            state |= std::ios::failbit;
            break;
        }
        line.push_back(Traits::to_char_type(c));
        buffer->sbumpc();
    }
    if (endedByLineFeed && !line.empty() && line.back() == '\r') line.pop_back();
    if (state != std::ios::goodbit) in.setstate(state);
    return line;
}

int readNumberFromFile(std::istream& in) { return parseInt(readStringFromFile(in).c_str()); }

NumberLine readNumberLine(const char* text, size_t length) {
    std::string kept(text, isCutLine(length) ? static_cast<size_t>(MAX_LINE_CHARS) : length);
    NumberLine line{parseInt(kept.c_str()), NumberForm::Plain};
    size_t start = length > 0 && text[0] == '-' ? 1 : 0;
    bool digits = length > start;
    for (size_t i = start; i < length && digits; ++i) digits = text[i] >= '0' && text[i] <= '9';
    if (length == 0) {
        line.form = NumberForm::Empty;
    } else if (!digits) {
        line.form = NumberForm::NotPlain;
    } else {
        long long exact = 0;
        for (size_t i = start; i < length && exact <= INT_MAX + 1LL; ++i) exact = exact * 10 + (text[i] - '0');
        if (start ? -exact < INT_MIN : exact > INT_MAX) line.form = NumberForm::OutOfRange;
    }
    return line;
}

void appendNumberLine(std::string& out, int value) {
    char digits[16];
    char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    *end++ = '\n';
    out.append(digits, end);
}

void appendStringLine(std::string& out, const std::string& value) {
    out.append(value.c_str());  // up to the first NUL
    out.push_back('\n');
}

void writeNumberToFile(int value, std::ostream& out) {
    std::string line;
    appendNumberLine(line, value);
    out << line;
}

void writeStringToFile(std::string value, std::ostream& out) {
    std::string line;
    appendStringLine(line, value);
    out << line;
}

std::string unreadableWarning(const std::string& path, const std::string& reason) {
    return "***WARNING*** could not read " + path + ": " + reason + "\n";
}
