// The program's entry point: start-up in its fixed order, then the message loop.
#include <windows.h>

#include "settings/config_file.h"
#include "settings/program_folder.h"

namespace {

// ProgramFolder is the folder of the executable, or the current directory when the
// executable's name cannot be had.
void find_program_folder() {
    char module_path[MAX_PATH] = {};
    if (GetModuleFileNameA(nullptr, module_path, MAX_PATH) <= 0) {
        GetCurrentDirectoryA(MAX_PATH, ProgramFolder);
        return;
    }
    lstrcpynA(ProgramFolder, folder_of_module_path(module_path).c_str(), MAX_PATH);
}

Settings TheSettings;

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    find_program_folder();
    SetCurrentDirectoryA(ProgramFolder);
    TheSettings = Settings{};
    if (!load_config(TheSettings))
        MessageBoxA(nullptr, "读取配置信息出错", "提示", MB_ICONERROR);
    return 0;
}
