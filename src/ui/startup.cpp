// The program's entry point: start-up in its fixed order, then the message loop.
#include <windows.h>

#include <commctrl.h>

#include "core/path_tests.h"
#include "imaging/text_watermark.h"
#include "net/online_services.h"
#include "net/web_page.h"
#include "settings/config_file.h"
#include "settings/program_folder.h"
#include "ui/app_state.h"
#include "ui/preview_window.h"
#include "ui/image_library_registry.h"
#include "ui/log_window.h"
#include "ui/main_controls.h"
#include "ui/main_window.h"
#include "ui/ui_logic.h"
#include "ui/window_helpers.h"

namespace {

constexpr int MainIconResource = 100;
constexpr int PreviewIconResource = 104;

[[noreturn]] void refuse_start(const char* message) {
    MessageBoxA(nullptr, message, "提示", MB_ICONERROR);
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

void append_item(HMENU menu, int id, const char* text) {
    AppendMenuA(menu, MF_STRING, id, text);
}

HMENU build_menu_bar() {
    const HMENU file = CreatePopupMenu();
    append_item(file, DesktopShortcutMenu, "创建桌面快捷方式");
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    append_item(file, ExitMenu, "退出(&Q)");

    const HMENU help = CreatePopupMenu();
    append_item(help, HowToUseMenu, "如何使用");
    AppendMenuA(help, MF_SEPARATOR, 0, nullptr);
    append_item(help, HomePageMenu, "官方网站");
    append_item(help, WatermarkImagesMenu, "下载常用水印图片");
    AppendMenuA(help, MF_SEPARATOR, 0, nullptr);
    append_item(help, AboutMenu, "关于...");

    const HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "文件(&F)");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "帮助(&H)");
    AppendMenuA(bar, MF_STRING | MF_RIGHTJUSTIFY, ContextHelpMenu, "?");
    return bar;
}

HWND create_main_window(HINSTANCE instance) {
    return CreateWindowExA(WS_EX_APPWINDOW, MainWindowClass, ProgramTitle,
                           WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT, CW_USEDEFAULT, 687, 558,
                           nullptr, build_menu_bar(), instance, nullptr);
}

void load_settings_into_controls() {
    TheSettings = Settings{};
    if (!load_config(TheSettings)) {
        // The controls keep the state they were created in.
        MessageBoxA(MainWindow, "读取配置信息出错", "提示", MB_ICONERROR);
        return;
    }
    show_settings(TheSettings);
}

BOOL CALLBACK apply_gui_font_to_child(HWND child, LPARAM) {
    apply_gui_font(child);
    return TRUE;
}

// Hidden until a help request; its button-face pixels are see-through, which gives the
// pop-up its shadow.
void create_help_popup(HINSTANCE instance) {
    HelpPopup = CreateWindowExA(0, MainWindowClass, "context_window", 0x86000007, CW_USEDEFAULT,
                                CW_USEDEFAULT, 320, 28, MainWindow, nullptr, instance, nullptr);
    set_layered_color_key(HelpPopup, GetSysColor(COLOR_BTNFACE), 0, LWA_COLORKEY);
}

// The pointer is a hand over the banner strip, which opens a link when clicked.
void set_banner_pointer(const MSG& message) {
    const LPCSTR cursor = message.hwnd == BannerStatic ? IDC_HAND : IDC_ARROW;
    SetClassLongPtrA(BannerStatic, GCLP_HCURSOR,
                     reinterpret_cast<LONG_PTR>(LoadCursorA(nullptr, cursor)));
}

int run_message_loop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        if (message.message == WM_MOUSEMOVE)
            set_banner_pointer(message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

int start_and_run(HINSTANCE instance, int show_command) {
    find_program_folder();
    check_installation();
    SetCurrentDirectoryA(ProgramFolder);
    build_font_paths();
    ensure_image_library_registry(ProgramFolder);

    Instance = instance;
    MainIcon = LoadIconA(instance, MAKEINTRESOURCEA(MainIconResource));
    PreviewIcon = LoadIconA(instance, MAKEINTRESOURCEA(PreviewIconResource));
    if (!register_window_class(instance, MainWindowClass, main_window_proc, MainIcon,
                               COLOR_BTNFACE))
        return 0;
    MainWindow = create_main_window(instance);
    // The progress bar's class lives in the common controls library.
    INITCOMMONCONTROLSEX common{sizeof common, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&common);
    create_main_controls(instance, MainWindow);
    // Refuses the start itself when a thread cannot be started.
    start_online_services(MainWindow, BannerStatic);
    load_settings_into_controls();

    fit_client_height(MainWindow, 687, 558);
    center_on_screen(MainWindow);
    EnumChildWindows(MainWindow, apply_gui_font_to_child, 0);
    ShowWindow(MainWindow, show_command);
    UpdateWindow(MainWindow);

    create_log_window(instance, MainWindow);
    apply_gui_font(LogEdit);
    create_help_popup(instance);
    create_preview_window(instance, PreviewIcon);
    SetActiveWindow(MainWindow);
    SetFocus(SourceFolderEdit);
    return run_message_loop();
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show_command) {
    try {
        return start_and_run(instance, show_command);
    } catch (...) {
        return 0;
    }
}
