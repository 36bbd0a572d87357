#include "core/watermark_preview.h"

#include "core/image_collection.h"
#include "core/image_pipeline.h"
#include "core/run_context.h"
#include "core/sample_search.h"
#include "imaging/image_operations.h"
#include "imaging/magick.h"
#include "imaging/watermark_image.h"
#include "platform/file_system.h"
#include "platform/whole_file.h"

namespace {

// A failure after the checks: its message, and the control for the focus if any.
PreviewOutcome fail(BatchHost& host, const std::string& message,
                    std::optional<FormControl> focus = std::nullopt) {
    host.show_message(message.c_str(), NoticeCaption, MessageIcon::Error);
    return {{}, focus};
}

// The folders a run would visit, in its order: the source, then with subfolders its whole
// tree.
std::vector<std::string> sample_folders(const std::string& source, bool subfolders) {
    std::vector<std::string> folders{source};
    if (subfolders) {
        const auto tree = string_list_new();
        list_subfolders(source.c_str(), *tree, true);
        for (int i = 0; i < tree->count; ++i)
            folders.emplace_back(string_list_get(*tree, i));
    }
    return folders;
}

std::optional<std::vector<std::string>> image_names(const std::string& folder) {
    const auto images = list_images(folder.c_str());
    if (!images)
        return std::nullopt;
    std::vector<std::string> names;
    for (int i = 0; i < images->count; ++i)
        names.emplace_back(string_list_get(*images, i));
    return names;
}

SampleSearch find_still_sample(const std::string& source, bool subfolders) {
    return find_sample(sample_folders(source, subfolders), image_names,
                       [](const std::string& path) { return is_still_image(path.c_str()) == 1; });
}

} // namespace

const char* preview_file_name(PreviewKind kind) {
    return kind == PreviewKind::Text ? "sy_text.jpg" : "sy_image.jpg";
}

PreviewOutcome make_watermark_preview(PreviewKind kind, const FormSnapshot& form,
                                      Settings& settings, BatchHost& host,
                                      const std::string& program_folder) {
    // The font test and the still-image test start and stop the library inside this session.
    const MagickSession library;
    const PlannedRun run = plan_run(form, settings, program_folder, host, kind);
    if (run.refusal)
        return {{}, run.refusal->focus};

    const SampleSearch sample = find_still_sample(run.source_folder, form.subfolders_check);
    if (sample.found == SampleFound::FolderUnreadable)
        return fail(host, "读取图片源文件夹时出错");
    if (sample.found == SampleFound::NoImage)
        return fail(host, "在[图片源文件夹]中，没有找到需要处理的图片",
                    FormControl::SourceFolderButton);

    const std::string temp = program_folder + "\\temp";
    if (!make_directory(temp.c_str()))
        return fail(host, "创建效果预览临时文件夹时出错");
    const std::string output = temp + "\\" + preview_file_name(kind);

    // The picture is made as a run makes it: its log lines are not the preview's words.
    WatermarkFile watermark_file(run.context.watermark_file);
    WatermarkCopy watermark(watermark_file);
    const ImageResult made = process_image(run.context, sample.path, output, &watermark);
    if (made.outcome == ImageOutcome::ProcessFailure)
        return fail(host, "处理 " + sample.path + " 出错");
    if (made.outcome != ImageOutcome::Written)
        return fail(host, "读取 " + sample.path + " 出错");
    // The earlier preview is not shown as if it were this one.
    if (!write_whole_file(made.files.front().bytes(), temp, preview_file_name(kind)))
        return fail(host, "保存 " + output + " 出错");
    return {output, std::nullopt};
}
