// The main window's commands: switches, direction lists, the three dialogs, menu commands
// and closing.
#include "scenarios.h"

#include <commctrl.h>
#include <dlgs.h>
#include <shlobj.h>

namespace {

const char* const TextGroupControls[] = {
    "TextLabel",     "TextEdit",     "TextOpacityLabel", "TextOpacityCombo", "TextPositionLabel",
    "TextHorzCombo", "TextHorzEdit", "TextVertCombo",    "TextVertEdit",     "FontLabel",
    "FontEdit",      "FontButton",   "TextPreviewButton"};

void expect_enabled(const App& app, const char* name, bool enabled) {
    expect(is_enabled(app[name]) == enabled,
           std::string(name) + (enabled ? " should be enabled" : " should be disabled"));
}

void expect_focus(const App& app, const char* name) {
    expect(focus_of(app.main) == app[name], std::string(name) + " should have the focus");
}

// The index of the first entry for which pick holds.
int entry_index(HWND combo, const std::function<bool(int index, const std::string&)>& pick,
                const std::string& what) {
    const std::vector<std::string> entries = combo_entries(combo);
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (pick(static_cast<int>(i), entries[i]))
            return static_cast<int>(i);
    throw ScenarioFailure("no entry for " + what);
}

// Removes folders a scenario made outside its own folder, whatever way it ends.
struct FolderCleanup {
    std::vector<std::string> folders;
    ~FolderCleanup() {
        for (auto f = folders.rbegin(); f != folders.rend(); ++f)
            RemoveDirectoryA(f->c_str());
    }
};

HWND open_folder_browser(const App& app, const char* button) {
    post_click(app[button]);
    return wait_dialog_with_child(app.id(), "SysTreeView32", 0, "the folder browser");
}

// Chooses the browser's top folder, the desktop, and confirms. Wine's browser expands its
// tree towards a preselected folder at its own pace and not reliably for a folder made just
// before, so the scenarios choose for themselves what they confirm.
void choose_desktop(HWND browser) {
    const HWND tree = find_child(browser, "SysTreeView32");
    LRESULT root = 0;
    wait_until([&] { return (root = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)) != 0; },
               "the browser's tree");
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, root);
    wait_until([&] { return is_enabled(find_child_id(browser, IDOK)); },
               "the browser to accept the desktop");
    press_dialog_button(browser, IDOK);
}

} // namespace

void switches_and_direction_lists(Scene& scene) {
    App app = start_app(scene);

    click(app["WidthCheck"]);
    expect_enabled(app, "WidthEdit", true);
    expect_focus(app, "WidthEdit");
    click(app["WidthCheck"]);
    expect_enabled(app, "WidthEdit", false);
    click(app["QualityCheck"]);
    expect_enabled(app, "QualityCombo", false);
    click(app["QualityCheck"]);
    expect_enabled(app, "QualityCombo", true);
    expect_focus(app, "QualityCombo");
    click(app["RotateCheck"]);
    expect_enabled(app, "RotateCombo", true);
    expect_focus(app, "RotateCombo");

    click(app["TextWatermarkCheck"]);
    for (const char* name : TextGroupControls)
        expect_enabled(app, name, true);
    // The centred entry has no margin, and keeps it off through a group switch.
    choose_entry(app["TextHorzCombo"], 0);
    expect_enabled(app, "TextHorzEdit", false);
    click(app["TextWatermarkCheck"]);
    for (const char* name : TextGroupControls)
        expect_enabled(app, name, false);
    expect_enabled(app, "TextGroup", true);
    expect_enabled(app, "TextWatermarkCheck", true);
    click(app["TextWatermarkCheck"]);
    expect_enabled(app, "TextHorzEdit", false);
    expect_enabled(app, "TextVertEdit", true);
    choose_entry(app["TextHorzCombo"], 1);
    expect_enabled(app, "TextHorzEdit", true);
    expect_focus(app, "TextHorzEdit");

    click(app["ImageWatermarkCheck"]);
    for (const char* name :
         {"ImageLabel", "ImageEdit", "ImageButton", "ImagePositionLabel", "ImageHorzCombo",
          "ImageHorzEdit", "ImageVertCombo", "ImageVertEdit", "ImagePreviewButton"})
        expect_enabled(app, name, true);
    choose_entry(app["ImageVertCombo"], 0);
    expect_enabled(app, "ImageVertEdit", false);
    choose_entry(app["ImageVertCombo"], 2);
    expect_enabled(app, "ImageVertEdit", true);
    expect_focus(app, "ImageVertEdit");
    save_screenshot(scene.screenshot);
}

