#include "ui/main_controls.h"

#include <string>

#include <commctrl.h>

#include "ui/window_helpers.h"
#include "ui/window_texts.h"

namespace {

struct ControlSpec {
    HWND MainControls::*handle;
    const char* class_name;
    const char* text;
    int id;
    DWORD style; // on top of WS_CHILD | WS_VISIBLE
    bool client_edge;
    int x, y, width, height; // combo boxes: the height of the dropped-down list
};

constexpr DWORD Edit = ES_AUTOHSCROLL;
constexpr DWORD ReadOnlyEdit = ES_AUTOHSCROLL | ES_READONLY;

// Creation order is stacking order: each group box comes after the controls inside it, and
// the watermark check boxes after their group box, on its caption.
// clang-format off: one control a line, as the table of the form reads
const ControlSpec Controls[] = {
    {&MainControls::BannerStatic, "static", "图片", BannerStaticId, SS_BITMAP | SS_NOTIFY, false, 0,
     0, 681, 80},
    {&MainControls::SourceFolderLabel, "static", "图片源文件夹：", SourceFolderLabelId, SS_NOTIFY,
     false, 12, 103, 89, 21},
    {&MainControls::SourceFolderEdit, "edit", "", SourceFolderEditId, Edit, true, 100, 99, 461, 20},
    {&MainControls::SourceFolderButton, "button", "选择...", SourceFolderButtonId, BS_PUSHBUTTON,
     false, 571, 97, 97, 24},
    {&MainControls::WidthCheck, "button", "图片宽：", WidthCheckId, BS_AUTOCHECKBOX, false, 28, 152,
     68, 21},
    {&MainControls::WidthEdit, "edit", "700", WidthEditId, Edit, true, 98, 152, 33, 21},
    {&MainControls::QualityCheck, "button", "图片品质：", QualityCheckId, BS_AUTOCHECKBOX, false,
     151, 152, 81, 21},
    {&MainControls::QualityCombo, "combobox", "", QualityComboId, CBS_DROPDOWNLIST, false, 233, 152,
     73, 300},
    {&MainControls::RotateCheck, "button", "图片旋转：", RotateCheckId, BS_AUTOCHECKBOX, false, 328,
     152, 81, 21},
    {&MainControls::RotateCombo, "combobox", "", RotateComboId, CBS_DROPDOWNLIST, false, 410, 152,
     60, 300},
    {&MainControls::SubfoldersCheck, "button", "同时处理子文件夹里的图片", SubfoldersCheckId,
     BS_AUTOCHECKBOX, false, 490, 152, 172, 21},
    {&MainControls::BasicGroup, "button", "基本设置", 0, BS_GROUPBOX, false, 12, 132, 656, 55},
    {&MainControls::BasicGroupLabel, "static", "基本设置", 0, SS_LEFT, false, 21, 132, 49, 21},
    {&MainControls::TextLabel, "static", "水印文字：", 0, SS_NOTIFY, false, 28, 225, 64, 21},
    {&MainControls::TextEdit, "edit", "", 0, Edit, true, 93, 220, 558, 20},
    {&MainControls::TextOpacityLabel, "static", "不透明度：", 0, SS_NOTIFY, false, 544, 257, 61,
     21},
    {&MainControls::TextOpacityCombo, "combobox", "", TextOpacityComboId, CBS_DROPDOWNLIST, false,
     603, 253, 48, 200},
    {&MainControls::TextPositionLabel, "static", "水印位置：", 0, SS_NOTIFY, false, 28, 257, 65,
     21},
    {&MainControls::TextHorzCombo, "combobox", "", TextHorzComboId, CBS_DROPDOWNLIST, false, 93,
     253, 88, 100},
    {&MainControls::TextHorzEdit, "edit", "16", 0, Edit, true, 186, 253, 48, 20},
    {&MainControls::TextVertCombo, "combobox", "", TextVertComboId, CBS_DROPDOWNLIST, false, 389,
     253, 88, 100},
    {&MainControls::TextVertEdit, "edit", "16", 0, Edit, true, 482, 253, 48, 20},
    {&MainControls::FontLabel, "static", "字体颜色：", 0, SS_NOTIFY, false, 28, 290, 65, 21},
    {&MainControls::FontEdit, "edit", "", 0, ReadOnlyEdit, true, 93, 286, 318, 20},
    {&MainControls::FontButton, "button", "选择字体颜色", 0, BS_PUSHBUTTON, false, 418, 284, 112,
     24},
    {&MainControls::TextPreviewButton, "button", "效果预览", 0, BS_PUSHBUTTON, false, 544, 284, 107,
     24},
    {&MainControls::TextGroup, "button", "文字水印", 0, BS_GROUPBOX, false, 12, 200, 656, 120},
    {&MainControls::TextWatermarkCheck, "button", "文字水印", TextWatermarkCheckId, BS_AUTOCHECKBOX,
     false, 21, 198, 68, 19},
    {&MainControls::ImageLabel, "static", "水印图片：", 0, SS_NOTIFY, false, 28, 358, 66, 21},
    {&MainControls::ImageEdit, "edit", "", 0, ReadOnlyEdit, true, 93, 353, 437, 20},
    {&MainControls::ImageButton, "button", "选择...", 0, BS_PUSHBUTTON, false, 544, 351, 107, 24},
    {&MainControls::ImagePositionLabel, "static", "水印位置：", 0, SS_NOTIFY, false, 28, 390, 66,
     21},
    {&MainControls::ImageHorzCombo, "combobox", "", ImageHorzComboId, CBS_DROPDOWNLIST, false, 93,
     386, 88, 100},
    {&MainControls::ImageHorzEdit, "edit", "16", 0, Edit, true, 186, 386, 48, 20},
    {&MainControls::ImageVertCombo, "combobox", "", ImageVertComboId, CBS_DROPDOWNLIST, false, 389,
     386, 88, 100},
    {&MainControls::ImageVertEdit, "edit", "16", 0, Edit, true, 482, 386, 48, 20},
    {&MainControls::ImagePreviewButton, "button", "效果预览", 0, BS_PUSHBUTTON, false, 544, 384,
     107, 24},
    {&MainControls::ImageGroup, "button", "图片水印", 0, BS_GROUPBOX, false, 12, 333, 656, 87},
    {&MainControls::ImageWatermarkCheck, "button", "图片水印", ImageWatermarkCheckId,
     BS_AUTOCHECKBOX, false, 21, 331, 68, 19},
    {&MainControls::TargetFolderLabel, "static", "处理后保存到：", 0, SS_NOTIFY, false, 12, 443, 90,
     21},
    {&MainControls::TargetFolderEdit, "edit", "", 0, Edit, true, 100, 439, 461, 20},
    {&MainControls::TargetFolderButton, "button", "选择...", 0, BS_PUSHBUTTON, false, 571, 437, 97,
     24},
    {&MainControls::ProgressBar, PROGRESS_CLASSA, "", 0, 0, false, 12, 478, 549, 20},
    {&MainControls::StartButton, "button", "开始处理", 0, BS_PUSHBUTTON, false, 571, 476, 97, 24},
};
// clang-format on

static_assert(sizeof Controls / sizeof Controls[0] == 44, "the main window has 44 controls");

// The entries of each list; the stored settings keep the index into these.
const char* const QualityItems[] = {"100",     "95", "90 - 高", "85", "80",     "75",
                                    "70 - 中", "65", "60",      "55", "50 - 低"};
const char* const RotateItems[] = {" 90度", "180度", "270度"};
const char* const OpacityItems[] = {"100%", "90%", "80%", "70%", "60%",
                                    "50%",  "40%", "30%", "20%", "10%"};
const char* const HorzItems[] = {"水平距中", "左边距", "右边距"};
const char* const VertItems[] = {"垂直距中", "上边距", "下边距"};

template <std::size_t N> void fill_combo(HWND combo, const char* const (&items)[N], int selection) {
    for (const char* item : items)
        add_combo_item(combo, item);
    if (selection != 0)
        SendMessageA(combo, CB_SETCURSEL, selection, 0);
}

void set_number(HWND edit, int value) {
    SetWindowTextA(edit, std::to_string(value).c_str());
}

void select(HWND combo, int index) {
    SendMessageA(combo, CB_SETCURSEL, index, 0);
}

} // namespace

