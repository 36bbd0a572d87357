#include "ui/main_controls.h"

#include <iterator>
#include <optional>
#include <string>

#include <commctrl.h>

#include "base/utf.h"
#include "core/form.h"
#include "ui/help_rules.h"
#include "ui/window_geometry.h"
#include "ui/window_helpers.h"
#include "ui/window_texts.h"

namespace {

// What the form reads of a control: its text through a buffer of the edit's size, its check
// state or its list selection.
struct FormRead {
    enum Kind { Nothing, PathText, NumberText, Check, Choice } kind;
    std::string FormSnapshot::*text;
    bool FormSnapshot::*checked;
    int FormSnapshot::*selection;
};
using F = FormSnapshot;
constexpr FormRead nothing() {
    return {FormRead::Nothing, nullptr, nullptr, nullptr};
}
constexpr FormRead path(std::string F::*text) {
    return {FormRead::PathText, text, nullptr, nullptr};
}
constexpr FormRead number(std::string F::*text) {
    return {FormRead::NumberText, text, nullptr, nullptr};
}
constexpr FormRead check(bool F::*checked) {
    return {FormRead::Check, nullptr, checked, nullptr};
}
constexpr FormRead choice(int F::*selection) {
    return {FormRead::Choice, nullptr, nullptr, selection};
}

// The switches of the watermark groups govern their controls (not the group box, not the
// caption check box).
enum class Group { None, Text, Image };

using Focus = FormControl;
constexpr std::optional<FormControl> no_focus;

// One row per control: how it is created (the identifier is what the window's messages name it
// by; combo boxes give the height of the dropped-down list), the row of its help text (0: none),
// what the form reads of it, the name a refusal gives it for the focus, and its group.
struct ControlSpec {
    HWND MainControls::*handle;
    ChildLayout child;
    int help_row;
    FormRead read;
    std::optional<FormControl> focus;
    Group group;
};

constexpr DWORD Edit = ES_AUTOHSCROLL;
constexpr DWORD ReadOnlyEdit = ES_AUTOHSCROLL | ES_READONLY;

// Creation order is stacking order: each group box comes after the controls inside it, and
// the watermark check boxes after their group box, on its caption. A margin edit comes right
// after its position list.
// One control in two lines: its creation, then its meaning.
// clang-format off
const ControlSpec Controls[] = {
    {&MainControls::BannerStatic, L"static", "图片", 35000, SS_BITMAP | SS_NOTIFY, false, {0, 0, 681, 80},
     0, nothing(), no_focus, Group::None},
    {&MainControls::SourceFolderLabel, L"static", "图片源文件夹：", 35001, SS_NOTIFY, false, {12, 103, 89, 21},
     1, nothing(), no_focus, Group::None},
    {&MainControls::SourceFolderEdit, L"edit", "", 35002, Edit, true, {100, 99, 461, 20},
     1, path(&F::source_folder_edit), no_focus, Group::None},
    {&MainControls::SourceFolderButton, L"button", "选择...", 35003, BS_PUSHBUTTON, false, {571, 97, 97, 24},
     1, nothing(), Focus::SourceFolderButton, Group::None},
    {&MainControls::WidthCheck, L"button", "图片宽：", 35004, BS_AUTOCHECKBOX, false, {28, 152, 68, 21},
     2, check(&F::width_check), no_focus, Group::None},
    {&MainControls::WidthEdit, L"edit", "700", 35005, Edit, true, {98, 152, 33, 21},
     2, number(&F::width_edit), Focus::WidthEdit, Group::None},
    {&MainControls::QualityCheck, L"button", "图片品质：", 35006, BS_AUTOCHECKBOX, false, {151, 152, 81, 21},
     3, check(&F::quality_check), no_focus, Group::None},
    {&MainControls::QualityCombo, L"combobox", "", 35007, CBS_DROPDOWNLIST, false, {233, 152, 73, 300},
     3, choice(&F::quality_combo), no_focus, Group::None},
    {&MainControls::RotateCheck, L"button", "图片旋转：", 35008, BS_AUTOCHECKBOX, false, {328, 152, 81, 21},
     4, check(&F::rotate_check), no_focus, Group::None},
    {&MainControls::RotateCombo, L"combobox", "", 35009, CBS_DROPDOWNLIST, false, {410, 152, 60, 300},
     4, choice(&F::rotate_combo), no_focus, Group::None},
    {&MainControls::SubfoldersCheck, L"button", "同时处理子文件夹里的图片", 35010, BS_AUTOCHECKBOX, false, {490, 152, 172, 21},
     5, check(&F::subfolders_check), no_focus, Group::None},
    {&MainControls::BasicGroup, L"button", "基本设置", 0, BS_GROUPBOX, false, {12, 132, 656, 55},
     0, nothing(), no_focus, Group::None},
    {&MainControls::BasicGroupLabel, L"static", "基本设置", 0, SS_LEFT, false, {21, 132, 49, 21},
     0, nothing(), no_focus, Group::None},
    {&MainControls::TextLabel, L"static", "水印文字：", 0, SS_NOTIFY, false, {28, 225, 64, 21},
     7, nothing(), no_focus, Group::Text},
    {&MainControls::TextEdit, L"edit", "", 0, Edit, true, {93, 220, 558, 20},
     7, path(&F::text_edit), Focus::TextEdit, Group::Text},
    {&MainControls::TextOpacityLabel, L"static", "不透明度：", 0, SS_NOTIFY, false, {544, 257, 61, 21},
     9, nothing(), no_focus, Group::Text},
    {&MainControls::TextOpacityCombo, L"combobox", "", 35014, CBS_DROPDOWNLIST, false, {603, 253, 48, 200},
     9, choice(&F::text_opacity_combo), no_focus, Group::Text},
    {&MainControls::TextPositionLabel, L"static", "水印位置：", 0, SS_NOTIFY, false, {28, 257, 65, 21},
     8, nothing(), no_focus, Group::Text},
    {&MainControls::TextHorzCombo, L"combobox", "", 35016, CBS_DROPDOWNLIST, false, {93, 253, 88, 100},
     8, choice(&F::text_horz_combo), no_focus, Group::Text},
    {&MainControls::TextHorzEdit, L"edit", "16", 0, Edit, true, {186, 253, 48, 20},
     8, number(&F::text_horz_edit), Focus::TextHorzEdit, Group::Text},
    {&MainControls::TextVertCombo, L"combobox", "", 35018, CBS_DROPDOWNLIST, false, {389, 253, 88, 100},
     8, choice(&F::text_vert_combo), no_focus, Group::Text},
    {&MainControls::TextVertEdit, L"edit", "16", 0, Edit, true, {482, 253, 48, 20},
     8, number(&F::text_vert_edit), Focus::TextVertEdit, Group::Text},
    {&MainControls::FontLabel, L"static", "字体颜色：", 0, SS_NOTIFY, false, {28, 290, 65, 21},
     10, nothing(), no_focus, Group::Text},
    {&MainControls::FontEdit, L"edit", "", 0, ReadOnlyEdit, true, {93, 286, 318, 20},
     10, nothing(), no_focus, Group::Text},
    {&MainControls::FontButton, L"button", "选择字体颜色", 0, BS_PUSHBUTTON, false, {418, 284, 112, 24},
     10, nothing(), Focus::FontButton, Group::Text},
    {&MainControls::TextPreviewButton, L"button", "效果预览", 0, BS_PUSHBUTTON, false, {544, 284, 107, 24},
     11, nothing(), no_focus, Group::Text},
    {&MainControls::TextGroup, L"button", "文字水印", 0, BS_GROUPBOX, false, {12, 200, 656, 120},
     0, nothing(), no_focus, Group::None},
    {&MainControls::TextWatermarkCheck, L"button", "文字水印", 35024, BS_AUTOCHECKBOX, false, {21, 198, 68, 19},
     6, check(&F::text_watermark_check), no_focus, Group::None},
    {&MainControls::ImageLabel, L"static", "水印图片：", 0, SS_NOTIFY, false, {28, 358, 66, 21},
     13, nothing(), no_focus, Group::Image},
    {&MainControls::ImageEdit, L"edit", "", 0, ReadOnlyEdit, true, {93, 353, 437, 20},
     13, path(&F::image_edit), no_focus, Group::Image},
    {&MainControls::ImageButton, L"button", "选择...", 0, BS_PUSHBUTTON, false, {544, 351, 107, 24},
     13, nothing(), Focus::ImageButton, Group::Image},
    {&MainControls::ImagePositionLabel, L"static", "水印位置：", 0, SS_NOTIFY, false, {28, 390, 66, 21},
     14, nothing(), no_focus, Group::Image},
    {&MainControls::ImageHorzCombo, L"combobox", "", 35029, CBS_DROPDOWNLIST, false, {93, 386, 88, 100},
     14, choice(&F::image_horz_combo), no_focus, Group::Image},
    {&MainControls::ImageHorzEdit, L"edit", "16", 0, Edit, true, {186, 386, 48, 20},
     14, number(&F::image_horz_edit), Focus::ImageHorzEdit, Group::Image},
    {&MainControls::ImageVertCombo, L"combobox", "", 35031, CBS_DROPDOWNLIST, false, {389, 386, 88, 100},
     14, choice(&F::image_vert_combo), no_focus, Group::Image},
    {&MainControls::ImageVertEdit, L"edit", "16", 0, Edit, true, {482, 386, 48, 20},
     14, number(&F::image_vert_edit), Focus::ImageVertEdit, Group::Image},
    {&MainControls::ImagePreviewButton, L"button", "效果预览", 0, BS_PUSHBUTTON, false, {544, 384, 107, 24},
     15, nothing(), no_focus, Group::Image},
    {&MainControls::ImageGroup, L"button", "图片水印", 0, BS_GROUPBOX, false, {12, 333, 656, 87},
     0, nothing(), no_focus, Group::None},
    {&MainControls::ImageWatermarkCheck, L"button", "图片水印", 35034, BS_AUTOCHECKBOX, false, {21, 331, 68, 19},
     12, check(&F::image_watermark_check), no_focus, Group::None},
    {&MainControls::TargetFolderLabel, L"static", "处理后保存到：", 0, SS_NOTIFY, false, {12, 443, 90, 21},
     16, nothing(), no_focus, Group::None},
    {&MainControls::TargetFolderEdit, L"edit", "", 0, Edit, true, {100, 439, 461, 20},
     16, path(&F::target_folder_edit), no_focus, Group::None},
    {&MainControls::TargetFolderButton, L"button", "选择...", 0, BS_PUSHBUTTON, false, {571, 437, 97, 24},
     16, nothing(), Focus::TargetFolderButton, Group::None},
    {&MainControls::ProgressBar, PROGRESS_CLASSW, "", 0, 0, false, {12, 478, 549, 20},
     18, nothing(), no_focus, Group::None},
    {&MainControls::StartButton, L"button", "开始处理", 0, BS_PUSHBUTTON, false, {571, 476, 97, 24},
     17, nothing(), no_focus, Group::None},
};
// clang-format on

static_assert(sizeof Controls / sizeof Controls[0] == 44, "the main window has 44 controls");

void select(HWND combo, int index) {
    SendMessageW(combo, CB_SETCURSEL, index, 0);
}

template <std::size_t N> void fill_combo(HWND combo, const char* const (&items)[N], int selection) {
    for (const char* item : items)
        add_combo_item(combo, item);
    if (selection != 0)
        select(combo, selection);
}

void set_number(HWND edit, int value) {
    set_window_text(edit, std::to_string(value));
}

int selection(HWND combo) {
    return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
}

// A number edit is read through a buffer of NumericEditLimit characters and its end.
std::string number_text(HWND edit) {
    return window_text(edit, NumericEditLimit + 1);
}

// A path or text edit: what a read through a buffer of TextEditLimit code-page-936 bytes and
// its end sees.
std::string path_text(HWND edit) {
    return as_text_edit_reads(window_text(edit));
}

// A margin edit is on only while the position list before it shows an edge, never the centred
// entry (index 0), whatever enable says.
void enable_group(const App& app, Group group, bool enable) {
    for (std::size_t i = 0; i < std::size(Controls); ++i) {
        const ControlSpec& c = Controls[i];
        if (c.group != group)
            continue;
        const bool margin = c.read.kind == FormRead::NumberText;
        EnableWindow(app.*c.handle, enable && (!margin || selection(app.*Controls[i - 1].handle)));
    }
}

const ControlSpec* spec_of(const App& app, HWND control) {
    for (const ControlSpec& c : Controls)
        if (app.*c.handle == control)
            return &c;
    return nullptr;
}

// Each control under the switch that governs it.
void enable_by_switches(const App& app) {
    enable_text_watermark_group(app, is_checked(app.TextWatermarkCheck));
    enable_image_watermark_group(app, is_checked(app.ImageWatermarkCheck));
    EnableWindow(app.WidthEdit, is_checked(app.WidthCheck));
    EnableWindow(app.QualityCombo, is_checked(app.QualityCheck));
    EnableWindow(app.RotateCombo, is_checked(app.RotateCheck));
}

} // namespace

