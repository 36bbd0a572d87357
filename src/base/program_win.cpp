#include "base/program.h"

#include <windows.h>

#include "base/utf.h"

// The buffer grows until the whole path fits: a program folder may be longer than MAX_PATH.
std::string executable_path() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return narrow(path);
        }
        path.resize(path.size() * 2);
    }
}

std::string executable_folder() {
    const std::string path = executable_path();
    return path.empty() ? path : folder_of_module_path(path);
}

void find_program_folder() {
    ProgramFolder = executable_folder();
    if (!ProgramFolder.empty())
        return;
    std::wstring current(GetCurrentDirectoryW(0, nullptr), L'\0');
    current.resize(GetCurrentDirectoryW(DWORD(current.size()), current.data()));
    ProgramFolder = narrow(current);
}