int create_main_controls(MainControls& controls, HINSTANCE instance, HWND main_window) {
    for (const ControlSpec& c : Controls)
        controls.*c.handle =
            CreateWindowExA(c.client_edge ? WS_EX_CLIENTEDGE : 0, c.class_name, c.text,
                            WS_CHILD | WS_VISIBLE | c.style, c.x, c.y, c.width, c.height,
                            main_window, reinterpret_cast<HMENU>(INT_PTR(c.id)), instance, nullptr);
    fill_combo(controls.QualityCombo, QualityItems, 2);
    fill_combo(controls.RotateCombo, RotateItems, 0);
    fill_combo(controls.TextOpacityCombo, OpacityItems, 0);
    fill_combo(controls.TextHorzCombo, HorzItems, 2);
    fill_combo(controls.TextVertCombo, VertItems, 2);
    fill_combo(controls.ImageHorzCombo, HorzItems, 2);
    fill_combo(controls.ImageVertCombo, VertItems, 2);
    return 0;
}

void add_combo_item(HWND combo, const char* text) {
    if (SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)) == 0)
        SendMessageA(combo, CB_SETCURSEL, 0, 0);
}

void enable_margin_edit(HWND main_window, int combo_id, HWND edit, bool enable) {
    const LRESULT selection = SendMessageA(GetDlgItem(main_window, combo_id), CB_GETCURSEL, 0, 0);
    EnableWindow(edit, enable && selection != 0);
}