void source_folder_proposal(Scene& scene) {
    char desktop_path[MAX_PATH] = {};
    expect(SHGetSpecialFolderPathA(nullptr, desktop_path, CSIDL_DESKTOP, TRUE), "no desktop");
    const std::string desktop = desktop_path;
    const FolderCleanup taken{{desktop + "_处理后", desktop + "_处理后2"}};
    for (const std::string& folder : taken.folders)
        make_folder(folder);
    App app = start_app(scene);

    set_text(app["SourceFolderEdit"], scene.work);
    const HWND browser = open_folder_browser(app, "SourceFolderButton");
    save_screenshot(scene.screenshot);
    choose_desktop(browser);
    expect_text(text_of(app["SourceFolderEdit"]), desktop, "the chosen source folder");
    expect_text(text_of(app["TargetFolderEdit"]), desktop + "_处理后3", "the proposed target");

    // The same folder again leaves an edited target alone; so does a cancelled browse.
    set_text(app["TargetFolderEdit"], "Z:\\my own target");
    choose_desktop(open_folder_browser(app, "SourceFolderButton"));
    expect_text(text_of(app["TargetFolderEdit"]), "Z:\\my own target", "target after same folder");
    set_text(app["SourceFolderEdit"], scene.work);
    press_dialog_button(open_folder_browser(app, "SourceFolderButton"), IDCANCEL);
    expect_text(text_of(app["SourceFolderEdit"]), scene.work, "source after cancel");
    expect_text(text_of(app["TargetFolderEdit"]), "Z:\\my own target", "target after cancel");

    // Typed with a trailing backslash, the same folder counts as another choice; and a
    // plain file does not take a name.
    for (const std::string& folder : taken.folders)
        RemoveDirectoryA(folder.c_str());
    write_text_file(desktop + "_处理后", "a file, not a folder");
    struct FileCleanup {
        std::string file;
        ~FileCleanup() { DeleteFileA(file.c_str()); }
    } file_cleanup{desktop + "_处理后"};
    set_text(app["SourceFolderEdit"], desktop + "\\");
    choose_desktop(open_folder_browser(app, "SourceFolderButton"));
    expect_text(text_of(app["SourceFolderEdit"]), desktop, "the source without its backslash");
    expect_text(text_of(app["TargetFolderEdit"]), desktop + "_处理后",
                "a plain file does not count as a taken name");
}

void target_folder_browse(Scene& scene) {
    App app = start_app(scene);
    set_text(app["TargetFolderEdit"], scene.work);
    press_dialog_button(open_folder_browser(app, "TargetFolderButton"), IDCANCEL);
    expect_text(text_of(app["TargetFolderEdit"]), scene.work, "target after a cancelled browse");

    const HWND browser = open_folder_browser(app, "TargetFolderButton");
    save_screenshot(scene.screenshot);
    choose_desktop(browser);
    char desktop[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOP, TRUE);
    expect_text(text_of(app["TargetFolderEdit"]), desktop, "the chosen target folder");
}

namespace {

// Chooses the first face of the open font dialog that one of the names spells; returns it.
std::string choose_face(HWND dialog, const std::vector<std::string>& names) {
    const HWND faces = find_child_id(dialog, cmb1);
    std::string chosen;
    choose_entry(faces, entry_index(
                            faces,
                            [&](int, const std::string& e) {
                                for (const std::string& name : names)
                                    if (e == name)
                                        chosen = e;
                                return !chosen.empty();
                            },
                            names.front()));
    return chosen;
}

} // namespace

