#include "ui/main_controls.h"

#include <string>

#include <commctrl.h>

#include "ui/app_state.h"
#include "ui/ui_logic.h"

HWND BannerStatic, SourceFolderLabel, SourceFolderEdit, SourceFolderButton;
HWND WidthCheck, WidthEdit, QualityCheck, QualityCombo, RotateCheck, RotateCombo;
HWND SubfoldersCheck, BasicGroup, BasicGroupLabel;
HWND TextLabel, TextEdit, TextOpacityLabel, TextOpacityCombo, TextPositionLabel;
HWND TextHorzCombo, TextHorzEdit, TextVertCombo, TextVertEdit, FontLabel, FontEdit;
HWND FontButton, TextPreviewButton, TextGroup, TextWatermarkCheck;
HWND ImageLabel, ImageEdit, ImageButton, ImagePositionLabel, ImageHorzCombo;
HWND ImageHorzEdit, ImageVertCombo, ImageVertEdit, ImagePreviewButton, ImageGroup;
HWND ImageWatermarkCheck, TargetFolderLabel, TargetFolderEdit, TargetFolderButton;
HWND ProgressBar, StartButton;

namespace {

struct ControlSpec {
    HWND* handle;
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
    {&BannerStatic, "static", "图片", BannerStaticId, SS_BITMAP | SS_NOTIFY, false, 0, 0, 681, 80},
    {&SourceFolderLabel, "static", "图片源文件夹：", SourceFolderLabelId, SS_NOTIFY, false, 12, 103,
     89, 21},
    {&SourceFolderEdit, "edit", "", SourceFolderEditId, Edit, true, 100, 99, 461, 20},
    {&SourceFolderButton, "button", "选择...", SourceFolderButtonId, BS_PUSHBUTTON, false, 571, 97,
     97, 24},
    {&WidthCheck, "button", "图片宽：", WidthCheckId, BS_AUTOCHECKBOX, false, 28, 152, 68, 21},
    {&WidthEdit, "edit", "700", WidthEditId, Edit, true, 98, 152, 33, 21},
    {&QualityCheck, "button", "图片品质：", QualityCheckId, BS_AUTOCHECKBOX, false, 151, 152, 81,
     21},
    {&QualityCombo, "combobox", "", QualityComboId, CBS_DROPDOWNLIST, false, 233, 152, 73, 300},
    {&RotateCheck, "button", "图片旋转：", RotateCheckId, BS_AUTOCHECKBOX, false, 328, 152, 81, 21},
    {&RotateCombo, "combobox", "", RotateComboId, CBS_DROPDOWNLIST, false, 410, 152, 60, 300},
    {&SubfoldersCheck, "button", "同时处理子文件夹里的图片", SubfoldersCheckId, BS_AUTOCHECKBOX,
     false, 490, 152, 172, 21},
    {&BasicGroup, "button", "基本设置", 0, BS_GROUPBOX, false, 12, 132, 656, 55},
    {&BasicGroupLabel, "static", "基本设置", 0, SS_LEFT, false, 21, 132, 49, 21},
    {&TextLabel, "static", "水印文字：", 0, SS_NOTIFY, false, 28, 225, 64, 21},
    {&TextEdit, "edit", "", 0, Edit, true, 93, 220, 558, 20},
    {&TextOpacityLabel, "static", "不透明度：", 0, SS_NOTIFY, false, 544, 257, 61, 21},
    {&TextOpacityCombo, "combobox", "", TextOpacityComboId, CBS_DROPDOWNLIST, false, 603, 253, 48,
     200},
    {&TextPositionLabel, "static", "水印位置：", 0, SS_NOTIFY, false, 28, 257, 65, 21},
    {&TextHorzCombo, "combobox", "", TextHorzComboId, CBS_DROPDOWNLIST, false, 93, 253, 88, 100},
    {&TextHorzEdit, "edit", "16", 0, Edit, true, 186, 253, 48, 20},
    {&TextVertCombo, "combobox", "", TextVertComboId, CBS_DROPDOWNLIST, false, 389, 253, 88, 100},
    {&TextVertEdit, "edit", "16", 0, Edit, true, 482, 253, 48, 20},
    {&FontLabel, "static", "字体颜色：", 0, SS_NOTIFY, false, 28, 290, 65, 21},
    {&FontEdit, "edit", "", 0, ReadOnlyEdit, true, 93, 286, 318, 20},
    {&FontButton, "button", "选择字体颜色", 0, BS_PUSHBUTTON, false, 418, 284, 112, 24},
    {&TextPreviewButton, "button", "效果预览", 0, BS_PUSHBUTTON, false, 544, 284, 107, 24},
    {&TextGroup, "button", "文字水印", 0, BS_GROUPBOX, false, 12, 200, 656, 120},
    {&TextWatermarkCheck, "button", "文字水印", TextWatermarkCheckId, BS_AUTOCHECKBOX, false, 21,
     198, 68, 19},
    {&ImageLabel, "static", "水印图片：", 0, SS_NOTIFY, false, 28, 358, 66, 21},
    {&ImageEdit, "edit", "", 0, ReadOnlyEdit, true, 93, 353, 437, 20},
    {&ImageButton, "button", "选择...", 0, BS_PUSHBUTTON, false, 544, 351, 107, 24},
    {&ImagePositionLabel, "static", "水印位置：", 0, SS_NOTIFY, false, 28, 390, 66, 21},
    {&ImageHorzCombo, "combobox", "", ImageHorzComboId, CBS_DROPDOWNLIST, false, 93, 386, 88, 100},
    {&ImageHorzEdit, "edit", "16", 0, Edit, true, 186, 386, 48, 20},
    {&ImageVertCombo, "combobox", "", ImageVertComboId, CBS_DROPDOWNLIST, false, 389, 386, 88, 100},
    {&ImageVertEdit, "edit", "16", 0, Edit, true, 482, 386, 48, 20},
    {&ImagePreviewButton, "button", "效果预览", 0, BS_PUSHBUTTON, false, 544, 384, 107, 24},
    {&ImageGroup, "button", "图片水印", 0, BS_GROUPBOX, false, 12, 333, 656, 87},
    {&ImageWatermarkCheck, "button", "图片水印", ImageWatermarkCheckId, BS_AUTOCHECKBOX, false, 21,
     331, 68, 19},
    {&TargetFolderLabel, "static", "处理后保存到：", 0, SS_NOTIFY, false, 12, 443, 90, 21},
    {&TargetFolderEdit, "edit", "", 0, Edit, true, 100, 439, 461, 20},
    {&TargetFolderButton, "button", "选择...", 0, BS_PUSHBUTTON, false, 571, 437, 97, 24},
    {&ProgressBar, PROGRESS_CLASSA, "", 0, 0, false, 12, 478, 549, 20},
    {&StartButton, "button", "开始处理", 0, BS_PUSHBUTTON, false, 571, 476, 97, 24},
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

int create_main_controls(HINSTANCE instance, HWND main_window) {
    for (const ControlSpec& c : Controls)
        *c.handle =
            CreateWindowExA(c.client_edge ? WS_EX_CLIENTEDGE : 0, c.class_name, c.text,
                            WS_CHILD | WS_VISIBLE | c.style, c.x, c.y, c.width, c.height,
                            main_window, reinterpret_cast<HMENU>(INT_PTR(c.id)), instance, nullptr);
    fill_combo(QualityCombo, QualityItems, 2);
    fill_combo(RotateCombo, RotateItems, 0);
    fill_combo(TextOpacityCombo, OpacityItems, 0);
    fill_combo(TextHorzCombo, HorzItems, 2);
    fill_combo(TextVertCombo, VertItems, 2);
    fill_combo(ImageHorzCombo, HorzItems, 2);
    fill_combo(ImageVertCombo, VertItems, 2);
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

void enable_text_watermark_group(HWND main_window, bool enable) {
    EnableWindow(TextLabel, enable);
    EnableWindow(TextEdit, enable);
    EnableWindow(TextOpacityLabel, enable);
    EnableWindow(TextOpacityCombo, enable);
    EnableWindow(TextPositionLabel, enable);
    EnableWindow(TextHorzCombo, enable);
    enable_margin_edit(main_window, TextHorzComboId, TextHorzEdit, enable);
    EnableWindow(TextVertCombo, enable);
    enable_margin_edit(main_window, TextVertComboId, TextVertEdit, enable);
    EnableWindow(FontLabel, enable);
    EnableWindow(FontEdit, enable);
    EnableWindow(FontButton, enable);
    EnableWindow(TextPreviewButton, enable);
}

void enable_image_watermark_group(HWND main_window, bool enable) {
    EnableWindow(ImageLabel, enable);
    EnableWindow(ImageEdit, enable);
    EnableWindow(ImageButton, enable);
    EnableWindow(ImagePositionLabel, enable);
    EnableWindow(ImageHorzCombo, enable);
    enable_margin_edit(main_window, ImageHorzComboId, ImageHorzEdit, enable);
    EnableWindow(ImageVertCombo, enable);
    enable_margin_edit(main_window, ImageVertComboId, ImageVertEdit, enable);
    EnableWindow(ImagePreviewButton, enable);
}

bool is_checked(int check_box_id) {
    return IsDlgButtonChecked(MainWindow, check_box_id) == BST_CHECKED;
}

void show_settings(const Settings& settings) {
    set_number(WidthEdit, settings.width);
    select(QualityCombo, settings.quanlity);
    SetWindowTextA(TextEdit, settings.sy_text);
    select(TextOpacityCombo, settings.sy_text_opacity);
    select(TextHorzCombo, settings.sy_text_w_direction);
    set_number(TextHorzEdit, settings.sy_text_w_value);
    select(TextVertCombo, settings.sy_text_h_direction);
    set_number(TextVertEdit, settings.sy_text_h_value);
    SetWindowTextA(FontEdit, font_description(settings.font).c_str());
    SetWindowTextA(ImageEdit, settings.sy_image);
    select(ImageHorzCombo, settings.sy_image_w_direction);
    set_number(ImageHorzEdit, settings.sy_image_w_value);
    select(ImageVertCombo, settings.sy_image_h_direction);
    set_number(ImageVertEdit, settings.sy_image_h_value);
    CheckDlgButton(MainWindow, WidthCheckId, BST_UNCHECKED);
    EnableWindow(WidthEdit, FALSE);
    EnableWindow(RotateCombo, FALSE);
    CheckDlgButton(MainWindow, QualityCheckId, BST_CHECKED);
    enable_text_watermark_group(MainWindow, false);
    enable_image_watermark_group(MainWindow, false);
}
