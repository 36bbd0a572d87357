#include "core/batch_run.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/text.h"
#include "core/folder_feed.h"
#include "core/folder_rules.h"
#include "core/image_collection.h"
#include "core/image_names.h"
#include "core/image_workers.h"
#include "core/run_context.h"
#include "imaging/magick.h"
#include "platform/file_system.h"
#include "platform/whole_file.h"

namespace {

const char ReadFolderError[] = "读取图片源文件夹时出错";

// Shared by all images of a run.
struct RunState {
    int overwrite_answer = -1; // -1 not asked yet, 1 overwrite all, 0 cancelled
    int written = 0;
    int failed = 0;  // not read, processed or written
    int skipped = 0; // animated GIFs
    // The files written by the run, their paths with ASCII letters lower-cased as the file
    // system sets case aside, and the source each came from: no later result replaces one.
    std::map<std::string, std::string> results;
};

// One run after its settings have passed: what it works on and what it has done.
struct Run {
    const std::string& source;
    const std::string& target;
    const RunContext context;
    const int workers;
    const std::string rename_pattern; // empty: results keep their sources' names
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

// Asks once per run whether existing results may be overwritten; false when the run stops.
bool may_write(const std::vector<std::string>& paths, RunState& state, BatchHost& host) {
    if (state.overwrite_answer != -1 ||
        std::none_of(paths.begin(), paths.end(),
                     [](const std::string& path) { return file_exists(path.c_str()); }))
        return true;
    if (host.ask_yes_no("图片处理后保存到的文件夹中已存在相同文件名的图片，是否要全部覆盖？",
                        QuestionCaption)) {
        state.overwrite_answer = 1;
        return true;
    }
    host.show_message("你取消了本次图片处理", NoticeCaption, MessageIcon::Information);
    state.overwrite_answer = 0;
    return false;
}

// The names of an image's files: its result's, or with slices one for each.
std::vector<std::string> file_names(const std::string& output, std::size_t slices) {
    if (slices <= 1)
        return {output};
    std::vector<std::string> names;
    for (std::size_t k = 1; k <= slices; ++k)
        names.push_back(slice_name(output, static_cast<int>(k)));
    return names;
}

std::string case_folded(std::string path) {
    for (char& c : path)
        c = ascii_lower(c);
    return path;
}

// Why a file of the image's result may not be written: it would replace another source beside
// it, or a result the run wrote before (two images renamed alike). Empty when none is in the way.
std::string in_the_way(const Run& run, const FolderWork& work, int i,
                       const std::vector<std::string>& names) {
    const std::string source = work.folder + "\\" + string_list_get(*work.images, i);
    for (const std::string& name : names) {
        const char* other =
            work.beside ? source_in_the_way(name, string_list_get(*work.images, i), *work.images)
                        : nullptr;
        if (other)
            return "不能保存 " + source + " 的处理结果 ,它会覆盖图片源文件 " + work.folder + "\\" +
                   other;
        const auto earlier = run.state.results.find(case_folded(work.destination + "\\" + name));
        if (earlier != run.state.results.end())
            return "不能保存 " + source + " 的处理结果 ,它会覆盖 " + earlier->second +
                   " 的处理结果 " + work.destination + "\\" + name;
    }
    return {};
}

ImageOutcome count(RunState& state, ImageOutcome outcome) {
    if (outcome == ImageOutcome::Written)
        ++state.written;
    else if (outcome == ImageOutcome::AnimatedGif)
        ++state.skipped;
    else
        ++state.failed;
    return outcome;
}

// Writes the files of a result in their order; false at the first that cannot be written, which
// is logged.
bool write_files(Run& run, const FolderWork& work, int i, const ImageResult& result,
                 const std::vector<std::string>& names) {
    const std::string source = work.folder + "\\" + string_list_get(*work.images, i);
    for (std::size_t k = 0; k < names.size(); ++k) {
        const std::string path = work.destination + "\\" + names[k];
        if (!write_whole_file(result.files[k].bytes(), work.destination, names[k])) {
            run.host.append_log_line(("保存 " + path + " 出错").c_str());
            return false;
        }
        run.state.results.emplace(case_folded(path), source);
    }
    return true;
}

// Image i of the folder whose turn it is, after every image before it: what a user sees of it
// (the overwrite question, its log lines, its files) comes now, whenever its worker processed it.
ImageOutcome commit_image(Run& run, const FolderWork& work, int i, ImageWorkers& workers) {
    const char* name = string_list_get(*work.images, i);
    run.host.begin_image(name);
    if (const char* other = work.in_the_way[i]) {
        const std::string line = "不能保存 " + work.folder + "\\" + name +
                                 " 的处理结果 ,它会覆盖图片源文件 " + work.folder + "\\" + other;
        run.host.append_log_line(line.c_str());
        return count(run.state, ImageOutcome::WriteFailure);
    }
    ImageResult result = workers.take();
    const bool written = result.outcome == ImageOutcome::Written;
    const std::vector<std::string> names = file_names(work.outputs[i], result.files.size());
    if (written)
        if (const std::string line = in_the_way(run, work, i, names); !line.empty()) {
            run.host.append_log_line(line.c_str());
            return count(run.state, ImageOutcome::WriteFailure);
        }
    std::vector<std::string> paths;
    for (const std::string& file : names)
        paths.push_back(work.destination + "\\" + file);
    if (!may_write(paths, run.state, run.host))
        return ImageOutcome::Cancelled; // its result, and all work ahead, is dropped unwritten
    for (const std::string& line : result.log)
        run.host.append_log_line(line.c_str());
    if (written && !write_files(run, work, i, result, names))
        result.outcome = ImageOutcome::WriteFailure;
    return count(run.state, result.outcome);
}

// Every folder of the feed in turn, its images committed in list order. Flat mode (no mirror)
// moves the progress bar to the number of each image written, subfolder mode to the number of
// folders done; a folder's mirror is made, and its listing's failure shown, in its turn.
BatchEnd commit_folders(Run& run, FolderFeed& feed, ImageWorkers& workers, bool mirror) {
    for (int f = 0; f < feed.folder_count(); ++f) {
        const FolderWork& work = feed.turn();
        if (mirror && !make_directory(work.destination.c_str())) {
            run.host.show_message("创建图片处理后保存到的文件夹时出错", NoticeCaption,
                                  MessageIcon::Error);
            run.focus = FormControl::TargetFolderButton;
            return BatchEnd::FolderError;
        }
        if (!work.images) {
            run.host.show_message(ReadFolderError, NoticeCaption, MessageIcon::Error);
            return BatchEnd::FolderError;
        }
        remove_left_over_partial_files(work.destination);
        for (int i = 0; i < work.images->count; ++i) {
            feed.fill();
            const ImageOutcome outcome = commit_image(run, work, i, workers);
            if (outcome == ImageOutcome::Cancelled)
                return BatchEnd::Cancelled;
            if (!mirror && outcome == ImageOutcome::Written)
                run.host.set_progress_position(i + 1);
        }
        if (mirror)
            run.host.set_progress_position(f + 1);
        feed.next_turn();
    }
    return BatchEnd::Completed;
}

// The images directly in the source folder; progress counts images written.
BatchEnd run_flat(Run& run) {
    ImageWorkers workers(run.context, run.workers);
    FolderFeed feed({run.source}, run.source, run.target, false, run.rename_pattern, workers);
    const FolderWork& work = feed.turn();
    if (!work.images) {
        run.host.show_message(ReadFolderError, NoticeCaption, MessageIcon::Error);
        return BatchEnd::FolderError;
    }
    run.host.set_progress_range(work.images->count);
    const BatchEnd end = commit_folders(run, feed, workers, false);
    if (end == BatchEnd::Completed)
        ask_completion(run);
    return end;
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

    std::vector<std::string> tree;
    for (int i = 0; i < folders->count; ++i)
        tree.emplace_back(string_list_get(*folders, i));
    ImageWorkers workers(run.context, run.workers);
    FolderFeed feed(std::move(tree), run.source, run.target, true, run.rename_pattern, workers);
    const BatchEnd end = commit_folders(run, feed, workers, true);
    // A folder that could not be made or listed ends the loop, not the run.
    if (end != BatchEnd::Cancelled)
        ask_completion(run);
    return end;
}

// Checks, saves the settings, and processes; the image library is running throughout.
BatchOutcome run_with_library(const FormSnapshot& form, Settings& settings,
                              const std::string& program_folder, int workers, BatchHost& host,
                              std::optional<FormControl>& focus) {
    const PlannedRun planned = plan_run(form, settings, program_folder, host);
    if (planned.refusal) {
        focus = planned.refusal->focus;
        return {BatchEnd::Refused};
    }
    // Before the first image, so a run that fails later keeps its settings.
    host.save_settings(settings);

    const std::string rename = form.shop.rename ? form.shop.rename_pattern : "";
    Run run{planned.source_folder,
            planned.target_folder,
            planned.context,
            workers,
            rename,
            host,
            {},
            {}};
    const BatchEnd end = form.subfolders_check ? run_subfolders(run) : run_flat(run);
    focus = run.focus;
    return {end, run.state.written, run.state.failed, run.state.skipped, run.folders_left_out};
}

} // namespace

BatchOutcome run_batch(const FormSnapshot& form, Settings& settings,
                       const std::string& program_folder, int workers, BatchHost& host) {
    std::optional<FormControl> focus;
    BatchOutcome outcome;
    {
        const MagickSession library;
        outcome = run_with_library(form, settings, program_folder, workers, host, focus);
    }
    // The end of the run, whichever way it came.
    host.hand_back_settings(settings);
    host.restore_controls();
    host.set_progress_position(0);
    if (focus)
        host.request_focus(*focus);
    return outcome;
}