void font_dialog(Scene& scene) {
    App app = start_app(scene);
    click(app["TextWatermarkCheck"]);
    set_text(app["TextEdit"], "  店铺 ");

    post_click(app["FontButton"]);
    HWND dialog = wait_dialog_with_child(app.id(), nullptr, cmb1, "the font dialog");
    choose_face(dialog, {"DejaVu Sans"});
    const HWND styles = find_child_id(dialog, cmb2);
    choose_entry(styles,
                 entry_index(
                     styles,
                     [](int, const std::string& e) { return e == "粗斜体" || e == "Bold Italic"; },
                     "the bold italic style"));
    const HWND sizes = find_child_id(dialog, cmb3);
    choose_entry(sizes, entry_index(
                            sizes, [](int, const std::string& e) { return e == "11"; }, "size 11"));
    const HWND colours = find_child_id(dialog, cmb4);
    choose_entry(colours, entry_index(
                              colours,
                              [&](int i, const std::string&) {
                                  return SendMessageA(colours, CB_GETITEMDATA, i, 0) ==
                                         RGB(255, 0, 0);
                              },
                              "the colour red"));
    save_screenshot(scene.screenshot);
    press_dialog_button(dialog, IDOK);

    // A Latin face for a Chinese watermark text is kept, with a warning.
    const MessageBoxView warning = expect_message_box(
        app.id(), "提示", "当前选择的字体无法正常显示水印文字里的中文，请重新选择一个中文字体。",
        BoxIcon::Warning, {IDOK});
    expect_text(text_of(app["FontEdit"]), "字体:DejaVu Sans, 大小:11, 颜色:#ff0000, 粗斜体",
                "font description after the dialog");
    answer(warning, IDOK);
    wait_until([&] { return focus_of(app.main) == app["FontButton"]; }, "the focus on FontButton");

    // The dialog opens on the font it wrote; cancelled, it changes nothing.
    post_click(app["FontButton"]);
    dialog = wait_dialog_with_child(app.id(), nullptr, cmb1, "the font dialog");
    expect_text(text_of(find_child_id(dialog, cmb3)), "11", "the dialog opens at 11 points");
    press_dialog_button(dialog, IDCANCEL);
    expect_text(text_of(app["FontEdit"]), "字体:DejaVu Sans, 大小:11, 颜色:#ff0000, 粗斜体",
                "font description after a cancelled dialog");

    // A Chinese face draws the text: no warning. The style and colour stay as chosen.
    post_click(app["FontButton"]);
    dialog = wait_dialog_with_child(app.id(), nullptr, cmb1, "the font dialog");
    // The face list shows the font under its Chinese name in this locale.
    const std::string chinese = choose_face(dialog, {"文泉驿正黑", "WenQuanYi Zen Hei"});
    press_dialog_button(dialog, IDOK);
    wait_until(
        [&] {
            return text_of(app["FontEdit"])
                       .rfind("字体:" + chinese + ", 大小:11, 颜色:#ff0000", 0) == 0;
        },
        "the description of the Chinese face");
    expect(top_windows(app.id(), "#32770").empty() ||
               !is_visible(top_windows(app.id(), "#32770").front()),
           "no warning for a Chinese face");
}

