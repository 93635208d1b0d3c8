#pragma once
// The checker's own line scanner: it looks at the bytes as they are, so it can see what
// the readers skip over (over-long lines, stray text after a number, a missing line end).
#include <string>
#include <vector>

#include "world/safe_file.h"
#include "world/text_order.h"  // quoted

class TextLine {
public:
    const char* text;  // into the file's bytes; not terminated
    size_t length;     // without the line feed, and without a CR right before it
    size_t rawLength;  // everything before the line feed, a CR included
};

// Splits a file into lines. A last line without a line feed still counts; a file that ends
// with a line feed has no empty line after it; an empty file has no lines.
void splitLines(const std::string& bytes, std::vector<TextLine>& lines);

// "1 line", "20 lines".
std::string lineCount(size_t count);

// World files are read for checking at most CHECK_LIMIT + 1 bytes, never blocking (see
// readFileUpTo): an endless or enormous file is checked by its start, and reported under
// `shown` as larger than anything the editor reads (editorLimit bytes).
constexpr size_t CHECK_LIMIT = 1 << 20;
class Report;
void limitForCheck(Report& report, const std::string& shown, size_t editorLimit, std::string& bytes);
ReadStatus readForCheck(Report& report, const std::string& path, const std::string& shown, size_t editorLimit,
                        std::string& bytes, std::string& reason);
