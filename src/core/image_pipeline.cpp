#include "core/image_pipeline.h"

#include <cstring>
#include <cstdio>
#include <optional>
#include <string_view>
#include <utility>

#include <windows.h>

#include "core/image_names.h"
#include "imaging/image_operations.h"
#include "imaging/image_reader.h"
#include "imaging/magick.h"
#include "imaging/text_watermark.h"
#include "platform/file_io.h"
#include "platform/file_system.h"

namespace {

std::string formatted(const char* pattern, const std::string& path) {
    std::string line(std::strlen(pattern) + path.size(), '\0');
    line.resize(std::snprintf(line.data(), line.size() + 1, pattern, path.c_str()));
    return line;
}

// Asks once per run whether existing results may be overwritten; false when the run stops.
bool may_write(const std::string& output_path, RunState& state, BatchHost& host) {
    if (state.overwrite_answer != -1 || !file_exists(output_path.c_str()))
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

// Reads the source. An image that is to be shrunk a lot is decoded straight at a fraction of
// its size when its format allows (JPEG): the result is the same to the eye, at a fraction of
// the time and memory. stored receives the size the picture stands for, upright and rotated.
bool read_source(MagickWand* image, const std::string& path, const ImageHeader& header,
                 const PipelineOptions& options, ImageSize& stored) {
    const bool quarter_turn = options.rotate && (options.angle == 90 || options.angle == 270);
    stored = header.upright;
    const int scale =
        options.resize
            ? jpeg_decode_scale(quarter_turn ? stored.height : stored.width, options.width)
            : 1;
    if (!read_image(image, path.c_str(), scale))
        return false;
    if (scale == 1)
        stored = {int(MagickGetImageWidth(image)), int(MagickGetImageHeight(image))};
    if (quarter_turn)
        std::swap(stored.width, stored.height);
    return true;
}

// The quality of an image is lowered, never raised; 0 means the library knows none.
bool lower_quality(MagickWand* image, int quality) {
    const size_t own = MagickGetImageCompressionQuality(image);
    return (own != 0 && own <= size_t(quality)) || set_jpeg_quality(image, quality);
}

// The steps after the read, in their fixed order. Only a failed resize fails the image: its
// picture would be written at the wrong size and counted as shrunk. Every other step that the
// library refuses leaves the picture as the library left it, and the image is written all the
// same, as the program has always done (an unreadable watermark image among them).
bool apply_steps(MagickWand* image, const std::string& format, const ImageSize& stored,
                 const Settings& settings, const PipelineOptions& options) {
    to_srgb(image);
    if (options.rotate)
        rotate_clockwise(image, options.angle);
    if (options.resize && !resize_to_width(image, options.width, stored.width, stored.height))
        return false;
    if (options.set_quality)
        lower_quality(image, options.quality);
    if (options.text_watermark)
        draw_text_watermark(image, options.text_horz.direction, options.text_horz.margin,
                            options.text_vert.direction, options.text_vert.margin, settings.font,
                            options.opacity, settings.sy_text);
    // The watermark file is read for every image.
    if (options.image_watermark)
        stamp_watermark_file(image, settings.sy_image, options.image_horz.direction,
                             options.image_horz.margin, options.image_vert.direction,
                             options.image_vert.margin);
    if (needs_white_canvas(format.c_str()))
        lay_on_white(image);
    return true;
}

} // namespace

// Short, so that every name the destination folder takes can be written through it; no image
// extension, so that a left-over is never taken for a source; the process and a count in it,
// so that two writers, in one run or two, never meet.
std::string partial_output_path(const std::string& folder, unsigned count) {
    char name[40];
    std::snprintf(name, sizeof name, "ombrel-%lx-%x.part",
                  static_cast<unsigned long>(GetCurrentProcessId()), count);
    return folder + "\\" + name;
}

namespace {

// The first count whose name is free; a name whose file exists is taken by another writer or
// left over from a process that had this identifier.
std::string write_partial_file(const std::string& folder, std::string_view data) {
    for (unsigned count = 0; count < 100; ++count) {
        const std::string partial = partial_output_path(folder, count);
        if (write_new_file(partial.c_str(), data))
            return partial;
        if (GetLastError() != ERROR_FILE_EXISTS) {
            DeleteFileA(partial.c_str()); // whatever part of it was written
            return {};
        }
    }
    return {};
}

} // namespace

// An interrupted write never leaves a truncated result, nor destroys a source that the result
// replaces.
bool write_result(MagickWand* image, const std::string& folder, const std::string& name,
                  const std::string& format) {
    // The type the read found (greyscale, for a grey photograph) outlives the colours drawn on
    // the picture since, and the writer would take it at its word and drop them. Unset, it is
    // the writer that looks at the pixels, and a picture still grey is written grey as before.
    if (MagickSetImageType(image, UndefinedType) != MagickTrue ||
        MagickSetImageFormat(image, format.c_str()) != MagickTrue)
        return false;
    size_t length = 0;
    const unique_magick_memory<unsigned char> encoded(MagickGetImageBlob(image, &length));
    if (!encoded || length == 0)
        return false;
    const std::string partial =
        write_partial_file(folder, {reinterpret_cast<const char*>(encoded.get()), length});
    if (partial.empty())
        return false;
    if (replace_file(partial.c_str(), (folder + "\\" + name).c_str()))
        return true;
    DeleteFileA(partial.c_str());
    return false;
}

ImageOutcome process_image(const std::string& folder, const std::string& destination,
                           const std::string& name, RunState& state, const Settings& settings,
                           const PipelineOptions& options, BatchHost& host) {
    const std::string source_path = folder + "\\" + name;
    const std::string output_path = destination + "\\" + output_name(name);
    if (!may_write(output_path, state, host))
        return ImageOutcome::Cancelled;

    // An animation is skipped from its header, before its frames are decoded.
    const std::optional<ImageHeader> header = read_image_header(source_path.c_str());
    if (header && header->animated) {
        host.append_log_line(formatted("跳过 %s ,这是一个gif动画图片", source_path).c_str());
        return ImageOutcome::AnimatedGif;
    }
    const unique_magick_wand image = new_magick_wand();
    ImageSize stored;
    if (!header || !image || !read_source(image.get(), source_path, *header, options, stored)) {
        host.append_log_line(formatted("读取 %s 出错", source_path).c_str());
        return ImageOutcome::ReadFailure;
    }
    const unique_magick_memory<char> format_name(MagickGetImageFormat(image.get()));
    const std::string format = format_name ? format_name.get() : "";

    if (!apply_steps(image.get(), format, stored, settings, options)) {
        host.append_log_line(formatted("处理 %s 出错", source_path).c_str());
        return ImageOutcome::ProcessFailure;
    }
    if (!write_result(image.get(), destination, output_name(name),
                      output_format(output_path, format))) {
        host.append_log_line(formatted("保存 %s 出错", output_path).c_str());
        return ImageOutcome::WriteFailure;
    }
    ++state.written;
    return ImageOutcome::Written;
}
