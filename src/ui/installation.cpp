#include "ui/installation.h"

#include "base/program.h"
#include "base/text.h"

bool runs_from_unopened_archive(const std::string& folder) {
    return folder.find('$') != std::string::npos && folder.find("\\Temp\\") != std::string::npos;
}

bool same_folder_nocase(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (ascii_lower(a[i]) != ascii_lower(b[i]))
            return false;
    return true;
}

std::string shortcut_path(const std::string& desktop_folder) {
    return desktop_folder + "\\" + ProgramTitle + ".lnk";
}
