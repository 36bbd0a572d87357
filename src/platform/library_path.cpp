#include "platform/library_path.h"

#include <windows.h>

#include "settings/encoding.h"

#ifdef __WINE__
#include <memory>
#include <vector>

namespace {
struct ProcessHeapFree {
    void operator()(char* p) const { HeapFree(GetProcessHeap(), 0, p); }
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
#else
std::string library_path(const char* path) { return gbk_to_utf8(std::string(path)); }
#endif
