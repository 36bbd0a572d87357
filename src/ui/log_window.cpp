#include "ui/log_window.h"

#include "ui/app_state.h"

HWND LogWindow;
HWND LogEdit;

void create_log_window(HINSTANCE instance, HWND main_window) {
    LogWindow = CreateWindowExA(WS_EX_TOOLWINDOW, MainWindowClass, "处理日志",
                                WS_SYSMENU | WS_THICKFRAME, CW_USEDEFAULT, CW_USEDEFAULT, 460, 168,
                                main_window, nullptr, instance, nullptr);
    // Not read-only and without horizontal scrolling, so long lines wrap.
    LogEdit = CreateWindowExA(WS_EX_CLIENTEDGE, "edit", "",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, 0,
                              0, 687, 530, LogWindow, nullptr, instance, nullptr);
    // A long run may log more than the default 30,000 characters; none of it is dropped.
    SendMessageA(LogEdit, EM_SETLIMITTEXT, 0, 0);
    fit_log_edit();
}

void fit_log_edit() {
    RECT client;
    GetClientRect(LogWindow, &client);
    MoveWindow(LogEdit, 0, 0, client.right, client.bottom, TRUE);
}

namespace {

void append_at_end(const char* text) {
    const int length = GetWindowTextLengthA(LogEdit);
    SendMessageA(LogEdit, EM_SETSEL, length, length);
    SendMessageA(LogEdit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
    SendMessageA(LogEdit, WM_VSCROLL, SB_BOTTOM, 0);
}

} // namespace

void append_log_line(const char* text) {
    // The line break goes in separately, so every text ends in exactly one CR LF.
    append_at_end(text);
    append_at_end("\r\n");
    if (!IsWindowVisible(LogWindow))
        ShowWindow(LogWindow, SW_SHOW);
}
