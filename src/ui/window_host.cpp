#include "ui/window_host.h"

#include <commctrl.h>
#include <shellapi.h>

#include "base/utf.h"
#include "settings/config_file.h"
#include "ui/log_window.h"
#include "ui/main_controls.h"
#include "ui/window_helpers.h"

namespace {

UINT icon_style(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Error:
        return MB_ICONERROR;
    case MessageIcon::Information:
        return MB_ICONINFORMATION;
    case MessageIcon::Warning:
        return MB_ICONWARNING;
    }
    return MB_ICONERROR;
}

} // namespace

void WindowBatchHost::show_message(const char* text, const char* caption, MessageIcon icon) {
    message_box(app_.MainWindow, text, caption, icon_style(icon));
}

bool WindowBatchHost::ask_yes_no(const char* text, const char* caption) {
    return message_box(app_.MainWindow, text, caption, MB_ICONQUESTION | MB_YESNO) == IDYES;
}

void WindowBatchHost::set_progress_range(int maximum) {
    ::set_progress_range(app_.ProgressBar, maximum);
}

void WindowBatchHost::set_progress_position(int position) {
    SendMessageW(app_.ProgressBar, PBM_SETPOS, position, 0);
}

void WindowBatchHost::append_log_line(const char* line) {
    ::append_log_line(app_, line);
}

// The result is not looked at: a run whose settings cannot be kept still runs.
void WindowBatchHost::save_settings(const Settings& checked) {
    save_config(checked);
}

void WindowBatchHost::offer_target_folder(const char* question, const char* folder) {
    if (ask_yes_no(question, CompletionCaption))
        ShellExecuteW(nullptr, L"open", widen(folder).c_str(), nullptr, nullptr, SW_SHOW);
}

// The worker hands its record over while the main thread waits in the sent message, so the
// main thread copies it before the worker goes on.
void WindowBatchHost::hand_back_settings(const Settings& checked) {
    SendMessageW(app_.MainWindow, WM_SETTINGS_BACK, 0, reinterpret_cast<LPARAM>(&checked));
}

void WindowBatchHost::restore_controls() {
    SendMessageW(app_.MainWindow, WM_RESTORE_CONTROLS, 0, 0);
}

// A worker cannot set the focus on the main thread's controls itself; on the main thread the
// request is answered at once.
void WindowBatchHost::request_focus(FormControl control) {
    SendMessageW(app_.MainWindow, WM_FOCUS_REQUEST, 0,
                 reinterpret_cast<LPARAM>(control_of(app_, control)));
}
