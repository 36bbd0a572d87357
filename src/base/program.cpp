#include "base/program.h"

std::string ProgramFolder;

std::string folder_of_module_path(const std::string& module_path) {
    // In UTF-8 no byte of another character is a backslash.
    const std::size_t last = module_path.rfind('\\');
    if (last == std::string::npos)
        return module_path;
    if (last > 0 && module_path[last - 1] == ':')
        return module_path.substr(0, last + 1);
    return module_path.substr(0, last);
}

std::string program_file_path(const char* name) {
    return ProgramFolder + "\\" + name;
}