void enable_text_watermark_group(const App& app, bool enable) {
    EnableWindow(app.TextLabel, enable);
    EnableWindow(app.TextEdit, enable);
    EnableWindow(app.TextOpacityLabel, enable);
    EnableWindow(app.TextOpacityCombo, enable);
    EnableWindow(app.TextPositionLabel, enable);
    EnableWindow(app.TextHorzCombo, enable);
    enable_margin_edit(app.MainWindow, TextHorzComboId, app.TextHorzEdit, enable);
    EnableWindow(app.TextVertCombo, enable);
    enable_margin_edit(app.MainWindow, TextVertComboId, app.TextVertEdit, enable);
    EnableWindow(app.FontLabel, enable);
    EnableWindow(app.FontEdit, enable);
    EnableWindow(app.FontButton, enable);
    EnableWindow(app.TextPreviewButton, enable);
}

void enable_image_watermark_group(const App& app, bool enable) {
    EnableWindow(app.ImageLabel, enable);
    EnableWindow(app.ImageEdit, enable);
    EnableWindow(app.ImageButton, enable);
    EnableWindow(app.ImagePositionLabel, enable);
    EnableWindow(app.ImageHorzCombo, enable);
    enable_margin_edit(app.MainWindow, ImageHorzComboId, app.ImageHorzEdit, enable);
    EnableWindow(app.ImageVertCombo, enable);
    enable_margin_edit(app.MainWindow, ImageVertComboId, app.ImageVertEdit, enable);
    EnableWindow(app.ImagePreviewButton, enable);
}

bool is_checked(HWND main_window, int check_box_id) {
    return IsDlgButtonChecked(main_window, check_box_id) == BST_CHECKED;
}

void show_settings(const App& app, const Settings& settings) {
    set_number(app.WidthEdit, settings.width);
    select(app.QualityCombo, settings.quanlity);
    SetWindowTextA(app.TextEdit, settings.sy_text);
    select(app.TextOpacityCombo, settings.sy_text_opacity);
    select(app.TextHorzCombo, settings.sy_text_w_direction);
    set_number(app.TextHorzEdit, settings.sy_text_w_value);
    select(app.TextVertCombo, settings.sy_text_h_direction);
    set_number(app.TextVertEdit, settings.sy_text_h_value);
    SetWindowTextA(app.FontEdit, font_description(settings.font).c_str());
    SetWindowTextA(app.ImageEdit, settings.sy_image);
    select(app.ImageHorzCombo, settings.sy_image_w_direction);
    set_number(app.ImageHorzEdit, settings.sy_image_w_value);
    select(app.ImageVertCombo, settings.sy_image_h_direction);
    set_number(app.ImageVertEdit, settings.sy_image_h_value);
    CheckDlgButton(app.MainWindow, WidthCheckId, BST_UNCHECKED);
    EnableWindow(app.WidthEdit, FALSE);
    EnableWindow(app.RotateCombo, FALSE);
    CheckDlgButton(app.MainWindow, QualityCheckId, BST_CHECKED);
    enable_text_watermark_group(app, false);
    enable_image_watermark_group(app, false);
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
    enable_text_watermark_group(app, is_checked(app.MainWindow, TextWatermarkCheckId));
    enable_image_watermark_group(app, is_checked(app.MainWindow, ImageWatermarkCheckId));
    EnableWindow(app.WidthEdit, is_checked(app.MainWindow, WidthCheckId));
    EnableWindow(app.QualityCombo, is_checked(app.MainWindow, QualityCheckId));
    EnableWindow(app.RotateCombo, is_checked(app.MainWindow, RotateCheckId));
    app.BannerRepaint = true;
}
