#include "main_form.h"

namespace {

constexpr DWORD Edit = ES_AUTOHSCROLL;
constexpr DWORD ReadOnly = ES_AUTOHSCROLL | ES_READONLY;
constexpr DWORD List = CBS_DROPDOWNLIST;

} // namespace

// The layout of the main window, written out once more from what the form must look like.
// clang-format off: one control a line, as the table of the form reads
const ExpectedControl ExpectedControls[44] = {
    {"BannerStatic", "Static", "图片", 35000, SS_BITMAP | SS_NOTIFY, false, {0, 0, 681, 80}},
    {"SourceFolderLabel", "Static", "图片源文件夹：", 35001, SS_NOTIFY, false, {12, 103, 101, 124}},
    {"SourceFolderEdit", "Edit", "", 35002, Edit, true, {100, 99, 561, 119}},
    {"SourceFolderButton", "Button", "选择...", 35003, BS_PUSHBUTTON, false, {571, 97, 668, 121}},
    {"WidthCheck", "Button", "图片宽：", 35004, BS_AUTOCHECKBOX, false, {28, 152, 96, 173}},
    {"WidthEdit", "Edit", "700", 35005, Edit, true, {98, 152, 131, 173}},
    {"QualityCheck", "Button", "图片品质：", 35006, BS_AUTOCHECKBOX, false, {151, 152, 232, 173}},
    {"QualityCombo", "ComboBox", "", 35007, List, false, {233, 152, 306, 0}},
    {"RotateCheck", "Button", "图片旋转：", 35008, BS_AUTOCHECKBOX, false, {328, 152, 409, 173}},
    {"RotateCombo", "ComboBox", "", 35009, List, false, {410, 152, 470, 0}},
    {"SubfoldersCheck",
     "Button",
     "同时处理子文件夹里的图片",
     35010,
     BS_AUTOCHECKBOX,
     false,
     {490, 152, 662, 173}},
    {"BasicGroup", "Button", "基本设置", 0, BS_GROUPBOX, false, {12, 132, 668, 187}},
    {"BasicGroupLabel", "Static", "基本设置", 0, SS_LEFT, false, {21, 132, 70, 153}},
    {"TextLabel", "Static", "水印文字：", 0, SS_NOTIFY, false, {28, 225, 92, 246}},
    {"TextEdit", "Edit", "", 0, Edit, true, {93, 220, 651, 240}},
    {"TextOpacityLabel", "Static", "不透明度：", 0, SS_NOTIFY, false, {544, 257, 605, 278}},
    {"TextOpacityCombo", "ComboBox", "", 35014, List, false, {603, 253, 651, 0}},
    {"TextPositionLabel", "Static", "水印位置：", 0, SS_NOTIFY, false, {28, 257, 93, 278}},
    {"TextHorzCombo", "ComboBox", "", 35016, List, false, {93, 253, 181, 0}},
    {"TextHorzEdit", "Edit", "16", 0, Edit, true, {186, 253, 234, 273}},
    {"TextVertCombo", "ComboBox", "", 35018, List, false, {389, 253, 477, 0}},
    {"TextVertEdit", "Edit", "16", 0, Edit, true, {482, 253, 530, 273}},
    {"FontLabel", "Static", "字体颜色：", 0, SS_NOTIFY, false, {28, 290, 93, 311}},
    {"FontEdit", "Edit", "", 0, ReadOnly, true, {93, 286, 411, 306}},
    {"FontButton", "Button", "选择字体颜色", 0, BS_PUSHBUTTON, false, {418, 284, 530, 308}},
    {"TextPreviewButton", "Button", "效果预览", 0, BS_PUSHBUTTON, false, {544, 284, 651, 308}},
    {"TextGroup", "Button", "文字水印", 0, BS_GROUPBOX, false, {12, 200, 668, 320}},
    {"TextWatermarkCheck", "Button", "文字水印", 35024, BS_AUTOCHECKBOX, false, {21, 198, 89, 217}},
    {"ImageLabel", "Static", "水印图片：", 0, SS_NOTIFY, false, {28, 358, 94, 379}},
    {"ImageEdit", "Edit", "", 0, ReadOnly, true, {93, 353, 530, 373}},
    {"ImageButton", "Button", "选择...", 0, BS_PUSHBUTTON, false, {544, 351, 651, 375}},
    {"ImagePositionLabel", "Static", "水印位置：", 0, SS_NOTIFY, false, {28, 390, 94, 411}},
    {"ImageHorzCombo", "ComboBox", "", 35029, List, false, {93, 386, 181, 0}},
    {"ImageHorzEdit", "Edit", "16", 0, Edit, true, {186, 386, 234, 406}},
    {"ImageVertCombo", "ComboBox", "", 35031, List, false, {389, 386, 477, 0}},
    {"ImageVertEdit", "Edit", "16", 0, Edit, true, {482, 386, 530, 406}},
    {"ImagePreviewButton", "Button", "效果预览", 0, BS_PUSHBUTTON, false, {544, 384, 651, 408}},
    {"ImageGroup", "Button", "图片水印", 0, BS_GROUPBOX, false, {12, 333, 668, 420}},
    {"ImageWatermarkCheck",
     "Button",
     "图片水印",
     35034,
     BS_AUTOCHECKBOX,
     false,
     {21, 331, 89, 350}},
    {"TargetFolderLabel", "Static", "处理后保存到：", 0, SS_NOTIFY, false, {12, 443, 102, 464}},
    {"TargetFolderEdit", "Edit", "", 0, Edit, true, {100, 439, 561, 459}},
    {"TargetFolderButton", "Button", "选择...", 0, BS_PUSHBUTTON, false, {571, 437, 668, 461}},
    {"ProgressBar", "msctls_progress32", "", 0, 0, false, {12, 478, 561, 498}},
    {"StartButton", "Button", "开始处理", 0, BS_PUSHBUTTON, false, {571, 476, 668, 500}},
};
// clang-format on

HWND program_window(DWORD process_id, const std::string& text) {
    for (HWND window : top_windows(process_id, "CodeBlocksWindowsApp")) {
        char caption[256] = {};
        GetWindowTextA(window, caption, sizeof caption);
        if (text == caption)
            return window;
    }
    return nullptr;
}

App::App(const std::string& program_folder, const std::string& current_folder,
         const std::function<void(DWORD process_id)>& during_startup)
    : process(program_folder + "\\ombrel.exe.so", current_folder) {
    if (during_startup)
        during_startup(process.id());
    main = wait_for_window(
        [this]() -> HWND {
            const HWND window = program_window(process.id(), "Ombrel");
            return window && is_visible(window) ? window : nullptr;
        },
        "the main window", 30000);
    controls = children(main);
    expect_number(static_cast<long long>(controls.size()), 44, "number of controls");
    // The last step of start-up gives the source folder edit the focus.
    wait_until([this] { return focus_of(main) == (*this)["SourceFolderEdit"]; },
               "the end of start-up (the focus on SourceFolderEdit)", 30000);
}

HWND App::operator[](const std::string& name) const {
    for (std::size_t i = 0; i < 44; ++i)
        if (name == ExpectedControls[i].name)
            return controls[i];
    throw ScenarioFailure("no control named " + name);
}
