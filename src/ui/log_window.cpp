#include "ui/log_window.h"

#include <string>

#include "base/utf.h"
#include "ui/window_geometry.h"

void create_log_window(App& app, HWND main_window) {
    app.LogWindow =
        CreateWindowExW(WS_EX_TOOLWINDOW, MainWindowClass, L"处理日志", WS_SYSMENU | WS_THICKFRAME,
                        CW_USEDEFAULT, CW_USEDEFAULT, scale_to_dpi(460, app.Dpi),
                        scale_to_dpi(168, app.Dpi), main_window, nullptr, app.Instance, &app);
    // Not read-only and without horizontal scrolling, so long lines wrap.
    app.LogEdit =
        CreateWindowExW(WS_EX_CLIENTEDGE, L"edit", L"",
                        WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0,
                        687, 530, app.LogWindow, nullptr, app.Instance, nullptr);
    // A long run may log more than the default 30,000 characters; none of it is dropped.
    SendMessageW(app.LogEdit, EM_SETLIMITTEXT, 0, 0);
    fit_log_edit(app);
}

void fit_log_edit(const App& app) {
    RECT client;
    GetClientRect(app.LogWindow, &client);
    MoveWindow(app.LogEdit, 0, 0, client.right, client.bottom, TRUE);
}

namespace {

void append_at_end(HWND edit, const std::wstring& text) {
    const int length = GetWindowTextLengthW(edit);
    SendMessageW(edit, EM_SETSEL, length, length);
    SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(edit, WM_VSCROLL, SB_BOTTOM, 0);
}

} // namespace

void append_log_line(const App& app, const char* text) {
    // The line break goes in separately, so every text ends in exactly one CR LF.
    append_at_end(app.LogEdit, widen(text));
    append_at_end(app.LogEdit, L"\r\n");
    if (!IsWindowVisible(app.LogWindow))
        ShowWindow(app.LogWindow, SW_SHOW);
}
