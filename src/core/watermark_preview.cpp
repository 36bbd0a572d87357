#include "core/watermark_preview.h"

#include <windows.h>

#include "core/image_collection.h"
#include "core/pipeline_options.h"
#include "core/result_files.h"
#include "core/sample_search.h"
#include "imaging/image_operations.h"
#include "imaging/image_reader.h"
#include "imaging/magick.h"
#include "imaging/text_watermark.h"
#include "platform/file_system.h"

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

// The steps of a run on the sample, with the preview's one watermark. Unlike a run, the chosen
// quality is set whatever the sample's own quality, so the preview shows the chosen one. As in
// a run, only a failed resize fails the preview; every other refused step leaves the picture
// as the library left it (a watermark image that cannot be read is left out).
bool make_preview_image(MagickWand* image, PreviewKind kind, const FormSnapshot& form,
                        const Settings& settings) {
    const PipelineOptions options = pipeline_options(form, settings);
    to_srgb(image);
    if (options.rotate)
        rotate_clockwise(image, options.angle);
    if (options.resize && !resize_to_width(image, options.width))
        return false;
    if (options.set_quality)
        set_jpeg_quality(image, options.quality);
    if (kind == PreviewKind::Text)
        draw_text_watermark(
            image, prepare_text_watermark(settings.font, options.opacity, settings.sy_text),
            options.text_horz.direction, options.text_horz.margin, options.text_vert.direction,
            options.text_vert.margin);
    else
        stamp_watermark_file(image, settings.sy_image, options.image_horz.direction,
                             options.image_horz.margin, options.image_vert.direction,
                             options.image_vert.margin);
    return true;
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
    if (!image || !read_image(image.get(), sample.path.c_str()))
        return fail(host, "读取 " + sample.path + " 出错");
    const std::string format = format_of(image.get());
    if (!make_preview_image(image.get(), kind, form, settings))
        return fail(host, "处理 " + sample.path + " 出错");
    // Only PNG samples are laid on white here; a GIF sample shows as it is written, as designed
    // for the preview (the batch lays both on white).
    if (format == "PNG")
        lay_on_white(image.get());
    // The earlier preview is not shown as if it were this one.
    const EncodedImage encoded = encode_image(image.get(), "JPEG");
    if (!write_result(encoded.bytes(), temp, preview_file_name(kind)))
        return fail(host, "保存 " + output + " 出错");
    return {output, std::nullopt};
}
