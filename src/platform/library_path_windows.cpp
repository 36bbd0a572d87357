#include "platform/library_path.h"

#include "base/encoding.h"

std::string library_path(const char* path) {
    return gbk_to_utf8(std::string(path));
}

std::string program_path(const char* argument) {
    return argument;
}

std::string system_font_file(const std::string&, bool, bool) {
    return {};
}

std::string fallback_font_file() {
    return {};
}
