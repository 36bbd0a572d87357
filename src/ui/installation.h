// Where the program runs and what it leaves on the system: the check of its unpacked folder,
// the image library's registry value and the desktop shortcut's name.
#pragma once
#include <string>

// A program folder with '$' and "\Temp\" lies in the temporary folder of an archive that
// was opened without unpacking it.
bool runs_from_unopened_archive(const std::string& folder);

// Equal texts when ASCII letters are compared without case, byte by byte as _strcmpi does:
// the registry value still names the program folder.
bool same_folder_nocase(const std::string& a, const std::string& b);

// "%s\\%s.lnk": the desktop shortcut's path.
std::string shortcut_path(const std::string& desktop_folder);
