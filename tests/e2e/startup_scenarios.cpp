// Start-up: the window and its controls as the settings leave them, the registry key, and
// the refusals to start.
#include <cstring>

#include "scenarios.h"

namespace {

const char* const QualityEntries[] = {"100",     "95", "90 - 高", "85", "80",     "75",
                                      "70 - 中", "65", "60",      "55", "50 - 低"};
const char* const RotateEntries[] = {" 90度", "180度", "270度"};
const char* const OpacityEntries[] = {"100%", "90%", "80%", "70%", "60%",
                                      "50%",  "40%", "30%", "20%", "10%"};
const char* const HorzEntries[] = {"水平距中", "左边距", "右边距"};
const char* const VertEntries[] = {"垂直距中", "上边距", "下边距"};

template <std::size_t N>
void expect_entries(HWND combo, const char* const (&entries)[N], const std::string& name) {
    const std::vector<std::string> shown = combo_entries(combo);
    expect_number(static_cast<long long>(shown.size()), N, "number of entries of " + name);
    for (std::size_t i = 0; i < N; ++i)
        expect_text(shown[i], entries[i], name + " entry " + std::to_string(i));
}

// Class, identifier, style, rectangle and (except for the edits that the settings fill)
// text of every control, in creation order.
void expect_layout(const App& app) {
    for (std::size_t i = 0; i < 44; ++i) {
        const ExpectedControl& e = ExpectedControls[i];
        const HWND control = app.controls[i];
        const std::string name = std::string(e.name) + " (control " + std::to_string(i + 1) + ")";
        expect(lstrcmpiA(class_of(control).c_str(), e.class_name) == 0,
               name + " is of class " + class_of(control));
        expect_number(GetDlgCtrlID(control), e.id, name + " identifier");
        const DWORD style = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE));
        expect((style & (WS_CHILD | WS_VISIBLE | e.style)) == (WS_CHILD | WS_VISIBLE | e.style),
               name + " style");
        expect(!(style & (WS_TABSTOP | WS_GROUP)) || e.style == BS_GROUPBOX,
               name + " has no tab stop");
        const bool client_edge = GetWindowLongA(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE;
        expect(client_edge == e.client_edge, name + " client edge");
        const RECT r = rect_in_parent(control);
        expect_number(r.left, e.rect.left, name + " left");
        expect_number(r.top, e.rect.top, name + " top");
        expect_number(r.right, e.rect.right, name + " right");
        if (e.rect.bottom) // a combo box is as high as its closed field
            expect_number(r.bottom, e.rect.bottom, name + " bottom");
        // The lists show their selected entries; the settings fill WidthEdit and FontEdit.
        if (std::strcmp(e.class_name, "ComboBox") != 0 && std::strcmp(e.name, "WidthEdit") != 0 &&
            std::strcmp(e.name, "FontEdit") != 0)
            expect_text(text_of(control), e.text, name + " text");
    }
}

void expect_window_frame(const App& app) {
    expect_text(class_of(app.main), "CodeBlocksWindowsApp", "main window class");
    const LONG style = GetWindowLongA(app.main, GWL_STYLE);
    expect((style & (WS_SYSMENU | WS_MINIMIZEBOX)) == (WS_SYSMENU | WS_MINIMIZEBOX),
           "the main window has a system menu and a minimise box");
    expect(!(style & (WS_MAXIMIZEBOX | WS_THICKFRAME)), "the main window cannot be resized");
    expect(GetWindowLongA(app.main, GWL_EXSTYLE) & WS_EX_APPWINDOW, "WS_EX_APPWINDOW");
    RECT client, outer;
    GetClientRect(app.main, &client);
    GetWindowRect(app.main, &outer);
    expect_number(client.bottom, 514, "client height");
    expect_number(outer.right - outer.left, 687, "outer width");
    expect_number(outer.left, (GetSystemMetrics(SM_CXSCREEN) - client.right) / 2, "centred left");
    expect_number(outer.top, (GetSystemMetrics(SM_CYMAXIMIZED) - client.bottom) / 2 - 26,
                  "centred top");
}

void expect_switches_after_loading(const App& app) {
    expect(!is_checked(app["WidthCheck"]) && !is_enabled(app["WidthEdit"]), "width off");
    expect(is_checked(app["QualityCheck"]) && is_enabled(app["QualityCombo"]), "quality on");
    expect(!is_checked(app["RotateCheck"]) && !is_enabled(app["RotateCombo"]), "rotation off");
    expect(!is_checked(app["SubfoldersCheck"]), "subfolders off");
    expect(!is_checked(app["TextWatermarkCheck"]) && !is_checked(app["ImageWatermarkCheck"]),
           "both watermarks off");
    for (const char* name :
         {"TextLabel",          "TextEdit",          "TextOpacityLabel", "TextOpacityCombo",
          "TextPositionLabel",  "TextHorzCombo",     "TextHorzEdit",     "TextVertCombo",
          "TextVertEdit",       "FontLabel",         "FontEdit",         "FontButton",
          "TextPreviewButton",  "ImageLabel",        "ImageEdit",        "ImageButton",
          "ImagePositionLabel", "ImageHorzCombo",    "ImageHorzEdit",    "ImageVertCombo",
          "ImageVertEdit",      "ImagePreviewButton"})
        expect(!is_enabled(app[name]), std::string(name) + " is disabled with its group");
    for (const char* name : {"TextGroup", "TextWatermarkCheck", "ImageGroup", "ImageWatermarkCheck",
                             "SourceFolderEdit", "StartButton"})
        expect(is_enabled(app[name]), std::string(name) + " is enabled");
}

} // namespace

