#include "ui/main_window.h"

#include <commctrl.h>
#include <utility>

#include "core/captions.h"
#include "net/web_page.h"
#include "ui/batch_worker.h"
#include "ui/commands.h"
#include "ui/context_help.h"
#include "ui/log_window.h"
#include "ui/main_controls.h"
#include "ui/more_settings_dialog.h"
#include "ui/online_window.h"
#include "ui/shell_link.h"
#include "ui/window_helpers.h"
#include "ui/window_texts.h"

namespace {

void show_about_box(const App& app) {
    message_box(app.MainWindow, about_text(), AboutCaption, MB_ICONINFORMATION);
}

void on_menu_command(App& app, int id) {
    switch (id) {
    case MoreSettingsMenu:
        show_more_settings_dialog(app);
        break;
    case DesktopShortcutMenu:
        create_desktop_shortcut(app.MainWindow);
        break;
    case ExitMenu:
        exit_program(app);
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
        show_about_box(app);
        break;
    case ContextHelpMenu:
        enter_help_mode(app);
        break;
    default:
        break;
    }
}

void on_command(App& app, WPARAM wparam, LPARAM lparam) {
    if (lparam == 0)
        on_menu_command(app, LOWORD(wparam));
    else
        on_control_notification(app, reinterpret_cast<HWND>(lparam), HIWORD(wparam));
}

void on_size(const App& app, HWND window) {
    if (window == app.LogWindow)
        fit_log_edit(app);
}

// The help pop-up vanishes as soon as the user turns elsewhere or clicks it.
void on_activate(const App& app, HWND window, int state) {
    if (state == WA_INACTIVE && window == app.HelpPopup)
        ShowWindow(app.HelpPopup, SW_HIDE);
}

void on_left_button_down(App& app, HWND window) {
    if (window == app.HelpPopup)
        ShowWindow(app.HelpPopup, SW_HIDE);
    else if (window == app.MainWindow)
        help_mode_click(app);
}

void on_close(const App& app, HWND window) {
    if (window == app.LogWindow)
        ShowWindow(app.LogWindow, SW_HIDE); // the log keeps its text for the next lines
    else
        exit_program(app);
}

bool repaints_banner(const App& app, HWND window) {
    return window == app.MainWindow && app.BannerRepaint;
}

void invalidate_banner(const App& app) {
    RECT strip;
    GetClientRect(app.BannerStatic, &strip);
    InvalidateRect(app.MainWindow, &strip, FALSE);
}

// The strip shows the current banner picture, or a placeholder until there is one.
void paint_banner(const App& app) {
    invalidate_banner(app);
    paint_banner_strip(app.BannerStatic, app.GuiFont.get(), app.Banners);
}

// The strip's own paints draw the banner too: the static control of the common controls (with
// visual styles) clears a bitmap static that holds no bitmap whenever it paints itself, which
// would leave the strip blank after anything that covered it.
LRESULT CALLBACK banner_static_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                    UINT_PTR, DWORD_PTR data) {
    const App& app = *reinterpret_cast<const App*>(data);
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        paint_banner_strip(window, app.GuiFont.get(), app.Banners);
        return 0;
    default:
        return DefSubclassProc(window, message, wparam, lparam);
    }
}

LRESULT on_ctl_color_static(const App& app, HWND window, WPARAM wparam, LPARAM lparam) {
    const HWND control = reinterpret_cast<HWND>(lparam);
    if ((control == app.FontEdit || control == app.ImageEdit) && IsWindowEnabled(control))
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    return DefWindowProcW(window, WM_CTLCOLORSTATIC, wparam, lparam);
}

// The main window is laid out and its font made anew for the display it moved to; every window
// takes the size the system suggests for that display.
void on_dpi_changed(App& app, HWND window, int dpi, LPARAM suggested) {
    if (window == app.MainWindow) {
        app.Dpi = dpi;
        unique_font font = create_gui_font(dpi);
        set_children_font(app.MainWindow, font.get());
        set_window_font(app.LogEdit, font.get());
        app.GuiFont = std::move(font); // the old one only now that no control holds it
        place_main_controls(app, dpi);
    }
    move_to_suggested_rect(window, suggested);
}

LRESULT dispatch(App& app, HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_SIZE:
        on_size(app, window);
        return 0;
    case WM_ACTIVATE:
        on_activate(app, window, LOWORD(wparam));
        return 0;
    case WM_LBUTTONDOWN:
        on_left_button_down(app, window);
        return 0;
    case WM_KILLFOCUS:
        return 0;
    case WM_CAPTURECHANGED:
        if (window == app.MainWindow)
            end_help_mode(app);
        return 0;
    case WM_COMMAND:
        on_command(app, wparam, lparam);
        return 0;
    case WM_HELP:
        show_context_help(app);
        return 0;
    case WM_CLOSE:
        on_close(app, window);
        return 0;
    case WM_PAINT:
        if (window == app.HelpPopup) {
            paint_help_popup(app);
            return 0;
        }
        if (repaints_banner(app, window))
            paint_banner(app);
        return DefWindowProcW(window, message, wparam, lparam);
    case WM_ERASEBKGND:
        // Every erase of the main window also repaints the strip over it.
        if (repaints_banner(app, window))
            invalidate_banner(app);
        return DefWindowProcW(window, message, wparam, lparam);
    case WM_CTLCOLORSTATIC:
        return on_ctl_color_static(app, window, wparam, lparam);
    case WM_DPICHANGED:
        on_dpi_changed(app, window, LOWORD(wparam), lparam);
        return 0;
    case WM_FOCUS_REQUEST:
        SetFocus(reinterpret_cast<HWND>(lparam));
        return 0;
    case WM_SETTINGS_BACK:
        app.TheSettings = *reinterpret_cast<const Settings*>(lparam);
        return 0;
    case WM_RESTORE_CONTROLS:
        give_controls_back(app);
        return 0;
    default:
        return DefWindowProcW(window, message, wparam, lparam);
    }
}

} // namespace

// The three windows of the class carry the application object from their creation on; until
// then (and for a window created without it) the system's defaults answer.
LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    try {
        if (message == WM_NCCREATE)
            attach_app(window, *reinterpret_cast<const CREATESTRUCTW*>(lparam));
        if (App* app = app_of(window))
            return dispatch(*app, window, message, wparam, lparam);
        return DefWindowProcW(window, message, wparam, lparam);
    } catch (...) {
        return 0; // nothing unwinds into the system's message dispatch
    }
}

void exit_program(const App& app) {
    if (batch_is_running(app) && message_box(app.MainWindow, "图片正在进行处理，确认要退出吗？",
                                             QuestionCaption, MB_ICONQUESTION | MB_YESNO) != IDYES)
        return;
    // At once: no settings saved, no window destroyed, a running batch stops where it is.
    ExitProcess(0);
}

void paint_banner_on_its_own(const App& app) {
    SetWindowSubclass(app.BannerStatic, banner_static_proc, 0, reinterpret_cast<DWORD_PTR>(&app));
}
