// Shell links: the desktop shortcut of the File menu.
#pragma once
#include <windows.h>

// Writes a shell link file. E_INVALIDARG, doing nothing, for a missing target or link path,
// a null text, or a negative show command or icon index.
HRESULT create_shell_link(const char* target_path, const char* arguments, const char* link_path,
                          const char* description, int show_command, const char* working_folder,
                          const char* icon_path, int icon_index);

// Puts a shortcut to the program on the desktop and says so; a failure says nothing.
void create_desktop_shortcut(HWND main_window);
