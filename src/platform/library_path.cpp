#include "platform/library_path.h"

#include <windows.h>

#include "base/encoding.h"

std::string library_path(const char* path) {
    return gbk_to_utf8(std::string(path));
}

std::string library_font_path(const char* path) {
    return std::string("@") + path;
}

// The library reads its environment in UTF-16 (a patch of the Windows build), so no character
// of the folder is lost to a code page.
void use_program_coder_modules() {
    wchar_t module[MAX_PATH];
    const DWORD len = GetModuleFileNameW(nullptr, module, MAX_PATH);
    if (len == 0 || len == MAX_PATH)
        return;
    std::wstring folder(module, len);
    folder.resize(folder.rfind(L'\\') + 1);
    SetEnvironmentVariableW(L"MAGICK_CODER_MODULE_PATH", (folder + L"modules\\coders").c_str());
}