void startup_defaults(Scene& scene) {
    delete_library_key();
    App app = start_app(scene);

    const std::string config = read_text_file(scene.program_folder + "\\config.dat");
    expect_number(static_cast<long long>(config.size()), 372, "size of the default config.dat");
    expect(config.rfind("width=750\r\nquanlity=2\r\n", 0) == 0,
           "config.dat begins with the defaults");

    expect_window_frame(app);
    expect_layout(app);
    expect_entries(app["QualityCombo"], QualityEntries, "QualityCombo");
    expect_entries(app["RotateCombo"], RotateEntries, "RotateCombo");
    expect_entries(app["TextOpacityCombo"], OpacityEntries, "TextOpacityCombo");
    expect_entries(app["TextHorzCombo"], HorzEntries, "TextHorzCombo");
    expect_entries(app["ImageHorzCombo"], HorzEntries, "ImageHorzCombo");
    expect_entries(app["TextVertCombo"], VertEntries, "TextVertCombo");
    expect_entries(app["ImageVertCombo"], VertEntries, "ImageVertCombo");
    const struct {
        const char* combo;
        int selected;
    } selections[] = {{"QualityCombo", 2},  {"RotateCombo", 0},   {"TextOpacityCombo", 0},
                      {"TextHorzCombo", 2}, {"TextVertCombo", 2}, {"ImageHorzCombo", 2},
                      {"ImageVertCombo", 2}};
    for (const auto& s : selections)
        expect_number(selection(app[s.combo]), s.selected, std::string(s.combo) + " selection");
    expect_text(text_of(app["WidthEdit"]), "750", "WidthEdit shows the stored width");
    expect_text(text_of(app["FontEdit"]), "字体:Arial, 大小:26, 颜色:#000000", "font description");
    expect_switches_after_loading(app);
    expect(focus_of(app.main) == app["SourceFolderEdit"], "the source folder edit has the focus");

    const HWND log = program_window(app.id(), "处理日志");
    expect(log && !is_visible(log), "the log window exists, hidden");
    expect(GetWindowLongA(log, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, "the log is a tool window");
    const HWND help = program_window(app.id(), "context_window");
    expect(help && !is_visible(help), "the help pop-up exists, hidden");
    expect(GetWindowLongA(help, GWL_EXSTYLE) & WS_EX_LAYERED, "the help pop-up is layered");

    for (const char* folder_value : {"BinPath", "ConfigurePath", "LibPath"})
        expect_text(library_value(folder_value), scene.program_folder, folder_value);
    expect_text(library_value("CoderModulesPath"), "modules\\coders", "CoderModulesPath");
    expect_text(library_value("FilterModulesPath"), "modules\\filters", "FilterModulesPath");

    save_screenshot(scene.screenshot);
    PostMessageA(app.main, WM_CLOSE, 0, 0);
    expect_number(app.process.wait_exit(), 0, "exit code after closing");
}

void startup_loaded_config(Scene& scene) {
    write_text_file(scene.program_folder + "\\config.dat",
                    "width=900\r\nquanlity=4\r\nsy_text=店铺 abc\r\nsy_text_opacity=3\r\n"
                    "sy_text_w_direction=1\r\nsy_text_w_value=20\r\nsy_text_h_direction=0\r\n"
                    "sy_text_h_value=30\r\nsy_text_fontName=宋体\r\nsy_text_fontSize=11\r\n"
                    "sy_text_isItalic=1\r\nsy_text_isWeight=1\r\nsy_text_htmlColor=#ff000a\r\n"
                    "sy_text_rgbColors=655615\r\nsy_image=Z:\\nowhere\\水印.png\r\n"
                    "sy_image_w_direction=0\r\nsy_image_w_value=5\r\nsy_image_h_direction=1\r\n"
                    "sy_image_h_value=7\r\n");
    App app = start_app(scene);
    const struct {
        const char* control;
        const char* text;
    } texts[] = {{"WidthEdit", "900"},
                 {"TextEdit", "店铺 abc"},
                 {"TextHorzEdit", "20"},
                 {"TextVertEdit", "30"},
                 {"FontEdit", "字体:宋体, 大小:11, 颜色:#ff000a, 粗斜体"},
                 {"ImageEdit", "Z:\\nowhere\\水印.png"},
                 {"ImageHorzEdit", "5"},
                 {"ImageVertEdit", "7"}};
    for (const auto& t : texts)
        expect_text(text_of(app[t.control]), t.text, t.control);
    const struct {
        const char* combo;
        int selected;
    } selections[] = {{"QualityCombo", 4},  {"RotateCombo", 0},   {"TextOpacityCombo", 3},
                      {"TextHorzCombo", 1}, {"TextVertCombo", 0}, {"ImageHorzCombo", 0},
                      {"ImageVertCombo", 1}};
    for (const auto& s : selections)
        expect_number(selection(app[s.combo]), s.selected, std::string(s.combo) + " selection");
    expect_switches_after_loading(app);

    // Switched on, each group enables the margin edits of its edge positions only.
    click(app["TextWatermarkCheck"]);
    click(app["ImageWatermarkCheck"]);
    expect(is_enabled(app["TextHorzEdit"]) && !is_enabled(app["TextVertEdit"]),
           "text margins follow their lists");
    expect(!is_enabled(app["ImageHorzEdit"]) && is_enabled(app["ImageVertEdit"]),
           "image margins follow their lists");
    save_screenshot(scene.screenshot);
}

void startup_unreadable_config(Scene& scene) {
    // A folder in the place of config.dat can be neither read nor written.
    make_folder(scene.program_folder + "\\config.dat");
    App app = start_app(scene, [&](DWORD process_id) {
        const MessageBoxView box =
            expect_message_box(process_id, "提示", "读取配置信息出错", BoxIcon::Error, {IDOK});
        expect(GetWindow(box.window, GW_OWNER) != nullptr, "the message has an owner");
        save_screenshot(scene.screenshot);
        answer(box, IDOK);
    });
    // The controls stay as they were created: everything enabled, nothing checked.
    expect_text(text_of(app["WidthEdit"]), "700", "WidthEdit keeps its first text");
    expect_text(text_of(app["FontEdit"]), "", "FontEdit stays empty");
    for (const char* name : {"WidthEdit", "RotateCombo", "TextEdit", "FontButton", "ImageButton"})
        expect(is_enabled(app[name]), std::string(name) + " stays enabled");
    expect(!is_checked(app["QualityCheck"]), "QualityCheck stays clear");
}

void registry_key(Scene& scene) {
    // A BinPath that names the folder in another letter case is left alone...
    std::string other_case = scene.program_folder;
    CharLowerA(&other_case[0]);
    set_library_value("BinPath", other_case);
    set_library_value("ConfigurePath", "left alone");
    {
        App app = start_app(scene);
        expect_text(library_value("BinPath"), other_case, "BinPath in another case");
        expect_text(library_value("ConfigurePath"), "left alone", "ConfigurePath");
    }
    // ...while a key without BinPath gets all five values anew.
    delete_library_key();
    set_library_value("ConfigurePath", "stale");
    App app = start_app(scene);
    expect_text(library_value("BinPath"), scene.program_folder, "BinPath rewritten");
    expect_text(library_value("ConfigurePath"), scene.program_folder, "ConfigurePath rewritten");
    expect_text(library_value("LibPath"), scene.program_folder, "LibPath rewritten");
    expect_text(library_value("CoderModulesPath"), "modules\\coders", "CoderModulesPath");
    expect_text(library_value("FilterModulesPath"), "modules\\filters", "FilterModulesPath");
}

namespace {

void expect_refusal(const Scene& scene, const std::string& program_folder,
                    const std::string& message) {
    Process process(program_folder + "\\ombrel.exe.so", scene.work);
    const MessageBoxView box =
        expect_message_box(process.id(), "提示", message, BoxIcon::Error, {IDOK});
    expect(GetWindow(box.window, GW_OWNER) == nullptr, "the refusal has no owner window");
    expect(program_window(process.id(), "Ombrel") == nullptr, "no main window yet");
    save_screenshot(scene.screenshot);
    answer(box, IDOK);
    expect_number(static_cast<int>(process.wait_exit()), -1, "exit code of a refused start");
    expect(wait_for_pages(scene, 1) == std::vector<std::string>{site_page("/unzip.html")},
           "the refusal opens the page on unpacking");
    expect(!file_exists(program_folder + "\\config.dat"), "no settings were written");
}

} // namespace

void refusal_missing_coder(Scene& scene) {
    // The module is a link to the library's own coder; moving its folder away leaves the
    // library itself alone.
    expect(MoveFileA((scene.program_folder + "\\modules").c_str(),
                     (scene.program_folder + "\\modules.away").c_str()),
           "cannot move the modules folder away");
    expect_refusal(scene, scene.program_folder,
                   "软件无法正常启动，可能是没有对下载的文件进行正确的解压缩。\n\n点击[确定]按钮，"
                   "查看正确的解压缩方式。");
}

void refusal_archive_folder(Scene& scene) {
    make_folder(scene.work + "\\Temp");
    const std::string inside_archive = scene.work + "\\Temp\\Rar$EXa0.123";
    expect(MoveFileA(scene.program_folder.c_str(), inside_archive.c_str()),
           "cannot move the program folder");
    expect_refusal(
        scene, inside_archive,
        "请先对软件压缩包进行解压缩后再启动软件。\n\n点击[确定]按钮，查看正确的解压缩方式。");
}
