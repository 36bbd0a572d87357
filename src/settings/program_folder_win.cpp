#include "settings/program_folder.h"

#include <windows.h>

void find_program_folder() {
    char module_path[MAX_PATH] = {};
    if (GetModuleFileNameA(nullptr, module_path, MAX_PATH) <= 0) {
        GetCurrentDirectoryA(MAX_PATH, ProgramFolder);
        return;
    }
    lstrcpynA(ProgramFolder, folder_of_module_path(module_path).c_str(), MAX_PATH);
}
