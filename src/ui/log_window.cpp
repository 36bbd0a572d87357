#include "ui/log_window.h"

void create_log_window(App& app, HWND main_window) {
    app.LogWindow = CreateWindowExA(WS_EX_TOOLWINDOW, MainWindowClass, "处理日志",
                                    WS_SYSMENU | WS_THICKFRAME, CW_USEDEFAULT, CW_USEDEFAULT, 460,
                                    168, main_window, nullptr, app.Instance, &app);
    // Not read-only and without horizontal scrolling, so long lines wrap.
    app.LogEdit =
        CreateWindowExA(WS_EX_CLIENTEDGE, "edit", "",
                        WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0,
                        687, 530, app.LogWindow, nullptr, app.Instance, nullptr);
    // A long run may log more than the default 30,000 characters; none of it is dropped.
    SendMessageA(app.LogEdit, EM_SETLIMITTEXT, 0, 0);
    fit_log_edit(app);
}

void fit_log_edit(const App& app) {
    RECT client;
    GetClientRect(app.LogWindow, &client);
    MoveWindow(app.LogEdit, 0, 0, client.right, client.bottom, TRUE);
}

namespace {

void append_at_end(HWND edit, const char* text) {
    const int length = GetWindowTextLengthA(edit);
    SendMessageA(edit, EM_SETSEL, length, length);
    SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
    SendMessageA(edit, WM_VSCROLL, SB_BOTTOM, 0);
}

} // namespace

void append_log_line(const App& app, const char* text) {
    // The line break goes in separately, so every text ends in exactly one CR LF.
    append_at_end(app.LogEdit, text);
    append_at_end(app.LogEdit, "\r\n");
    if (!IsWindowVisible(app.LogWindow))
        ShowWindow(app.LogWindow, SW_SHOW);
}
