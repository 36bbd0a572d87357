#include "platform/wide_path.h"

#include <windows.h>

#include "base/utf.h"

namespace {

bool is_separator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

bool names_drive(const std::wstring& path) {
    return path.size() >= 3 && path[1] == L':' && is_separator(path[2]);
}

bool is_unc(const std::wstring& path) {
    return path.size() > 2 && is_separator(path[0]) && is_separator(path[1]) && path[2] != L'?' &&
           path[2] != L'.';
}

} // namespace

// A \\?\ path is taken as it is: the system no longer resolves "..", "/" or doubled separators
// in it, so that is done here first.
std::wstring full_wide_path(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return path;
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size)
        return path;
    full.resize(length);
    return full;
}

std::wstring wide_path(const std::string& path) {
    const std::wstring wide = widen(path);
    if (names_drive(wide))
        return L"\\\\?\\" + full_wide_path(wide);
    if (is_unc(wide)) {
        const std::wstring full = full_wide_path(wide);
        return is_unc(full) ? L"\\\\?\\UNC\\" + full.substr(2) : full;
    }
    return wide;
}
