#include "world/messages.h"

std::string Messages::text(Stream stream) const {
    std::string all;
    for (const Message& line : lines)
        if (line.stream == stream) all += line.text;
    return all;
}
