#include "platform/library_path.h"

#include <windows.h>

#include "base/program.h"
#include "base/utf.h"
#include "platform/wide_path.h"

std::string library_path(const std::string& path) {
    return path;
}

std::string library_font_path(const std::string& path) {
    return "@" + narrow(wide_path(path));
}

// The library reads its environment in UTF-16 (a patch of the Windows build), so no character
// of the folder is lost to a code page.
void use_program_coder_modules() {
    const std::string folder = executable_folder();
    if (folder.empty())
        return;
    SetEnvironmentVariableW(
        L"MAGICK_CODER_MODULE_PATH",
        widen(folder + (folder.back() == '\\' ? "" : "\\") + "modules\\coders").c_str());
}
