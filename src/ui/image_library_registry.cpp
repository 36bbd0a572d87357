#include "ui/image_library_registry.h"

#include <cstdio>

#include <windows.h>

#include "base/utf.h"
#include "core/captions.h"
#include "platform/unique_handle.h"
#include "ui/installation.h"
#include "ui/window_helpers.h"

namespace {

constexpr wchar_t LibraryKey[] = L"SOFTWARE\\ImageMagick\\6.8.9\\Q:16";

[[noreturn]] void fail(const char* message) {
    message_box(nullptr, message, StartupErrorCaption, MB_ICONERROR);
    ExitProcess(static_cast<UINT>(-1));
}

void set_text_value(HKEY key, const wchar_t* name, const char* value, const char* failure) {
    const std::wstring text = widen(value);
    if (RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS)
        fail(failure);
}

} // namespace

void ensure_image_library_registry(const char* folder) {
    HKEY raw = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, LibraryKey, 0, KEY_READ, &raw) != ERROR_SUCCESS) {
        write_image_library_registry(folder);
        return;
    }
    const unique_key key(raw);
    // A value too long for the buffer is not the folder's: it is written anew.
    wchar_t bin_path[1024] = {};
    DWORD size = sizeof bin_path - sizeof(wchar_t);
    if (RegQueryValueExW(key.get(), L"BinPath", nullptr, nullptr, reinterpret_cast<BYTE*>(bin_path),
                         &size) != ERROR_SUCCESS ||
        !same_folder_nocase(narrow(bin_path), folder))
        write_image_library_registry(folder);
}

void write_image_library_registry(const char* folder) {
    HKEY raw = nullptr;
    const LONG created =
        RegCreateKeyExW(HKEY_CURRENT_USER, LibraryKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, &raw, nullptr);
    if (created == ERROR_ACCESS_DENIED)
        fail("对注册表的相关设置因权限不足无法正常保存，请[以管理员身份运行此程序]。");
    if (created != ERROR_SUCCESS) {
        char message[160];
        std::snprintf(message, sizeof message,
                      "创建一个新Key [SOFTWARE\\ImageMagick\\6.8.9\\Q:16] 时出错, 返回值:%ld\n",
                      static_cast<long>(created));
        fail(message);
    }
    const unique_key key(raw);
    set_text_value(key.get(), L"BinPath", folder, "创建一个新项 BinPath 时出错");
    set_text_value(key.get(), L"ConfigurePath", folder, "创建一个新项 ConfigurePath 时出错");
    set_text_value(key.get(), L"LibPath", folder, "创建一个新项 LibPath 时出错");
    set_text_value(key.get(), L"CoderModulesPath", "modules\\coders",
                   "创建一个新项 CoderModulesPath 时出错");
    set_text_value(key.get(), L"FilterModulesPath", "modules\\filters",
                   "创建一个新项 FilterModulesPath 时出错");
}
