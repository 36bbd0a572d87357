#include "ui/commands.h"

#include "base/text.h"
#include "core/captions.h"
#include "core/folder_rules.h"
#include "core/system_checks.h"
#include "platform/file_system.h"
#include "ui/batch_worker.h"
#include "ui/dialogs.h"
#include "ui/main_controls.h"
#include "ui/online_window.h"
#include "ui/preview_commands.h"
#include "ui/window_helpers.h"
#include "ui/window_host.h"
#include "ui/window_texts.h"

namespace {

void on_banner_clicked(App& app, int) {
    open_banner_link(app.Banners);
}

// The browser opens on the folder the edit names.
void on_source_folder_button(App& app, int) {
    const std::string current = window_text(app.SourceFolderEdit);
    std::string path = current;
    if (!browse_for_folder(app.MainWindow, "选择图片源文件夹：", path))
        return;
    const std::string chosen = trim(path.data());
    // The same folder again keeps whatever target the user has set meanwhile.
    if (chosen.empty() || chosen == current)
        return;
    set_window_text(app.SourceFolderEdit, chosen);
    const std::string target = propose_target_folder(
        chosen, [](const std::string& folder) { return is_directory(folder.c_str()) != 0; });
    set_window_text(app.TargetFolderEdit, target);
}

void focus_at_end(HWND edit) {
    SendMessageW(edit, EM_SETSEL, 1024, 1024);
    SetFocus(edit);
}

void on_width_check(App& app, int) {
    const bool checked = is_checked(app.WidthCheck);
    EnableWindow(app.WidthEdit, checked);
    if (checked)
        focus_at_end(app.WidthEdit);
}

// A list switched on by its check box takes the keyboard focus.
void switch_list(HWND check_box, HWND list) {
    const bool checked = is_checked(check_box);
    EnableWindow(list, checked);
    if (checked)
        SetFocus(list);
}

void on_quality_check(App& app, int) {
    switch_list(app.QualityCheck, app.QualityCombo);
}

void on_rotate_check(App& app, int) {
    switch_list(app.RotateCheck, app.RotateCombo);
}

void on_text_watermark_check(App& app, int) {
    enable_text_watermark_group(app, is_checked(app.TextWatermarkCheck));
}

void on_image_watermark_check(App& app, int) {
    enable_image_watermark_group(app, is_checked(app.ImageWatermarkCheck));
}

// An edge position needs its margin, which the user is taken to at once; the centred one
// has none.
void on_direction_changed(int code, HWND combo, HWND margin_edit) {
    if (code != CBN_SELCHANGE)
        return;
    const LRESULT selection = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    EnableWindow(margin_edit, selection != 0);
    if (selection != 0)
        focus_at_end(margin_edit);
}

void on_text_horz_combo(App& app, int code) {
    on_direction_changed(code, app.TextHorzCombo, app.TextHorzEdit);
}
void on_text_vert_combo(App& app, int code) {
    on_direction_changed(code, app.TextVertCombo, app.TextVertEdit);
}
void on_image_horz_combo(App& app, int code) {
    on_direction_changed(code, app.ImageHorzCombo, app.ImageHorzEdit);
}
void on_image_vert_combo(App& app, int code) {
    on_direction_changed(code, app.ImageVertCombo, app.ImageVertEdit);
}

void on_font_button(App& app, int) {
    FontSpec& font = app.TheSettings.font;
    if (choose_watermark_font(app.Instance, app.MainWindow, font) != 1)
        return;
    set_window_text(app.FontEdit, font_description(font));
    // The new font stays chosen either way; the user is only told it will not do.
    WindowBatchHost host(app);
    if (check_chosen_font(read_form(app).text_edit, font, host))
        SetFocus(app.FontButton);
}

void on_text_preview_button(App& app, int) {
    preview_text_watermark(app);
}
void on_image_preview_button(App& app, int) {
    preview_image_watermark(app);
}

void on_image_button(App& app, int) {
    if (const auto path = choose_image_file(app.Instance, app.MainWindow, "选择水印图片"))
        set_window_text(app.ImageEdit, *path);
}

void on_target_folder_button(App& app, int) {
    // Entered empty: the browser preselects nothing.
    std::string path;
    if (browse_for_folder(app.MainWindow, "图片处理后保存到：", path) && !path.empty())
        set_window_text(app.TargetFolderEdit, path);
}

void on_start_button(App& app, int) {
    start_processing(app);
}

struct ControlHandler {
    HWND MainControls::*control;
    void (*handle)(App& app, int code);
};

// Looked up in this order; the buttons and check boxes act on any notification.
const ControlHandler Handlers[] = {
    {&MainControls::BannerStatic, on_banner_clicked},
    {&MainControls::SourceFolderButton, on_source_folder_button},
    {&MainControls::WidthCheck, on_width_check},
    {&MainControls::QualityCheck, on_quality_check},
    {&MainControls::RotateCheck, on_rotate_check},
    {&MainControls::TextWatermarkCheck, on_text_watermark_check},
    {&MainControls::TextHorzCombo, on_text_horz_combo},
    {&MainControls::TextVertCombo, on_text_vert_combo},
    {&MainControls::FontButton, on_font_button},
    {&MainControls::TextPreviewButton, on_text_preview_button},
    {&MainControls::ImageWatermarkCheck, on_image_watermark_check},
    {&MainControls::ImageHorzCombo, on_image_horz_combo},
    {&MainControls::ImageVertCombo, on_image_vert_combo},
    {&MainControls::ImagePreviewButton, on_image_preview_button},
    {&MainControls::ImageButton, on_image_button},
    {&MainControls::TargetFolderButton, on_target_folder_button},
    {&MainControls::StartButton, on_start_button},
};

} // namespace

void on_control_notification(App& app, HWND sender, int code) {
    for (const ControlHandler& h : Handlers)
        if (app.*h.control == sender) {
            h.handle(app, code);
            return;
        }
}