void image_dialog(Scene& scene) {
    const std::string picture = scene.work + "\\水印.png";
    write_text_file(picture, "not even a picture: the dialog only needs the file to exist");
    App app = start_app(scene);
    click(app["ImageWatermarkCheck"]);

    post_click(app["ImageButton"]);
    HWND dialog = wait_dialog_with_child(app.id(), nullptr, cmb13, "the file dialog");
    expect_text(text_of(dialog), "选择水印图片", "file dialog title");
    const std::vector<std::string> filter = combo_entries(find_child_id(dialog, cmb1));
    expect(filter == std::vector<std::string>{"图片文件(*.PNG;*.JPG;*.GIF)", "PNG图片(*.PNG)",
                                              "JPG图片(*.JPG)", "GIF图片 (*.GIF)"},
           "the file dialog's filter");
    set_text(find_child_id(dialog, cmb13), picture);
    save_screenshot(scene.screenshot);
    press_dialog_button(dialog, IDOK);
    expect_text(text_of(app["ImageEdit"]), picture, "ImageEdit after the dialog");

    post_click(app["ImageButton"]);
    dialog = wait_dialog_with_child(app.id(), nullptr, cmb13, "the file dialog");
    press_dialog_button(dialog, IDCANCEL);
    expect_text(text_of(app["ImageEdit"]), picture, "ImageEdit after a cancelled dialog");
}

void about_box(Scene& scene) {
    App app = start_app(scene);
    post_menu_command(app.main, 32774);
    const MessageBoxView box = expect_message_box(
        app.id(), "关于",
        "Ombrel 3.4\n\n主要功能：缩小图片尺寸、图片压缩、图片旋转、图片加[文字]或[图片]水印，一键"
        "批量处理。\n\n目前支持处理的图片格式：JPG, PNG, GIF, BMP, TBI。",
        BoxIcon::Information, {IDOK});
    expect(GetWindow(box.window, GW_OWNER) == app.main, "the About box belongs to the window");
    save_screenshot(scene.screenshot);
    answer(box, IDOK);
}

void desktop_shortcut(Scene& scene) {
    char desktop[MAX_PATH] = {};
    expect(SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOP, TRUE), "no desktop folder");
    const std::string link = std::string(desktop) + "\\Ombrel.lnk";
    DeleteFileA(link.c_str());
    App app = start_app(scene);
    post_menu_command(app.main, 32769);
    const MessageBoxView box = expect_message_box(
        app.id(), "提示", "在桌面上成功创建了一个快捷方式", BoxIcon::Information, {IDOK});
    save_screenshot(scene.screenshot);
    answer(box, IDOK);
    expect(file_exists(link), "the shortcut " + link + " exists");
    const std::string content = read_text_file(link);
    expect(content.size() > 76 && content.compare(0, 4, "L\0\0\0", 4) == 0,
           "the shortcut is a shell link file");
    DeleteFileA(link.c_str());
}

void closing(Scene& scene) {
    {
        App app = start_app(scene);
        // Closing the log window ends neither the log nor the program.
        const HWND log = program_window(app.id(), "处理日志");
        DWORD_PTR ignored;
        SendMessageTimeoutA(log, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored);
        expect(app.process.running(), "closing the log leaves the program running");
        expect(IsWindow(log), "closing the log keeps the window");
        expect(!is_visible(log), "closing the log keeps it hidden");
        // File > Exit ends the program at once.
        post_menu_command(app.main, 32770);
        expect_number(app.process.wait_exit(), 0, "exit code after File > Exit");
    }
    App app = start_app(scene);
    PostMessageA(app.main, WM_CLOSE, 0, 0);
    expect_number(app.process.wait_exit(), 0, "exit code after closing the window");
}

void menu_pages(Scene& scene) {
    App app = start_app(scene);
    post_menu_command(app.main, 32771);
    wait_for_pages(scene, 1);
    post_menu_command(app.main, 32772);
    wait_for_pages(scene, 2);
    post_menu_command(app.main, 32773);
    wait_for_pages(scene, 3);
    // With no banner shown, a click on the strip means the home page.
    PostMessageA(app.main, WM_COMMAND, MAKEWPARAM(35000, STN_CLICKED),
                 reinterpret_cast<LPARAM>(app["BannerStatic"]));
    const std::vector<std::string> pages = wait_for_pages(scene, 4);
    expect(pages == std::vector<std::string>{site_page("/help.html"), site_page("/"),
                                             site_page("/sy_list.html"), site_page("/")},
           "the menu's pages and the banner's home page");
    save_screenshot(scene.screenshot);
}
