#include "ui/main_window.h"

#include "net/online_services.h"
#include "net/web_page.h"
#include "ui/app_state.h"
#include "ui/batch_worker.h"
#include "ui/commands.h"
#include "ui/context_help.h"
#include "ui/log_window.h"
#include "ui/main_controls.h"
#include "ui/shell_link.h"
#include "ui/ui_logic.h"

namespace {

void show_about_box() {
    MessageBoxA(MainWindow, about_text().c_str(), "关于", MB_ICONINFORMATION);
}

void on_menu_command(int id) {
    switch (id) {
    case DesktopShortcutMenu:
        create_desktop_shortcut(MainWindow);
        break;
    case ExitMenu:
        exit_program();
        break;
    case HowToUseMenu:
        open_site_page("/help.html");
        break;
    case HomePageMenu:
        open_site_page("/");
        break;
    case WatermarkImagesMenu:
        open_site_page("/sy_list.html");
        break;
    case AboutMenu:
        show_about_box();
        break;
    case ContextHelpMenu:
        enter_help_mode();
        break;
    default:
        break;
    }
}

void on_command(WPARAM wparam, LPARAM lparam) {
    if (lparam == 0)
        on_menu_command(LOWORD(wparam));
    else
        on_control_notification(reinterpret_cast<HWND>(lparam), HIWORD(wparam));
}

void on_size(HWND window) {
    if (window == LogWindow)
        fit_log_edit();
}

// The help pop-up vanishes as soon as the user turns elsewhere or clicks it.
void on_activate(HWND window, int state) {
    if (state == WA_INACTIVE && window == HelpPopup)
        ShowWindow(HelpPopup, SW_HIDE);
}

void on_left_button_down(HWND window) {
    if (window == HelpPopup)
        ShowWindow(HelpPopup, SW_HIDE);
    else if (window == MainWindow)
        help_mode_click();
}

void on_close(HWND window) {
    if (window == LogWindow)
        ShowWindow(LogWindow, SW_HIDE); // the log keeps its text for the next lines
    else
        exit_program();
}

bool repaints_banner(HWND window) {
    return window == MainWindow && BannerRepaint;
}

void invalidate_banner() {
    RECT strip;
    GetClientRect(BannerStatic, &strip);
    InvalidateRect(MainWindow, &strip, FALSE);
}

// The strip shows the current banner picture, or a placeholder until there is one.
void paint_banner() {
    invalidate_banner();
    paint_banner_strip(BannerStatic, GuiFont);
}

LRESULT on_ctl_color_static(HWND window, WPARAM wparam, LPARAM lparam) {
    const HWND control = reinterpret_cast<HWND>(lparam);
    if ((control == FontEdit || control == ImageEdit) && IsWindowEnabled(control))
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    return DefWindowProcA(window, WM_CTLCOLORSTATIC, wparam, lparam);
}

LRESULT dispatch(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_SIZE:
        on_size(window);
        return 0;
    case WM_ACTIVATE:
        on_activate(window, LOWORD(wparam));
        return 0;
    case WM_LBUTTONDOWN:
        on_left_button_down(window);
        return 0;
    case WM_KILLFOCUS:
        return 0;
    case WM_CAPTURECHANGED:
        if (window == MainWindow)
            end_help_mode();
        return 0;
    case WM_COMMAND:
        on_command(wparam, lparam);
        return 0;
    case WM_HELP:
        show_context_help();
        return 0;
    case WM_CLOSE:
        on_close(window);
        return 0;
    case WM_PAINT:
        if (window == HelpPopup) {
            paint_help_popup();
            return 0;
        }
        if (repaints_banner(window))
            paint_banner();
        return DefWindowProcA(window, message, wparam, lparam);
    case WM_ERASEBKGND:
        // Every erase of the main window also repaints the strip over it.
        if (repaints_banner(window))
            invalidate_banner();
        return DefWindowProcA(window, message, wparam, lparam);
    case WM_CTLCOLORSTATIC:
        return on_ctl_color_static(window, wparam, lparam);
    case WM_FOCUS_REQUEST:
        SetFocus(reinterpret_cast<HWND>(lparam));
        return 0;
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}

} // namespace

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    try {
        return dispatch(window, message, wparam, lparam);
    } catch (...) {
        return 0; // nothing unwinds into the system's message dispatch
    }
}

void exit_program() {
    if (batch_is_running() && MessageBoxA(MainWindow, "图片正在进行处理，确认要退出吗？", "询问",
                                          MB_ICONQUESTION | MB_YESNO) != IDYES)
        return;
    // At once: no settings saved, no window destroyed, a running batch stops where it is.
    ExitProcess(0);
}
