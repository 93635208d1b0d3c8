#pragma once
// What an operation has to say, in the order it said it: progress lines for standard output,
// warnings for standard error. The world library never prints; whoever called it (the
// editor, a tool, a test) decides where the lines go.
#include <string>
#include <vector>

enum class Stream { Out, Err };

struct Message {
    Stream stream;
    std::string text;  // whole lines, each ending in a line feed
};

class Messages {
public:
    std::vector<Message> lines;

    void out(const std::string& text) { lines.push_back(Message{Stream::Out, text}); }
    void err(const std::string& text) { lines.push_back(Message{Stream::Err, text}); }
    void append(const Messages& more) { lines.insert(lines.end(), more.lines.begin(), more.lines.end()); }
    bool empty() const { return lines.empty(); }
    // Everything said on one stream, in order.
    std::string text(Stream stream) const;
    std::string outText() const { return text(Stream::Out); }
    std::string errText() const { return text(Stream::Err); }
};
