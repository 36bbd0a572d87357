#include "ui/window_host.h"

#include <string>
#include <vector>

#include <commctrl.h>
#include <shellapi.h>

#include "ui/log_window.h"
#include "ui/main_controls.h"
#include "ui/window_helpers.h"

namespace {

// What GetWindowTextA sees of a control through a buffer of the given size.
std::string control_text(HWND control, int buffer_size) {
    std::vector<char> buffer(buffer_size, '\0');
    GetWindowTextA(control, buffer.data(), buffer_size);
    return buffer.data();
}

std::string path_text(HWND edit) {
    return control_text(edit, 1024);
}
std::string number_text(HWND edit) {
    return control_text(edit, 5);
}

int selection(HWND main_window, int combo_id) {
    return static_cast<int>(SendMessageA(GetDlgItem(main_window, combo_id), CB_GETCURSEL, 0, 0));
}

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

FormSnapshot read_form(const App& app) {
    const HWND window = app.MainWindow;
    FormSnapshot form;
    form.source_folder_edit = path_text(app.SourceFolderEdit);
    form.width_check = is_checked(window, WidthCheckId);
    form.width_edit = number_text(app.WidthEdit);
    form.quality_check = is_checked(window, QualityCheckId);
    form.quality_combo = selection(window, QualityComboId);
    form.rotate_check = is_checked(window, RotateCheckId);
    form.rotate_combo = selection(window, RotateComboId);
    form.subfolders_check = is_checked(window, SubfoldersCheckId);
    form.text_watermark_check = is_checked(window, TextWatermarkCheckId);
    form.text_edit = path_text(app.TextEdit);
    form.text_opacity_combo = selection(window, TextOpacityComboId);
    form.text_horz_combo = selection(window, TextHorzComboId);
    form.text_horz_edit = number_text(app.TextHorzEdit);
    form.text_vert_combo = selection(window, TextVertComboId);
    form.text_vert_edit = number_text(app.TextVertEdit);
    form.image_watermark_check = is_checked(window, ImageWatermarkCheckId);
    form.image_edit = path_text(app.ImageEdit);
    form.image_horz_combo = selection(window, ImageHorzComboId);
    form.image_horz_edit = number_text(app.ImageHorzEdit);
    form.image_vert_combo = selection(window, ImageVertComboId);
    form.image_vert_edit = number_text(app.ImageVertEdit);
    form.target_folder_edit = path_text(app.TargetFolderEdit);
    return form;
}

HWND control_of(const App& app, FormControl control) {
    switch (control) {
    case FormControl::SourceFolderButton:
        return app.SourceFolderButton;
    case FormControl::WidthEdit:
        return app.WidthEdit;
    case FormControl::TextEdit:
        return app.TextEdit;
    case FormControl::FontButton:
        return app.FontButton;
    case FormControl::TextHorzEdit:
        return app.TextHorzEdit;
    case FormControl::TextVertEdit:
        return app.TextVertEdit;
    case FormControl::ImageButton:
        return app.ImageButton;
    case FormControl::ImageHorzEdit:
        return app.ImageHorzEdit;
    case FormControl::ImageVertEdit:
        return app.ImageVertEdit;
    case FormControl::TargetFolderButton:
        return app.TargetFolderButton;
    }
    return nullptr;
}

void WindowBatchHost::show_message(const char* text, const char* caption, MessageIcon icon) {
    MessageBoxA(app_.MainWindow, text, caption, icon_style(icon));
}

bool WindowBatchHost::ask_yes_no(const char* text, const char* caption) {
    return MessageBoxA(app_.MainWindow, text, caption, MB_ICONQUESTION | MB_YESNO) == IDYES;
}

void WindowBatchHost::set_progress_range(int maximum) {
    ::set_progress_range(app_.ProgressBar, maximum);
}

void WindowBatchHost::set_progress_position(int position) {
    SendMessageA(app_.ProgressBar, PBM_SETPOS, position, 0);
}

void WindowBatchHost::append_log_line(const char* line) {
    ::append_log_line(app_, line);
}

void WindowBatchHost::open_folder(const char* folder) {
    ShellExecuteA(nullptr, "open", folder, nullptr, nullptr, SW_SHOW);
}

// The worker hands its record over while the main thread waits in the sent message, so the
// main thread copies it before the worker goes on.
void WindowBatchHost::hand_back_settings(const Settings& checked) {
    SendMessageA(app_.MainWindow, WM_SETTINGS_BACK, 0, reinterpret_cast<LPARAM>(&checked));
}

void WindowBatchHost::restore_controls() {
    SendMessageA(app_.MainWindow, WM_RESTORE_CONTROLS, 0, 0);
}

// A worker cannot set the focus on the main thread's controls itself; on the main thread the
// request is answered at once.
void WindowBatchHost::request_focus(FormControl control) {
    SendMessageA(app_.MainWindow, WM_FOCUS_REQUEST, 0,
                 reinterpret_cast<LPARAM>(control_of(app_, control)));
}
