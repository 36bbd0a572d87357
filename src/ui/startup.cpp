// The program's entry point: start-up in its fixed order, then the message loop.
#include <windows.h>

#include <commctrl.h>

#include "base/program.h"
#include "base/utf.h"
#include "core/captions.h"
#include "net/web_page.h"
#include "platform/file_system.h"
#include "platform/win32_scopes.h"
#include "settings/config_file.h"
#include "ui/app.h"
#include "ui/image_library_registry.h"
#include "ui/installation.h"
#include "ui/log_window.h"
#include "ui/main_controls.h"
#include "ui/main_window.h"
#include "ui/online_window.h"
#include "ui/preview_window.h"
#include "ui/window_helpers.h"

namespace {

constexpr int MainIconResource = 100;
constexpr int PreviewIconResource = 104;

[[noreturn]] void refuse_start(const char* message) {
    message_box(nullptr, message, NoticeCaption, MB_ICONERROR);
    open_site_page("/unzip.html");
    ExitProcess(static_cast<UINT>(-1));
}

// The program must run from a folder that was properly unpacked, with the image library's
// JPEG coder beside it.
void check_installation() {
    if (runs_from_unopened_archive(ProgramFolder))
        refuse_start(
            "请先对软件压缩包进行解压缩后再启动软件。\n\n点击[确定]按钮，查看正确的解压缩方式。");
    if (!file_exists(program_file_path("modules\\coders\\IM_MOD_RL_jpeg_.dll").c_str()))
        refuse_start("软件无法正常启动，可能是没有对下载的文件进行正确的解压缩。\n\n点击[确定]"
                     "按钮，查看正确的解压缩方式。");
}

void append_item(HMENU menu, UINT flags, UINT_PTR id, const char* text) {
    AppendMenuW(menu, flags, id, widen(text).c_str());
}

void append_item(HMENU menu, int id, const char* text) {
    append_item(menu, MF_STRING, id, text);
}

void append_separator(HMENU menu) {
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
}

HMENU build_menu_bar() {
    const HMENU file = CreatePopupMenu();
    append_item(file, MoreSettingsMenu, "更多设置(&M)...");
    append_separator(file);
    append_item(file, DesktopShortcutMenu, "创建桌面快捷方式");
    append_separator(file);
    append_item(file, ExitMenu, "退出(&Q)");

    const HMENU help = CreatePopupMenu();
    append_item(help, HowToUseMenu, "如何使用");
    append_separator(help);
    append_item(help, HomePageMenu, "官方网站");
    append_item(help, WatermarkImagesMenu, "下载常用水印图片");
    append_separator(help);
    append_item(help, AboutMenu, "关于...");

    const HMENU bar = CreateMenu();
    append_item(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "文件(&F)");
    append_item(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "帮助(&H)");
    append_item(bar, MF_STRING | MF_RIGHTJUSTIFY, ContextHelpMenu, "?");
    return bar;
}

// Created at the 96-DPI size; fit_client_height gives it the size of its display's DPI.
HWND create_main_window(App& app) {
    return CreateWindowExW(WS_EX_APPWINDOW, MainWindowClass, widen(ProgramTitle).c_str(),
                           WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT, CW_USEDEFAULT, 687, 558,
                           nullptr, build_menu_bar(), app.Instance, &app);
}

void load_settings_into_controls(App& app) {
    app.Shop = read_shop_options_file(shop_options_path());
    app.TheSettings = Settings{};
    if (!load_config(app.TheSettings)) {
        // The controls keep the state they were created in.
        message_box(app.MainWindow, "读取配置信息出错", NoticeCaption, MB_ICONERROR);
        return;
    }
    show_settings(app, app.TheSettings);
}

// Hidden until a help request, which gives it its size; its button-face pixels are see-through,
// which gives the pop-up its shadow.
void create_help_popup(App& app) {
    app.HelpPopup =
        CreateWindowExW(0, MainWindowClass, L"context_window", 0x86000007, CW_USEDEFAULT,
                        CW_USEDEFAULT, 320, 28, app.MainWindow, nullptr, app.Instance, &app);
    set_layered_color_key(app.HelpPopup, GetSysColor(COLOR_BTNFACE), 0, LWA_COLORKEY);
}

// The pointer is a hand over the banner strip, which opens a link when clicked.
void set_banner_pointer(HWND banner_static, const MSG& message) {
    const HCURSOR cursor = system_cursor(message.hwnd == banner_static ? IDC_HAND : IDC_ARROW);
    SetClassLongPtrW(banner_static, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(cursor));
}

// Messages are taken and handed on in their Unicode form, as every window of the program is a
// Unicode window: a character typed or given by an input method reaches the edit boxes whole.
int run_message_loop(const App& app) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        if (message.message == WM_MOUSEMOVE)
            set_banner_pointer(app.BannerStatic, message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

int start_and_run(App& app, HINSTANCE instance, int show_command) {
    // The shell's dialogs and the preview's pictures need COM on this thread.
    const ComScope com;
    find_program_folder();
    check_installation();
    SetCurrentDirectoryW(widen(ProgramFolder).c_str());
    ensure_image_library_registry(ProgramFolder.c_str());

    app.Instance = instance;
    app.MainIcon = LoadIconW(instance, MAKEINTRESOURCEW(MainIconResource));
    app.PreviewIcon = LoadIconW(instance, MAKEINTRESOURCEW(PreviewIconResource));
    if (!register_window_class(instance, MainWindowClass, main_window_proc, app.MainIcon,
                               COLOR_BTNFACE))
        return 0;
    app.MainWindow = create_main_window(app);
    app.Dpi = window_dpi(app.MainWindow);
    // The progress bar's class lives in the common controls library.
    INITCOMMONCONTROLSEX common{sizeof common, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&common);
    create_main_controls(app, instance, app.MainWindow, app.Dpi);
    // Refuses the start itself when a thread cannot be started.
    app.Banners = start_online_services(app.MainWindow, app.BannerStatic);
    paint_banner_on_its_own(app);
    load_settings_into_controls(app);

    fit_client_height(app.MainWindow, 687, 558, app.Dpi);
    center_on_screen(app.MainWindow, app.Dpi);
    app.GuiFont = create_gui_font(app.Dpi);
    set_children_font(app.MainWindow, app.GuiFont.get());
    ShowWindow(app.MainWindow, show_command);
    UpdateWindow(app.MainWindow);

    create_log_window(app, app.MainWindow);
    set_window_font(app.LogEdit, app.GuiFont.get());
    create_help_popup(app);
    create_preview_window(instance, app.PreviewIcon, app.Dpi);
    SetActiveWindow(app.MainWindow);
    SetFocus(app.SourceFolderEdit);
    return run_message_loop(app);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
    // Lives until the process ends: the online services' threads and a worker may still use it
    // while the process exits.
    static App app;
    try {
        return start_and_run(app, instance, show_command);
    } catch (...) {
        return 0;
    }
}
