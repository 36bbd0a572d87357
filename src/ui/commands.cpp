#include "ui/commands.h"

#include <cstring>

#include "core/path_tests.h"
#include "imaging/text_watermark.h"
#include "net/online_services.h"
#include "settings/text.h"
#include "ui/app_state.h"
#include "ui/batch_worker.h"
#include "ui/preview_commands.h"
#include "ui/dialogs.h"
#include "ui/main_controls.h"
#include "ui/ui_logic.h"

namespace {

void on_banner_clicked(int) {
    open_banner_link();
}

void on_source_folder_button(int) {
    char path[1024] = {};
    GetWindowTextA(SourceFolderEdit, path, sizeof path);
    if (!browse_for_folder(MainWindow, "选择图片源文件夹：", path))
        return;
    const char* chosen = trim(path);
    if (!*chosen)
        return;
    // The same folder again keeps whatever target the user has set meanwhile.
    char current[1024] = {};
    GetWindowTextA(SourceFolderEdit, current, sizeof current);
    if (std::strcmp(chosen, current) == 0)
        return;
    SetWindowTextA(SourceFolderEdit, chosen);
    const std::string target = propose_target_folder(
        chosen, [](const std::string& folder) { return is_directory(folder.c_str()) != 0; });
    SetWindowTextA(TargetFolderEdit, target.c_str());
}

void focus_at_end(HWND edit) {
    SendMessageA(edit, EM_SETSEL, 1024, 1024);
    SetFocus(edit);
}

void on_width_check(int) {
    const bool checked = is_checked(WidthCheckId);
    EnableWindow(WidthEdit, checked);
    if (checked)
        focus_at_end(WidthEdit);
}

void on_quality_check(int) {
    const bool checked = is_checked(QualityCheckId);
    EnableWindow(QualityCombo, checked);
    if (checked)
        SetFocus(QualityCombo);
}

void on_rotate_check(int) {
    const bool checked = is_checked(RotateCheckId);
    EnableWindow(RotateCombo, checked);
    if (checked)
        SetFocus(RotateCombo);
}

void on_text_watermark_check(int) {
    enable_text_watermark_group(MainWindow, is_checked(TextWatermarkCheckId));
}

void on_image_watermark_check(int) {
    enable_image_watermark_group(MainWindow, is_checked(ImageWatermarkCheckId));
}

// An edge position needs its margin, which the user is taken to at once; the centred one
// has none.
void on_direction_changed(int code, int combo_id, HWND margin_edit) {
    if (code != CBN_SELCHANGE)
        return;
    const LRESULT selection = SendMessageA(GetDlgItem(MainWindow, combo_id), CB_GETCURSEL, 0, 0);
    EnableWindow(margin_edit, selection != 0);
    if (selection != 0)
        focus_at_end(margin_edit);
}

void on_text_horz_combo(int code) {
    on_direction_changed(code, TextHorzComboId, TextHorzEdit);
}
void on_text_vert_combo(int code) {
    on_direction_changed(code, TextVertComboId, TextVertEdit);
}
void on_image_horz_combo(int code) {
    on_direction_changed(code, ImageHorzComboId, ImageHorzEdit);
}
void on_image_vert_combo(int code) {
    on_direction_changed(code, ImageVertComboId, ImageVertEdit);
}

void on_font_button(int) {
    if (choose_watermark_font(Instance, MainWindow, TheSettings.font) != 1)
        return;
    SetWindowTextA(FontEdit, font_description(TheSettings.font).c_str());
    // The new font stays chosen either way; the user is only told it will not do.
    char text[1024] = {};
    GetWindowTextA(TextEdit, text, sizeof text);
    const char* watermark = trim(text);
    if (*watermark && has_non_ascii(watermark) && !font_shows_chinese(TheSettings.font)) {
        MessageBoxA(MainWindow,
                    "当前选择的字体无法正常显示水印文字里的中文，请重新选择一个中文字体。", "提示",
                    MB_ICONWARNING);
        SetFocus(FontButton);
    }
}

void on_text_preview_button(int) {
    preview_text_watermark();
}
void on_image_preview_button(int) {
    preview_image_watermark();
}

void on_image_button(int) {
    if (const auto path = choose_image_file(Instance, MainWindow, "选择水印图片", ImageFileFilter))
        SetWindowTextA(ImageEdit, path->c_str());
}

void on_target_folder_button(int) {
    // Entered empty: the browser preselects nothing.
    char path[1024] = {};
    if (browse_for_folder(MainWindow, "图片处理后保存到：", path) && *path)
        SetWindowTextA(TargetFolderEdit, path);
}

void on_start_button(int) {
    start_processing();
}

struct ControlHandler {
    HWND* control;
    void (*handle)(int code);
};

// Looked up in this order; the buttons and check boxes act on any notification.
const ControlHandler Handlers[] = {
    {&BannerStatic, on_banner_clicked},
    {&SourceFolderButton, on_source_folder_button},
    {&WidthCheck, on_width_check},
    {&QualityCheck, on_quality_check},
    {&RotateCheck, on_rotate_check},
    {&TextWatermarkCheck, on_text_watermark_check},
    {&TextHorzCombo, on_text_horz_combo},
    {&TextVertCombo, on_text_vert_combo},
    {&FontButton, on_font_button},
    {&TextPreviewButton, on_text_preview_button},
    {&ImageWatermarkCheck, on_image_watermark_check},
    {&ImageHorzCombo, on_image_horz_combo},
    {&ImageVertCombo, on_image_vert_combo},
    {&ImagePreviewButton, on_image_preview_button},
    {&ImageButton, on_image_button},
    {&TargetFolderButton, on_target_folder_button},
    {&StartButton, on_start_button},
};

} // namespace

void on_control_notification(HWND sender, int code) {
    for (const ControlHandler& h : Handlers)
        if (*h.control == sender) {
            h.handle(code);
            return;
        }
}
