#include "platform/library_path.h"

#include <windows.h>

#include "settings/encoding.h"

#ifdef __WINE__
#include <memory>
#include <vector>

namespace {
struct ProcessHeapFree {
    void operator()(void* p) const { HeapFree(GetProcessHeap(), 0, p); }
};
} // namespace

std::string library_path(const char* path) {
    const int wide_len = MultiByteToWideChar(936, 0, path, -1, nullptr, 0);
    if (wide_len <= 0)
        return {};
    std::vector<WCHAR> wide(wide_len);
    MultiByteToWideChar(936, 0, path, -1, wide.data(), wide_len);
    const std::unique_ptr<char, ProcessHeapFree> unix_name(wine_get_unix_file_name(wide.data()));
    return unix_name ? std::string(unix_name.get()) : std::string();
}

std::string program_path(const char* argument) {
    if (argument[0] != '/')
        return argument;
    const std::unique_ptr<WCHAR, ProcessHeapFree> dos_name(
        wine_get_dos_file_name(gbk_to_utf8(std::string(argument)).c_str()));
    if (!dos_name)
        return argument;
    const int len = WideCharToMultiByte(936, 0, dos_name.get(), -1, nullptr, 0, nullptr, nullptr);
    std::string path(len > 0 ? len - 1 : 0, '\0');
    WideCharToMultiByte(936, 0, dos_name.get(), -1, path.data(), len, nullptr, nullptr);
    return path;
}
#else
std::string library_path(const char* path) {
    return gbk_to_utf8(std::string(path));
}

std::string program_path(const char* argument) {
    return argument;
}
#endif