int create_main_controls(MainControls& controls, HINSTANCE instance, HWND main_window, int dpi) {
    for (const ControlSpec& c : Controls)
        controls.*c.handle = create_child(c.child, main_window, instance, dpi);
    fill_combo(controls.QualityCombo, quality_labels, 2);
    fill_combo(controls.RotateCombo, rotation_labels, 0);
    fill_combo(controls.TextOpacityCombo, opacity_labels, 0);
    fill_combo(controls.TextHorzCombo, horz_direction_labels, 2);
    fill_combo(controls.TextVertCombo, vert_direction_labels, 2);
    fill_combo(controls.ImageHorzCombo, horz_direction_labels, 2);
    fill_combo(controls.ImageVertCombo, vert_direction_labels, 2);
    return 0;
}

void place_main_controls(const MainControls& controls, int dpi) {
    for (const ControlSpec& c : Controls)
        place_child(controls.*c.handle, c.child, dpi);
}

void add_combo_item(HWND combo, const char* text) {
    const std::wstring item = widen(text);
    if (SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str())) == 0)
        select(combo, 0);
}

void enable_text_watermark_group(const App& app, bool enable) {
    enable_group(app, Group::Text, enable);
}

void enable_image_watermark_group(const App& app, bool enable) {
    enable_group(app, Group::Image, enable);
}

