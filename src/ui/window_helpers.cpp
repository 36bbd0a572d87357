#include "ui/window_helpers.h"

#include <commctrl.h>

#include "platform/unique_handle.h"
#include "platform/win32_scopes.h"
#include "ui/window_geometry.h"

int fit_client_height(HWND window, int width, int height) {
    RECT client;
    GetClientRect(window, &client);
    const int correction = client_height_correction(height, client.bottom);
    if (correction != 0)
        SetWindowPos(window, nullptr, 0, 0, width, height + correction, SWP_NOMOVE | SWP_NOZORDER);
    return correction;
}

void center_on_screen(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    const ScreenPoint p =
        centered_position(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYMAXIMIZED),
                          client.right, client.bottom);
    SetWindowPos(window, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void set_layered_color_key(HWND window, COLORREF key, int alpha, DWORD flags) {
    const unique_module user32(LoadLibraryA("User32.DLL"));
    if (!user32)
        return;
    SetWindowLongA(window, GWL_EXSTYLE, GetWindowLongA(window, GWL_EXSTYLE) | WS_EX_LAYERED);
    using SetAttributes = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    const auto set_attributes = reinterpret_cast<SetAttributes>(
        reinterpret_cast<void*>(GetProcAddress(user32.get(), "SetLayeredWindowAttributes")));
    if (set_attributes)
        set_attributes(window, key, static_cast<BYTE>(alpha), flags);
}

HFONT create_gui_font() {
    LOGFONTA font{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    lstrcpynA(font.lfFaceName, "宋体", LF_FACESIZE);
    font.lfWeight = FW_NORMAL;
    const WindowDC desktop(GetDesktopWindow());
    font.lfHeight = gui_font_height(font.lfHeight, GetDeviceCaps(desktop.get(), LOGPIXELSX));
    return CreateFontIndirectA(&font);
}

void set_window_font(HWND window, HFONT font) {
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

namespace {

struct ChildSwitch {
    HWND spared;
    BOOL enable;
};

// Win32 calls back with its own calling convention, so this cannot be a lambda.
BOOL CALLBACK switch_child(HWND child, LPARAM data) {
    const auto* change = reinterpret_cast<const ChildSwitch*>(data);
    if (child != change->spared)
        EnableWindow(child, change->enable);
    return TRUE;
}

} // namespace

void enable_children_except(HWND parent, HWND spared, bool enable) {
    ChildSwitch change{spared, enable};
    EnumChildWindows(parent, switch_child, reinterpret_cast<LPARAM>(&change));
}

void set_progress_range(HWND progress_bar, int maximum) {
    if (maximum > 0xFFFF)
        SendMessageA(progress_bar, PBM_SETRANGE32, 0, maximum);
    else
        SendMessageA(progress_bar, PBM_SETRANGE, 0, MAKELPARAM(0, maximum));
}

bool register_window_class(HINSTANCE instance, const char* name, WNDPROC procedure, HICON icon,
                           int background_colour) {
    WNDCLASSEXA window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hIcon = icon;
    window_class.hIconSm = icon;
    window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    window_class.hbrBackground =
        reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background_colour + 1));
    window_class.lpszClassName = name;
    return RegisterClassExA(&window_class) != 0;
}
