// The application object: the windows, the controls and the shared values of the main window,
// owned by the main thread. Every thread may read a field; the comment at each says which
// thread may write it.
#pragma once
#include <atomic>
#include <string>

#include <windows.h>

#include "net/banner_rotation.h"
#include "platform/unique_handle.h"
#include "settings/settings.h"
#include "settings/shop_options.h"

// The one window class: the main window, LogWindow and HelpPopup.
constexpr wchar_t MainWindowClass[] = L"CodeBlocksWindowsApp";

// The 44 controls of the main window under the names of the form. Written once, by
// create_main_controls on the main thread during start-up; the window tree owns the controls.
struct MainControls {
    HWND BannerStatic, SourceFolderLabel, SourceFolderEdit, SourceFolderButton;
    HWND WidthCheck, WidthEdit, QualityCheck, QualityCombo, RotateCheck, RotateCombo;
    HWND SubfoldersCheck, BasicGroup, BasicGroupLabel;
    HWND TextLabel, TextEdit, TextOpacityLabel, TextOpacityCombo, TextPositionLabel;
    HWND TextHorzCombo, TextHorzEdit, TextVertCombo, TextVertEdit, FontLabel, FontEdit;
    HWND FontButton, TextPreviewButton, TextGroup, TextWatermarkCheck;
    HWND ImageLabel, ImageEdit, ImageButton, ImagePositionLabel, ImageHorzCombo;
    HWND ImageHorzEdit, ImageVertCombo, ImageVertEdit, ImagePreviewButton, ImageGroup;
    HWND ImageWatermarkCheck, TargetFolderLabel, TargetFolderEdit, TargetFolderButton;
    HWND ProgressBar, StartButton;
};

struct App : MainControls {
    // Written once by start-up on the main thread, before any other thread starts.
    HINSTANCE Instance = nullptr;
    HWND MainWindow = nullptr;
    HICON MainIcon = nullptr;    // icon resource 100: the window class
    HICON PreviewIcon = nullptr; // icon resource 104: the preview window
    // Written once by start-up on the main thread, after the online services have started.
    HWND LogWindow = nullptr;
    HWND LogEdit = nullptr;
    HWND HelpPopup = nullptr;
    // Written once by start-up on the main thread; the rotation lives until the process ends.
    BannerRotation* Banners = nullptr;

    // Main thread only. The DPI the main window is laid out for, and the interface font at it,
    // made anew when the window moves to a display of another DPI.
    int Dpi = 96;
    unique_font GuiFont;
    // Main thread only. The settings the window shows and every run and preview starts from. A
    // run works on its own copy and hands the checked record back (WM_SETTINGS_BACK).
    Settings TheSettings{};
    // Main thread only. The steps of the 更多设置 dialog, as options.ini holds them.
    ShopOptions Shop;
    // Main thread only. false while all controls are switched at once, which would otherwise
    // repaint the banner strip once per control.
    bool BannerRepaint = true;
    // Main thread only. The context help: whether the next click asks for help, and the text
    // HelpPopup shows (kept for repainting it).
    bool HelpMode = false;
    std::string HelpText;

    // 1 while a batch worker runs: set by the main thread as it starts the worker, cleared by
    // the worker as its last act.
    std::atomic<int> ProcessingFlag{0};
};

// The messages by which other threads ask the main thread to act on the window's state.
// The keyboard focus for the control whose handle is in lParam.
constexpr UINT WM_FOCUS_REQUEST = WM_USER + 1;
// The checked settings of a run (a const Settings* in lParam) become TheSettings.
constexpr UINT WM_SETTINGS_BACK = WM_USER + 2;
// A run has ended: every control goes back to the user.
constexpr UINT WM_RESTORE_CONTROLS = WM_USER + 3;

// The application object of a window of the main window class, given to CreateWindowExW as its
// creation data; null before WM_NCCREATE and for a window created without one.
App* app_of(HWND window);

// Stores the creation data of WM_NCCREATE as the window's application object.
void attach_app(HWND window, const CREATESTRUCTW& creation);