bool is_checked(HWND check_box) {
    return SendMessageW(check_box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

FormSnapshot read_form(const App& app) {
    FormSnapshot form;
    for (const ControlSpec& c : Controls) {
        const HWND control = app.*c.handle;
        switch (c.read.kind) {
        case FormRead::PathText:
            form.*c.read.text = path_text(control);
            break;
        case FormRead::NumberText:
            form.*c.read.text = number_text(control);
            break;
        case FormRead::Check:
            form.*c.read.checked = is_checked(control);
            break;
        case FormRead::Choice:
            form.*c.read.selection = selection(control);
            break;
        case FormRead::Nothing:
            break;
        }
    }
    return form;
}

HWND control_of(const App& app, FormControl control) {
    for (const ControlSpec& c : Controls)
        if (c.focus == control)
            return app.*c.handle;
    return nullptr;
}

const char* help_text_of(const App& app, HWND control) {
    const ControlSpec* c = spec_of(app, control);
    return c && c->help_row ? help_text(c->help_row) : nullptr;
}

// The switches and lists as a batch of ombrel-batch starts from them; the edits show the stored
// values whole (the form holds what a read of them sees).
void show_settings(const App& app, const Settings& settings) {
    const FormSnapshot form = form_after_startup(settings);
    for (const ControlSpec& c : Controls)
        if (c.read.kind == FormRead::Check)
            SendMessageW(app.*c.handle, BM_SETCHECK,
                         form.*c.read.checked ? BST_CHECKED : BST_UNCHECKED, 0);
        else if (c.read.kind == FormRead::Choice)
            select(app.*c.handle, form.*c.read.selection);
    set_number(app.WidthEdit, settings.width);
    set_window_text(app.TextEdit, settings.sy_text);
    set_number(app.TextHorzEdit, settings.sy_text_w_value);
    set_number(app.TextVertEdit, settings.sy_text_h_value);
    set_window_text(app.FontEdit, font_description(settings.font));
    set_window_text(app.ImageEdit, settings.sy_image);
    set_number(app.ImageHorzEdit, settings.sy_image_w_value);
    set_number(app.ImageVertEdit, settings.sy_image_h_value);
    enable_by_switches(app);
}

// Every control but the banner strip goes to the worker, the progress bar stays on to show it.
void hand_controls_to_run(App& app) {
    app.BannerRepaint = false;
    enable_children_except(app.MainWindow, app.BannerStatic, false);
    EnableWindow(app.ProgressBar, TRUE);
    app.BannerRepaint = true;
}

// Every control back to the user, each under the switch that governs it.
void give_controls_back(App& app) {
    app.BannerRepaint = false;
    enable_children_except(app.MainWindow, app.BannerStatic, true);
    enable_by_switches(app);
    app.BannerRepaint = true;
}
