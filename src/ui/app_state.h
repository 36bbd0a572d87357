// The process-wide windows and values that the main window, start-up and the batch worker
// share. Each is set once on the main thread during start-up, except where noted.
#pragma once
#include <atomic>

#include <windows.h>

#include "settings/settings.h"

// The one window class: the main window, LogWindow and HelpPopup.
constexpr char MainWindowClass[] = "CodeBlocksWindowsApp";

extern HINSTANCE Instance;
extern HWND MainWindow;
extern HWND HelpPopup;
extern HICON MainIcon;    // icon resource 100: the window class
extern HICON PreviewIcon; // icon resource 104: the preview window
extern HFONT GuiFont;     // created by apply_gui_font on first use

// The one settings record: written by the main thread and by a batch run, never at the
// same time (every control that could start a writer is disabled during a run).
extern Settings TheSettings;

// 1 while the main window repaints its banner strip; 0 while all controls are switched at
// once, which would otherwise repaint the strip once per control.
extern std::atomic<int> BannerRepaint;

// The window message by which a thread other than the main one asks for the keyboard focus
// for the control whose handle is in lParam.
constexpr UINT WM_FOCUS_REQUEST = WM_USER + 1;
