#include "lines.h"

#include <cstdio>
#include <cstring>

#include "report.h"

void splitLines(const std::string& bytes, std::vector<TextLine>& lines) {
    lines.clear();
    const char* data = bytes.data();
    size_t size = bytes.size(), pos = 0;
    while (pos < size) {
        const char* end = static_cast<const char*>(memchr(data + pos, '\n', size - pos));
        size_t raw = end ? static_cast<size_t>(end - (data + pos)) : size - pos;
        size_t length = raw;
        // The readers drop a CR only when a line feed follows it.
        if (end && length > 0 && data[pos + length - 1] == '\r') --length;
        lines.push_back(TextLine{data + pos, length, raw});
        pos += raw + 1;
    }
}

std::string lineCount(size_t count) { return std::to_string(count) + (count == 1 ? " line" : " lines"); }

void limitForCheck(Report& report, const std::string& shown, size_t editorLimit, std::string& bytes) {
    if (bytes.size() <= CHECK_LIMIT) return;
    bytes.resize(CHECK_LIMIT);
    report.add(shown, "is larger than " + std::to_string(CHECK_LIMIT) + " bytes; the editor reads only the first " +
                          std::to_string(editorLimit) + " and this check only the first " +
                          std::to_string(CHECK_LIMIT));
}

ReadStatus readForCheck(Report& report, const std::string& path, const std::string& shown, size_t editorLimit,
                        std::string& bytes, std::string& reason) {
    ReadStatus status = readFileUpTo(path, CHECK_LIMIT + 1, bytes, reason);
    if (status == ReadStatus::Read) limitForCheck(report, shown, editorLimit, bytes);
    return status;
}
