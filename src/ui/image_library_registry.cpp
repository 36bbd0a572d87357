#include "ui/image_library_registry.h"

#include <cstdio>
#include <cstring>

#include <windows.h>

#include "core/captions.h"
#include "platform/unique_handle.h"
#include "ui/installation.h"

namespace {

constexpr char LibraryKey[] = "SOFTWARE\\ImageMagick\\6.8.9\\Q:16";

[[noreturn]] void fail(const char* message) {
    MessageBoxA(nullptr, message, StartupErrorCaption, MB_ICONERROR);
    ExitProcess(static_cast<UINT>(-1));
}

void set_text_value(HKEY key, const char* name, const char* value, const char* failure) {
    if (RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>(std::strlen(value) + 1)) != ERROR_SUCCESS)
        fail(failure);
}

} // namespace

void ensure_image_library_registry(const char* folder) {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, LibraryKey, 0, KEY_READ, &raw) != ERROR_SUCCESS) {
        write_image_library_registry(folder);
        return;
    }
    const unique_key key(raw);
    char bin_path[1024] = {};
    DWORD size = sizeof bin_path - 1;
    if (RegQueryValueExA(key.get(), "BinPath", nullptr, nullptr, reinterpret_cast<BYTE*>(bin_path),
                         &size) != ERROR_SUCCESS ||
        !same_folder_nocase(bin_path, folder))
        write_image_library_registry(folder);
}

void write_image_library_registry(const char* folder) {
    HKEY raw = nullptr;
    const LONG created =
        RegCreateKeyExA(HKEY_CURRENT_USER, LibraryKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
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
    set_text_value(key.get(), "BinPath", folder, "创建一个新项 BinPath 时出错");
    set_text_value(key.get(), "ConfigurePath", folder, "创建一个新项 ConfigurePath 时出错");
    set_text_value(key.get(), "LibPath", folder, "创建一个新项 LibPath 时出错");
    set_text_value(key.get(), "CoderModulesPath", "modules\\coders",
                   "创建一个新项 CoderModulesPath 时出错");
    set_text_value(key.get(), "FilterModulesPath", "modules\\filters",
                   "创建一个新项 FilterModulesPath 时出错");
}
