#include "base/text_mode.h"

std::string from_text_mode(std::string_view disk) {
    std::string text;
    text.reserve(disk.size());
    for (std::size_t i = 0; i < disk.size(); ++i)
        if (!(disk[i] == '\r' && i + 1 < disk.size() && disk[i + 1] == '\n'))
            text += disk[i];
    return text;
}

std::string to_text_mode(std::string_view text) {
    std::string disk;
    disk.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n')
            disk += '\r';
        disk += c;
    }
    return disk;
}
