#include "ui/window_helpers.h"

#include <commctrl.h>

#include "base/utf.h"
#include "platform/win32_scopes.h"
#include "ui/window_geometry.h"

void set_window_text(HWND window, std::string_view text) {
    SetWindowTextW(window, widen(text).c_str());
}

std::string window_text(HWND window) {
    return window_text(window, GetWindowTextLengthW(window) + 1);
}

std::string window_text(HWND window, int buffer_size) {
    std::wstring text(buffer_size, L'\0');
    text.resize(GetWindowTextW(window, text.data(), buffer_size));
    return narrow(text);
}

int message_box(HWND owner, std::string_view text, std::string_view caption, UINT style) {
    return MessageBoxW(owner, widen(text).c_str(), widen(caption).c_str(), style);
}

namespace {

int desktop_dpi() {
    const WindowDC desktop(nullptr);
    return GetDeviceCaps(desktop.get(), LOGPIXELSX);
}

} // namespace

// GetDpiForWindow came with Windows 10 (1607), so it is looked up, not imported.
int window_dpi(HWND window) {
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto dpi_for_window = reinterpret_cast<DpiForWindow>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    const int dpi = dpi_for_window ? static_cast<int>(dpi_for_window(window)) : 0;
    return dpi > 0 ? dpi : desktop_dpi();
}

// SetDialogDpiChangeBehavior came with Windows 10 (1703), so it is looked up, not imported;
// before it the system scaled no dialog.
void lay_out_dialog_on_dpi_change_itself(HWND dialog) {
    using DialogDpiChange = BOOL(WINAPI*)(HWND, int, int);
    static const auto set_behavior = reinterpret_cast<DialogDpiChange>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetDialogDpiChangeBehavior")));
    constexpr int DisableAll = 1; // DDC_DISABLE_ALL
    if (set_behavior)
        set_behavior(dialog, DisableAll, DisableAll);
}

// The outer size first, since the menu bar's height may follow the width; then the height
// again, by what the client area lacks.
int fit_client_height(HWND window, int width, int height, int dpi) {
    const int outer_width = scale_to_dpi(width, dpi), outer_height = scale_to_dpi(height, dpi);
    RECT outer;
    GetWindowRect(window, &outer);
    if (outer.right - outer.left != outer_width || outer.bottom - outer.top != outer_height)
        SetWindowPos(window, nullptr, 0, 0, outer_width, outer_height, SWP_NOMOVE | SWP_NOZORDER);
    RECT client;
    GetClientRect(window, &client);
    const int correction = scale_to_dpi(height - 44, dpi) - client.bottom;
    if (correction != 0)
        SetWindowPos(window, nullptr, 0, 0, outer_width, outer_height + correction,
                     SWP_NOMOVE | SWP_NOZORDER);
    return correction;
}

void center_on_screen(HWND window, int dpi) {
    RECT client;
    GetClientRect(window, &client);
    const ScreenPoint p =
        centered_position(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYMAXIMIZED),
                          client.right, client.bottom, dpi);
    SetWindowPos(window, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void set_layered_color_key(HWND window, COLORREF key, int alpha, DWORD flags) {
    SetWindowLongW(window, GWL_EXSTYLE, GetWindowLongW(window, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(window, key, static_cast<BYTE>(alpha), flags);
}

// The stock font comes at the desktop's DPI: its height in the 96-DPI layout is scaled to the
// window's like every other length.
unique_font create_gui_font(int dpi) {
    LOGFONTW font{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    lstrcpynW(font.lfFaceName, L"宋体", LF_FACESIZE);
    font.lfWeight = FW_NORMAL;
    font.lfHeight = scale_to_dpi(gui_font_height(font.lfHeight, desktop_dpi()), dpi);
    return unique_font(CreateFontIndirectW(&font));
}

void set_window_font(HWND window, HFONT font) {
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

namespace {

// Win32 calls back with its own calling convention, so these cannot be lambdas.
BOOL CALLBACK set_child_font(HWND child, LPARAM font) {
    set_window_font(child, reinterpret_cast<HFONT>(font));
    return TRUE;
}

struct ChildSwitch {
    HWND spared;
    BOOL enable;
};

BOOL CALLBACK switch_child(HWND child, LPARAM data) {
    const auto* change = reinterpret_cast<const ChildSwitch*>(data);
    if (child != change->spared)
        EnableWindow(child, change->enable);
    return TRUE;
}

} // namespace

void set_children_font(HWND parent, HFONT font) {
    EnumChildWindows(parent, set_child_font, reinterpret_cast<LPARAM>(font));
}

void enable_children_except(HWND parent, HWND spared, bool enable) {
    ChildSwitch change{spared, enable};
    EnumChildWindows(parent, switch_child, reinterpret_cast<LPARAM>(&change));
}

void set_progress_range(HWND progress_bar, int maximum) {
    if (maximum > 0xFFFF)
        SendMessageW(progress_bar, PBM_SETRANGE32, 0, maximum);
    else
        SendMessageW(progress_bar, PBM_SETRANGE, 0, MAKELPARAM(0, maximum));
}

bool register_window_class(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, HICON icon,
                           int background_colour) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hIcon = icon;
    window_class.hIconSm = icon;
    window_class.hCursor = system_cursor(IDC_ARROW);
    window_class.hbrBackground =
        reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background_colour + 1));
    window_class.lpszClassName = name;
    return RegisterClassExW(&window_class) != 0;
}

HCURSOR system_cursor(LPCSTR id) {
    return LoadCursorW(nullptr, MAKEINTRESOURCEW(reinterpret_cast<ULONG_PTR>(id)));
}

void move_to_suggested_rect(HWND window, LPARAM suggested) {
    const RECT& r = *reinterpret_cast<const RECT*>(suggested);
    SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND create_child(const ChildLayout& layout, HWND parent, HINSTANCE instance, int dpi) {
    const LayoutRect r = scale_rect(layout.rect, dpi);
    return CreateWindowExW(layout.client_edge ? WS_EX_CLIENTEDGE : 0, layout.class_name,
                           widen(layout.text).c_str(), WS_CHILD | WS_VISIBLE | layout.style, r.x,
                           r.y, r.width, r.height, parent,
                           reinterpret_cast<HMENU>(INT_PTR(layout.id)), instance, nullptr);
}

void place_child(HWND control, const ChildLayout& layout, int dpi) {
    const LayoutRect r = scale_rect(layout.rect, dpi);
    SetWindowPos(control, nullptr, r.x, r.y, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
}
