#include "core/batch_run.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include <windows.h>

#include "core/folder_rules.h"
#include "core/image_collection.h"
#include "core/image_names.h"
#include "core/image_pipeline.h"
#include "core/settings_check.h"
#include "imaging/magick.h"
#include "imaging/text_watermark.h"
#include "platform/file_system.h"

namespace {

const char ReadFolderError[] = "读取图片源文件夹时出错";

class SystemCheckEnvironment : public CheckEnvironment {
  public:
    bool is_directory(const std::string& path) const override {
        return ::is_directory(path.c_str());
    }
    bool file_exists(const std::string& path) const override { return ::file_exists(path.c_str()); }
    bool create_directory(const std::string& path) const override {
        return CreateDirectoryA(path.c_str(), nullptr);
    }
    bool font_shows_chinese(const FontSpec& font) const override {
        return ::font_shows_chinese(font);
    }
};

// One run after its settings have passed: what it works on and what it has done.
struct Run {
    const std::string& source;
    const std::string& target;
    const Settings& settings;
    const PipelineOptions options;
    BatchHost& host;
    RunState state;
    std::optional<FormControl> focus;
    int folders_left_out = 0;
};

void ask_completion(Run& run) {
    char question[256];
    std::snprintf(question, sizeof question,
                  "处理完成 %d 个图片，是否要打开目标文件夹查看处理后的图片？", run.state.written);
    run.host.offer_target_folder(question, run.target.c_str());
}

// beside_sources: the images of the folder, when its results are written beside them.
ImageOutcome process(Run& run, const std::string& folder, const std::string& destination,
                     const char* name, const StringList* beside_sources) {
    run.host.begin_image(name);
    if (const char* other = beside_sources ? source_in_the_way(name, *beside_sources) : nullptr) {
        const std::string line = "不能保存 " + folder + "\\" + name +
                                 " 的处理结果 ,它会覆盖图片源文件 " + folder + "\\" + other;
        run.host.append_log_line(line.c_str());
        ++run.state.failed;
        return ImageOutcome::WriteFailure;
    }
    const ImageOutcome outcome =
        process_image(folder, destination, name, run.state, run.settings, run.options, run.host);
    if (outcome == ImageOutcome::AnimatedGif)
        ++run.state.skipped;
    else if (outcome != ImageOutcome::Written && outcome != ImageOutcome::Cancelled)
        ++run.state.failed;
    return outcome;
}

// The sources of a folder whose results go into destination, when that is the folder itself.
const StringList* sources_beside(const std::string& folder, const std::string& destination,
                                 const StringList& images) {
    const auto id = file_identity(folder.c_str());
    return id && id == file_identity(destination.c_str()) ? &images : nullptr;
}

// The images directly in the source folder; progress counts images written.
BatchEnd run_flat(Run& run) {
    const auto images = list_images(run.source.c_str());
    if (!images) {
        run.host.show_message(ReadFolderError, NoticeCaption, MessageIcon::Error);
        return BatchEnd::FolderError;
    }
    run.host.set_progress_range(images->count);
    const StringList* beside = sources_beside(run.source, run.target, *images);
    for (int i = 0; i < images->count; ++i) {
        const ImageOutcome outcome =
            process(run, run.source, run.target, string_list_get(*images, i), beside);
        if (outcome == ImageOutcome::Cancelled)
            return BatchEnd::Cancelled;
        if (outcome == ImageOutcome::Written)
            run.host.set_progress_position(i + 1);
    }
    ask_completion(run);
    return BatchEnd::Completed;
}

// Every folder of the source tree into its mirror below the target; progress counts folders.
BatchEnd run_subfolders(Run& run) {
    if (lies_below(run.target, run.source)) {
        run.host.show_message("不能将处理后的图片保存到图片源文件夹中的子文件夹里", NoticeCaption,
                              MessageIcon::Error);
        run.focus = FormControl::TargetFolderButton;
        return BatchEnd::Refused;
    }
    // The whole tree is listed first: folders made during the run are not visited.
    const auto folders = string_list_new();
    const auto too_long = string_list_new();
    string_list_add(*folders, run.source.c_str());
    list_subfolders(run.source.c_str(), *folders, true, too_long.get());
    // The rest of the tree is processed all the same.
    for (int i = 0; i < too_long->count; ++i)
        run.host.append_log_line(
            (std::string("跳过 ") + string_list_get(*too_long, i) + " ,文件夹路径太长").c_str());
    run.folders_left_out = too_long->count;
    run.host.set_progress_range(folders->count);

    BatchEnd end = BatchEnd::Completed;
    for (int i = 0; i < folders->count; ++i) {
        const std::string folder = string_list_get(*folders, i);
        const std::string destination = mirrored_folder(folder, run.source, run.target);
        if (!is_directory(destination.c_str()) && !CreateDirectoryA(destination.c_str(), nullptr)) {
            run.host.show_message("创建图片处理后保存到的文件夹时出错", NoticeCaption,
                                  MessageIcon::Error);
            run.focus = FormControl::TargetFolderButton;
            end = BatchEnd::FolderError;
            break;
        }
        const auto images = list_images(folder.c_str());
        if (!images) {
            run.host.show_message(ReadFolderError, NoticeCaption, MessageIcon::Error);
            end = BatchEnd::FolderError;
            break;
        }
        const StringList* beside = sources_beside(folder, destination, *images);
        for (int j = 0; j < images->count; ++j)
            if (process(run, folder, destination, string_list_get(*images, j), beside) ==
                ImageOutcome::Cancelled)
                return BatchEnd::Cancelled;
        run.host.set_progress_position(i + 1);
    }
    ask_completion(run);
    return end;
}

// Checks, saves the settings, and processes; the image library is running throughout.
BatchOutcome run_with_library(const FormSnapshot& form, const std::string& source,
                              Settings& settings, BatchHost& host,
                              std::optional<FormControl>& focus) {
    const CheckResult checked =
        check_settings(form, source, settings, host, system_check_environment());
    if (!checked.passed()) {
        focus = checked.refusal->focus;
        return {BatchEnd::Refused};
    }
    // Before the first image, so a run that fails later keeps its settings.
    host.save_settings(settings);

    Run run{source, checked.target_folder, settings, pipeline_options(form, settings), host, {},
            {}};
    const BatchEnd end = form.subfolders_check ? run_subfolders(run) : run_flat(run);
    focus = run.focus;
    return {end, run.state.written, run.state.failed, run.state.skipped, run.folders_left_out};
}

} // namespace

const CheckEnvironment& system_check_environment() {
    static const SystemCheckEnvironment environment;
    return environment;
}

BatchOutcome run_batch(const FormSnapshot& form, Settings& settings, BatchHost& host) {
    const std::string source = trimmed(form.source_folder_edit);
    std::optional<FormControl> focus;
    BatchOutcome outcome;
    {
        const MagickSession library;
        outcome = run_with_library(form, source, settings, host, focus);
    }
    // The end of the run, whichever way it came.
    host.hand_back_settings(settings);
    host.restore_controls();
    host.set_progress_position(0);
    if (focus)
        host.request_focus(*focus);
    return outcome;
}
