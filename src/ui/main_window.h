// The window procedure of the one window class: the main window, LogWindow and HelpPopup.
#pragma once
#include <windows.h>

#include "ui/app.h"

// Menu command identifiers.
enum MenuId : int {
    DesktopShortcutMenu = 32769,
    ExitMenu = 32770,
    HowToUseMenu = 32771,
    HomePageMenu = 32772,
    WatermarkImagesMenu = 32773,
    AboutMenu = 32774,
    ContextHelpMenu = 32775,
    MoreSettingsMenu = 32776,
};

// Each window of the class is created with its App as creation data (CreateWindowExW's last
// argument).
LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Closing the main window: asks first while a batch runs, then ends the process at once.
void exit_program(const App& app);

// BannerStatic paints the banner strip in its own paints as well as in the main window's.
void paint_banner_on_its_own(const App& app);
