#include "ui/window_host.h"

#include <string>
#include <vector>

#include <commctrl.h>
#include <shellapi.h>

#include "ui/app_state.h"
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

int selection(int combo_id) {
    return static_cast<int>(SendMessageA(GetDlgItem(MainWindow, combo_id), CB_GETCURSEL, 0, 0));
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

// Every control back to the user, each under the switch that governs it.
void give_controls_back() {
    BannerRepaint = 0;
    enable_children_except(MainWindow, BannerStatic, true);
    enable_text_watermark_group(MainWindow, is_checked(TextWatermarkCheckId));
    enable_image_watermark_group(MainWindow, is_checked(ImageWatermarkCheckId));
    EnableWindow(WidthEdit, is_checked(WidthCheckId));
    EnableWindow(QualityCombo, is_checked(QualityCheckId));
    EnableWindow(RotateCombo, is_checked(RotateCheckId));
    BannerRepaint = 1;
}

} // namespace

FormSnapshot read_form() {
    FormSnapshot form;
    form.source_folder_edit = path_text(SourceFolderEdit);
    form.width_check = is_checked(WidthCheckId);
    form.width_edit = number_text(WidthEdit);
    form.quality_check = is_checked(QualityCheckId);
    form.quality_combo = selection(QualityComboId);
    form.rotate_check = is_checked(RotateCheckId);
    form.rotate_combo = selection(RotateComboId);
    form.subfolders_check = is_checked(SubfoldersCheckId);
    form.text_watermark_check = is_checked(TextWatermarkCheckId);
    form.text_edit = path_text(TextEdit);
    form.text_opacity_combo = selection(TextOpacityComboId);
    form.text_horz_combo = selection(TextHorzComboId);
    form.text_horz_edit = number_text(TextHorzEdit);
    form.text_vert_combo = selection(TextVertComboId);
    form.text_vert_edit = number_text(TextVertEdit);
    form.image_watermark_check = is_checked(ImageWatermarkCheckId);
    form.image_edit = path_text(ImageEdit);
    form.image_horz_combo = selection(ImageHorzComboId);
    form.image_horz_edit = number_text(ImageHorzEdit);
    form.image_vert_combo = selection(ImageVertComboId);
    form.image_vert_edit = number_text(ImageVertEdit);
    form.target_folder_edit = path_text(TargetFolderEdit);
    return form;
}

HWND control_of(FormControl control) {
    switch (control) {
    case FormControl::SourceFolderButton:
        return SourceFolderButton;
    case FormControl::WidthEdit:
        return WidthEdit;
    case FormControl::TextEdit:
        return TextEdit;
    case FormControl::FontButton:
        return FontButton;
    case FormControl::TextHorzEdit:
        return TextHorzEdit;
    case FormControl::TextVertEdit:
        return TextVertEdit;
    case FormControl::ImageButton:
        return ImageButton;
    case FormControl::ImageHorzEdit:
        return ImageHorzEdit;
    case FormControl::ImageVertEdit:
        return ImageVertEdit;
    case FormControl::TargetFolderButton:
        return TargetFolderButton;
    }
    return nullptr;
}

void WindowBatchHost::show_message(const char* text, const char* caption, MessageIcon icon) {
    MessageBoxA(MainWindow, text, caption, icon_style(icon));
}

bool WindowBatchHost::ask_yes_no(const char* text, const char* caption) {
    return MessageBoxA(MainWindow, text, caption, MB_ICONQUESTION | MB_YESNO) == IDYES;
}

void WindowBatchHost::set_progress_range(int maximum) {
    ::set_progress_range(ProgressBar, maximum);
}

void WindowBatchHost::set_progress_position(int position) {
    SendMessageA(ProgressBar, PBM_SETPOS, position, 0);
}

void WindowBatchHost::append_log_line(const char* line) {
    ::append_log_line(line);
}

void WindowBatchHost::open_folder(const char* folder) {
    ShellExecuteA(nullptr, "open", folder, nullptr, nullptr, SW_SHOW);
}

void WindowBatchHost::restore_controls() {
    give_controls_back();
}

// A worker cannot set the focus on the main thread's controls itself; on the main thread the
// request is answered at once.
void WindowBatchHost::request_focus(FormControl control) {
    SendMessageA(MainWindow, WM_FOCUS_REQUEST, 0, reinterpret_cast<LPARAM>(control_of(control)));
}
