// Runs from the window: the worker, its questions and messages, the log window, the focus
// after a refusal, and closing while a run goes on.
#include "scenarios.h"

#include <commctrl.h>

namespace {

const char OverwriteQuestion[] =
    "图片处理后保存到的文件夹中已存在相同文件名的图片，是否要全部覆盖？";
const char CloseQuestion[] = "图片正在进行处理，确认要退出吗？";

std::string completion(int written) {
    return "处理完成 " + std::to_string(written) +
           " 个图片，是否要打开目标文件夹查看处理后的图片？";
}

// A picture made by ImageMagick's convert from its arguments.
void make_picture(const std::string& path, const std::string& arguments) {
    produce_file("/usr/bin/convert " + arguments, unix_path(path));
}

void start_run(const App& app, const std::string& source, const std::string& target) {
    set_text(app["SourceFolderEdit"], source);
    set_text(app["TargetFolderEdit"], target);
    post_click(app["StartButton"]);
}

// While a run waits on one of its questions, the window is the run's.
void expect_controls_held(const App& app) {
    for (std::size_t i = 0; i < 44; ++i) {
        const std::string name = ExpectedControls[i].name;
        const bool enabled = name == "BannerStatic" || name == "ProgressBar";
        expect(is_enabled(app.controls[i]) == enabled,
               name + (enabled ? " should stay enabled" : " should be disabled") + " during a run");
    }
}

// After a run every control is the user's again, each under the switch that governs it. The
// worker restores them one by one, so the driver waits for the whole picture.
void expect_controls_restored(const App& app) {
    const bool width = is_checked(app["WidthCheck"]);
    std::string mismatch;
    auto restored = [&] {
        mismatch.clear();
        for (const char* name : {"SourceFolderEdit", "SourceFolderButton", "WidthCheck",
                                 "QualityCheck", "QualityCombo", "RotateCheck", "SubfoldersCheck",
                                 "TextWatermarkCheck", "ImageWatermarkCheck", "TargetFolderEdit",
                                 "TargetFolderButton", "ProgressBar", "StartButton", "TextGroup"})
            if (!is_enabled(app[name]))
                mismatch += std::string(" ") + name + " disabled;";
        for (const char* name : {"RotateCombo", "TextEdit", "FontButton", "ImageButton",
                                 "TextHorzEdit", "ImagePreviewButton"})
            if (is_enabled(app[name]))
                mismatch += std::string(" ") + name + " enabled;";
        if (is_enabled(app["WidthEdit"]) != width)
            mismatch += " WidthEdit does not follow WidthCheck;";
        if (SendMessageA(app["ProgressBar"], PBM_GETPOS, 0, 0) != 0)
            mismatch += " progress not back at 0;";
        return mismatch.empty();
    };
    try {
        wait_until(restored, "the controls to be restored after the run");
    } catch (const ScenarioFailure&) {
        throw ScenarioFailure("after the run:" + mismatch);
    }
}

std::string log_text(const App& app) {
    const HWND log = program_window(app.id(), "处理日志");
    return text_of(find_child(log, "Edit"));
}

} // namespace

void run_overwrite_yes(Scene& scene) {
    const std::string source = scene.work + "\\商品";
    const std::string target = scene.work + "\\商品_处理后";
    make_folder(source);
    make_folder(target);
    make_picture(source + "\\a.jpg", "-size 800x600 xc:orange");
    make_picture(source + "\\b.png", "-size 300x200 xc:teal");
    write_text_file(target + "\\a.jpg", "an older result");
    App app = start_app(scene);
    click(app["WidthCheck"]);
    set_text(app["WidthEdit"], "400");
    start_run(app, source, target);

    const MessageBoxView question =
        expect_message_box(app.id(), "询问", OverwriteQuestion, BoxIcon::Question, {IDYES, IDNO});
    expect(GetWindow(question.window, GW_OWNER) == app.main, "the question belongs to the window");
    expect_controls_held(app);
    answer(question, IDYES);
    const MessageBoxView done =
        expect_message_box(app.id(), "完成", completion(2), BoxIcon::Question, {IDYES, IDNO});
    save_screenshot(scene.screenshot);
    answer(done, IDNO);
    expect_controls_restored(app);
    expect(is_checked(app["WidthCheck"]) == true, "WidthCheck keeps its state");
    expect(read_text_file(target + "\\a.jpg").compare(0, 2, "\xFF\xD8") == 0,
           "a.jpg was overwritten with a JPEG");
    expect(file_exists(target + "\\b.png.jpg"), "b.png became b.png.jpg");
    expect(read_text_file(scene.program_folder + "\\config.dat").find("width=400\r\n") !=
               std::string::npos,
           "the run saved its settings");
}

