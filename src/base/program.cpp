#include "base/program.h"

#include "base/text.h"

char ProgramFolder[260];

std::string folder_of_module_path(const std::string& module_path) {
    // Step over double-byte characters: a trail byte may be 0x5C, the backslash.
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < module_path.size(); ++i) {
        if (is_gbk_lead_byte(module_path[i]) && i + 1 < module_path.size())
            ++i;
        else if (module_path[i] == '\\')
            last = i;
    }
    if (last == std::string::npos)
        return module_path;
    if (last > 0 && module_path[last - 1] == ':')
        return module_path.substr(0, last + 1);
    return module_path.substr(0, last);
}

std::string program_file_path(const char* name) {
    return std::string(ProgramFolder) + "\\" + name;
}
