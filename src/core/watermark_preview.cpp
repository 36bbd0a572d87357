#include "core/watermark_preview.h"

#include <windows.h>

#include "core/image_collection.h"
#include "core/image_pipeline.h"
#include "core/path_tests.h"
#include "core/pipeline_options.h"
#include "core/sample_search.h"
#include "imaging/image_operations.h"
#include "imaging/image_reader.h"
#include "imaging/magick.h"
#include "imaging/text_watermark.h"

namespace {

const char Notice[] = "提示";

// A failure after the checks: its message, and the control for the focus if any.
PreviewOutcome fail(BatchHost& host, const std::string& message,
                    std::optional<FormControl> focus = std::nullopt) {
    host.show_message(message.c_str(), Notice, MessageIcon::Error);
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

// The steps of a run on the sample, with the preview's one watermark. Unlike a run, the chosen
// quality is set whatever the sample's own quality, so the preview shows the chosen one.
void make_preview_image(MagickWand* image, PreviewKind kind, const FormSnapshot& form,
                        const Settings& settings) {
    const PipelineOptions o = pipeline_options(form, settings);
    to_srgb(image);
    if (o.rotate)
        rotate_clockwise(image, o.angle);
    if (o.resize)
        resize_to_width(image, o.width);
    if (o.set_quality) {
        MagickSetImageCompression(image, JPEGCompression);
        MagickSetImageCompressionQuality(image, o.quality);
    }
    if (kind == PreviewKind::Text)
        draw_text_watermark(image, o.text_horz.direction, o.text_horz.margin, o.text_vert.direction,
                            o.text_vert.margin, settings.font, o.opacity, settings.sy_text);
    else // a watermark image that cannot be read is left out silently, as in a run
        stamp_watermark_file(image, settings.sy_image, o.image_horz.direction, o.image_horz.margin,
                             o.image_vert.direction, o.image_vert.margin);
}

std::string format_of(MagickWand* image) {
    const unique_magick_memory<char> format(MagickGetImageFormat(image));
    return format ? format.get() : "";
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
    const std::string source = trimmed(form.source_folder_edit);
    if (auto refusal =
            check_preview_settings(kind, form, source, settings, host, system_check_environment()))
        return {{}, refusal->focus};

    const SampleSearch sample = find_still_sample(source, form.subfolders_check);
    if (sample.found == SampleFound::FolderUnreadable)
        return fail(host, "读取图片源文件夹时出错");
    if (sample.found == SampleFound::NoImage)
        return fail(host, "在[图片源文件夹]中，没有找到需要处理的图片",
                    FormControl::SourceFolderButton);

    const std::string temp = program_folder + "\\temp";
    if (!is_directory(temp.c_str()) && !CreateDirectoryA(temp.c_str(), nullptr))
        return fail(host, "创建效果预览临时文件夹时出错");
    const std::string output = temp + "\\" + preview_file_name(kind);

    const unique_magick_wand image = new_magick_wand();
    if (!read_image(image.get(), sample.path.c_str()))
        return fail(host, "读取 " + sample.path + " 出错");
    const std::string format = format_of(image.get());
    make_preview_image(image.get(), kind, form, settings);
    // Only PNG samples are laid on white here; a GIF sample shows as it is written, as designed
    // for the preview (the batch lays both on white).
    if (format == "PNG")
        lay_on_white(image.get());
    // The earlier preview is not shown as if it were this one.
    if (!write_result(image.get(), output, "JPEG"))
        return fail(host, "保存 " + output + " 出错");
    return {output, std::nullopt};
}
