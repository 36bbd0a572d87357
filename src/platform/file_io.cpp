#include "platform/file_io.h"

#include <climits>

#include "base/text_mode.h"

unique_file open_for_reading(const char* path) {
    return unique_file(CreateFileA(path, GENERIC_READ,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::optional<std::string> read_file(const char* path) {
    const unique_file file = open_for_reading(path);
    if (!file)
        return std::nullopt;
    std::string data;
    char chunk[64 * 1024];
    for (DWORD got; ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr);) {
        if (got == 0)
            return data;
        data.append(chunk, got);
    }
    return std::nullopt;
}

bool write_file(const char* path, std::string_view data) {
    const unique_file file(CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    while (!data.empty()) {
        const DWORD want = data.size() > INT_MAX ? INT_MAX : static_cast<DWORD>(data.size());
        DWORD written = 0;
        if (!WriteFile(file.get(), data.data(), want, &written, nullptr) || written == 0)
            return false;
        data.remove_prefix(written);
    }
    return true;
}

std::optional<std::string> read_text_file(const char* path) {
    auto disk = read_file(path);
    if (!disk)
        return std::nullopt;
    return from_text_mode(*disk);
}

bool write_text_file(const char* path, std::string_view text) {
    return write_file(path, to_text_mode(text));
}