void run_overwrite_no(Scene& scene) {
    const std::string source = scene.work + "\\src";
    const std::string target = scene.work + "\\out";
    make_folder(source);
    make_folder(target);
    make_picture(source + "\\a.jpg", "-size 64x48 xc:orange");
    write_text_file(target + "\\a.jpg", "an older result");
    App app = start_app(scene);
    start_run(app, source, target);
    answer(
        expect_message_box(app.id(), "询问", OverwriteQuestion, BoxIcon::Question, {IDYES, IDNO}),
        IDNO);
    const MessageBoxView cancelled =
        expect_message_box(app.id(), "提示", "你取消了本次图片处理", BoxIcon::Information, {IDOK});
    save_screenshot(scene.screenshot);
    answer(cancelled, IDOK);
    expect_controls_restored(app);
    expect(top_windows(app.id(), "#32770").empty() ||
               !is_visible(top_windows(app.id(), "#32770").front()),
           "no completion question after a cancelled run");
    expect_text(read_text_file(target + "\\a.jpg"), "an older result", "the older result stays");
}

void failed_check_focus(Scene& scene) {
    App app = start_app(scene);
    // No source folder: the focus goes to its button.
    start_run(app, "", scene.work);
    answer(expect_message_box(app.id(), "提示", "请选择图片源文件夹", BoxIcon::Error, {IDOK}),
           IDOK);
    expect_controls_restored(app);
    wait_until([&] { return focus_of(app.main) == app["SourceFolderButton"]; },
               "the focus on SourceFolderButton");

    // An empty width while the width is switched on: the focus goes to the width edit,
    // which the end of the run has enabled again.
    click(app["WidthCheck"]);
    set_text(app["WidthEdit"], "");
    start_run(app, scene.work, scene.work + "\\out");
    const MessageBoxView box =
        expect_message_box(app.id(), "提示", "图片宽不能为空", BoxIcon::Error, {IDOK});
    save_screenshot(scene.screenshot);
    answer(box, IDOK);
    expect_controls_restored(app);
    wait_until([&] { return focus_of(app.main) == app["WidthEdit"]; }, "the focus on WidthEdit");
}

void log_window_lines(Scene& scene) {
    const std::string source = scene.work + "\\src";
    const std::string target = scene.work + "\\out";
    make_folder(source);
    make_picture(source + "\\good.jpg", "-size 64x48 xc:orange");
    write_text_file(source + "\\broken.jpg", "not a picture");
    const std::string line = "读取 " + source + "\\broken.jpg 出错\r\n";
    App app = start_app(scene);
    const HWND log = program_window(app.id(), "处理日志");

    start_run(app, source, target);
    answer(expect_message_box(app.id(), "完成", completion(1), BoxIcon::Question, {IDYES, IDNO}),
           IDNO);
    expect_controls_restored(app);
    expect(is_visible(log), "the log window shows itself on its first line");
    expect_text(log_text(app), line, "the log after one run");

    // Closed, it hides; the next line shows it again with the earlier ones still there.
    PostMessageA(log, WM_CLOSE, 0, 0);
    wait_until([&] { return !is_visible(log); }, "the log window to hide");
    start_run(app, source, target);
    answer(
        expect_message_box(app.id(), "询问", OverwriteQuestion, BoxIcon::Question, {IDYES, IDNO}),
        IDYES);
    const MessageBoxView done =
        expect_message_box(app.id(), "完成", completion(1), BoxIcon::Question, {IDYES, IDNO});
    save_screenshot(scene.screenshot);
    answer(done, IDNO);
    expect_controls_restored(app);
    expect(is_visible(log), "the log window shows itself again");
    expect_text(log_text(app), line + line, "the log after two runs");
}

void close_during_run(Scene& scene) {
    const std::string source = scene.work + "\\src";
    const std::string target = scene.work + "\\out";
    make_folder(source);
    make_folder(target);
    make_picture(source + "\\a.jpg", "-size 64x48 xc:orange");
    write_text_file(target + "\\a.jpg", "an older result");
    App app = start_app(scene);

    // The overwrite question holds the run; closing the window meanwhile asks first.
    start_run(app, source, target);
    wait_message_box(app.id(), 10000, OverwriteQuestion);
    PostMessageA(app.main, WM_CLOSE, 0, 0);
    const MessageBoxView ask = wait_message_box(app.id(), 10000, CloseQuestion);
    expect_text(ask.caption, "询问", "caption of the close question");
    expect(ask.icon == BoxIcon::Question && ask.buttons == std::vector<int>{IDYES, IDNO},
           "the close question asks with Yes and No");
    save_screenshot(scene.screenshot);
    answer(ask, IDNO);
    expect(app.process.running(), "No keeps the program and its run going");

    // Yes ends the program at once, in the middle of the run.
    PostMessageA(app.main, WM_CLOSE, 0, 0);
    answer(wait_message_box(app.id(), 10000, CloseQuestion), IDYES);
    expect_number(app.process.wait_exit(), 0, "exit code when closed during a run");
    expect_text(read_text_file(target + "\\a.jpg"), "an older result", "the run wrote nothing");
}
