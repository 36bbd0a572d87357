#include "base/program.h"

#include <windows.h>

std::string executable_path() {
    char path[MAX_PATH] = {};
    if (GetModuleFileNameA(nullptr, path, MAX_PATH) == 0)
        return {};
    return path;
}

std::string executable_folder() {
    const std::string path = executable_path();
    return path.empty() ? path : folder_of_module_path(path);
}

void find_program_folder() {
    const std::string folder = executable_folder();
    if (folder.empty())
        GetCurrentDirectoryA(MAX_PATH, ProgramFolder);
    else
        lstrcpynA(ProgramFolder, folder.c_str(), MAX_PATH);
}
