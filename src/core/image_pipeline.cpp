#include "core/image_pipeline.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>
#include <utility>

#include "core/image_names.h"
#include "imaging/image_operations.h"
#include "imaging/image_reader.h"

namespace {

std::string formatted(const char* pattern, const std::string& path) {
    std::string line(std::strlen(pattern) + path.size(), '\0');
    line.resize(std::snprintf(line.data(), line.size() + 1, pattern, path.c_str()));
    return line;
}

ImageResult logged(ImageOutcome outcome, const char* pattern, const std::string& source) {
    ImageResult result;
    result.outcome = outcome;
    result.log.push_back(formatted(pattern, source));
    return result;
}

// An image that is to be shrunk a lot is decoded straight at a fraction of its size when its
// format allows (JPEG): the result is the same to the eye, at a fraction of the time and memory.
// stored receives the size the picture stands for, upright and rotated.
bool read_source(MagickWand* image, const ImageHeader& header, const PipelineOptions& options,
                 ImageSize& stored) {
    const bool quarter_turn = options.rotate && (options.angle == 90 || options.angle == 270);
    stored = header.upright;
    const int scale =
        options.resize
            ? jpeg_decode_scale(quarter_turn ? stored.height : stored.width, options.width)
            : 1;
    if (!read_image(image, header, scale))
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

// The steps after the read, in their fixed order. A picture that could not be turned, shrunk or
// laid on white fails the image: it would be written the wrong way up, at the wrong size or
// with its transparent parts black, and counted as processed. A watermark that the library
// refuses is left out and the image is written all the same, as the program has always done
// (an unreadable watermark image among them).
bool apply_steps(MagickWand* image, const std::string& format, const ImageSize& stored,
                 const RunContext& run, WatermarkCopy* watermark) {
    const PipelineOptions& options = run.options;
    to_srgb(image);
    if (options.rotate && !rotate_clockwise(image, options.angle))
        return false;
    if (options.resize && !resize_to_width(image, options.width, stored.width, stored.height))
        return false;
    if (options.set_quality) {
        if (options.raise_quality)
            set_jpeg_quality(image, options.quality);
        else
            lower_quality(image, options.quality);
    }
    // A run lays every picture with real transparency on white, a preview only a PNG sample.
    // Asked before the watermarks, which add no transparency: the library's text drawing gives
    // an opaque picture an alpha channel (all opaque), and every picture with a text would then
    // be laid on white, a copy of it for nothing.
    const bool on_white = options.only_png_on_white ? format == "PNG" : needs_white_canvas(image);
    if (options.text_watermark)
        draw_text_watermark(image, run.text, options.text_horz.direction, options.text_horz.margin,
                            options.text_vert.direction, options.text_vert.margin);
    if (options.image_watermark && watermark)
        if (MagickWand* picture = watermark->current())
            composite_watermark(image, picture, options.image_horz.direction,
                                options.image_horz.margin, options.image_vert.direction,
                                options.image_vert.margin);
    return !on_white || lay_on_white(image);
}

} // namespace

ImageResult process_image(const RunContext& run, const std::string& source,
                          const std::string& destination, WatermarkCopy* watermark) {
    // An animation is skipped from its header, before its frames are decoded.
    const std::optional<ImageHeader> header = read_image_header(source.c_str());
    if (header && header->animated)
        return logged(ImageOutcome::AnimatedGif, "跳过 %s ,这是一个gif动画图片", source);
    const unique_magick_wand image = new_magick_wand();
    ImageSize stored;
    if (!header || !image || !read_source(image.get(), *header, run.options, stored))
        return logged(ImageOutcome::ReadFailure, "读取 %s 出错", source);
    const unique_magick_memory<char> format_name(MagickGetImageFormat(image.get()));
    const std::string format = format_name ? format_name.get() : "";

    if (!apply_steps(image.get(), format, stored, run, watermark))
        return broken_off(source);
    // A failure can only leave the kept EXIF block out.
    strip_metadata(image.get(), run.options.keep_metadata);
    ImageResult result;
    result.encoded = encode_image(image.get(), output_format(destination, format).c_str());
    // Bytes that could not be encoded make the write fail, and it is logged as one.
    result.outcome = ImageOutcome::Written;
    return result;
}

ImageResult broken_off(const std::string& source) {
    return logged(ImageOutcome::ProcessFailure, "处理 %s 出错", source);
}
