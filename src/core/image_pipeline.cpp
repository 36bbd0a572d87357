#include "core/image_pipeline.h"

#include <cstring>
#include <utility>

#include <windows.h>

#include "core/image_names.h"
#include "core/path_tests.h"
#include "imaging/image_operations.h"
#include "imaging/image_reader.h"
#include "imaging/magick.h"
#include "imaging/text_watermark.h"
#include "platform/file_io.h"

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
                        "询问")) {
        state.overwrite_answer = 1;
        return true;
    }
    host.show_message("你取消了本次图片处理", "提示", MessageIcon::Information);
    state.overwrite_answer = 0;
    return false;
}

// Reads the source. An image that is to be shrunk a lot is decoded straight at a fraction of
// its size when its format allows (JPEG): the result is the same to the eye, at a fraction of
// the time and memory. stored receives the size the picture stands for, after the rotation.
bool read_source(MagickWand* image, const std::string& path, const PipelineOptions& o,
                 ImageSize& stored) {
    const bool quarter_turn = o.rotate && (o.angle == 90 || o.angle == 270);
    int scale = 1;
    if (o.resize) {
        stored = stored_image_size(path.c_str());
        scale = jpeg_decode_scale(quarter_turn ? stored.height : stored.width, o.width);
    }
    if (!read_image(image, path.c_str(), scale))
        return false;
    if (scale == 1)
        stored = {int(MagickGetImageWidth(image)), int(MagickGetImageHeight(image))};
    if (quarter_turn)
        std::swap(stored.width, stored.height);
    return true;
}

// The quality of an image is lowered, never raised; 0 means the library knows none.
void lower_quality(MagickWand* image, int quality) {
    const size_t own = MagickGetImageCompressionQuality(image);
    if (own == 0 || own > size_t(quality)) {
        MagickSetImageCompression(image, JPEGCompression);
        MagickSetImageCompressionQuality(image, quality);
    }
}

} // namespace

std::string partial_output_path(const std::string& output_path) {
    return output_path + ".ombrel-part";
}

// An interrupted write never leaves a truncated result, nor destroys a source that the result
// replaces.
bool write_result(MagickWand* image, const std::string& output_path, const std::string& format) {
    MagickSetImageFormat(image, format.c_str());
    size_t length = 0;
    const unique_magick_memory<unsigned char> encoded(MagickGetImageBlob(image, &length));
    if (!encoded || length == 0)
        return false;
    const std::string partial = partial_output_path(output_path);
    if (write_file(partial.c_str(), {reinterpret_cast<const char*>(encoded.get()), length}) &&
        MoveFileExA(partial.c_str(), output_path.c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    DeleteFileA(partial.c_str());
    return false;
}

ImageOutcome process_image(const std::string& folder, const std::string& destination,
                           const std::string& name, RunState& state, const Settings& settings,
                           const PipelineOptions& o, BatchHost& host) {
    const std::string source_path = folder + "\\" + name;
    const std::string output_path = destination + "\\" + output_name(name);
    if (!may_write(output_path, state, host))
        return ImageOutcome::Cancelled;

    const unique_magick_wand image = new_magick_wand();
    ImageSize stored;
    if (!read_source(image.get(), source_path, o, stored)) {
        host.append_log_line(formatted("读取 %s 出错", source_path).c_str());
        return ImageOutcome::ReadFailure;
    }
    const unique_magick_memory<char> format_name(MagickGetImageFormat(image.get()));
    const std::string format = format_name ? format_name.get() : "";
    if (format == "GIF" && MagickGetImageDelay(image.get()) != 0) {
        host.append_log_line(formatted("跳过 %s ,这是一个gif动画图片", source_path).c_str());
        return ImageOutcome::AnimatedGif;
    }

    to_srgb(image.get());
    if (o.rotate)
        rotate_clockwise(image.get(), o.angle);
    if (o.resize)
        resize_to_width(image.get(), o.width, stored.width, stored.height);
    if (o.set_quality)
        lower_quality(image.get(), o.quality);
    if (o.text_watermark)
        draw_text_watermark(image.get(), o.text_horz.direction, o.text_horz.margin,
                            o.text_vert.direction, o.text_vert.margin, settings.font, o.opacity,
                            settings.sy_text);
    // The watermark file is read for every image; one that cannot be read is left out silently.
    if (o.image_watermark)
        stamp_watermark_file(image.get(), settings.sy_image, o.image_horz.direction,
                             o.image_horz.margin, o.image_vert.direction, o.image_vert.margin);
    if (needs_white_canvas(format.c_str()))
        lay_on_white(image.get());

    if (!write_result(image.get(), output_path, output_format(output_path, format))) {
        host.append_log_line(formatted("保存 %s 出错", output_path).c_str());
        return ImageOutcome::WriteFailure;
    }
    ++state.written;
    return ImageOutcome::Written;
}
