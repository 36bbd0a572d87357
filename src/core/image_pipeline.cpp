#include "core/image_pipeline.h"

#include <algorithm>
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

// The size the picture is shrunk to before its canvas: to the width, then into the box.
ImageSize shrunk_size(ImageSize size, const PipelineOptions& options) {
    if (options.resize && options.width >= 1 && size.width > options.width)
        size = {options.width, resized_height(size.width, size.height, options.width)};
    return options.box ? fitted_size(size, *options.box) : size;
}

// An image that is to be shrunk a lot is decoded straight at a fraction of its size when its
// format allows (JPEG): the result is the same to the eye, at a fraction of the time and memory.
// stored receives the size the picture stands for, upright and rotated.
bool read_source(MagickWand* image, const ImageHeader& header, const PipelineOptions& options,
                 ImageSize& stored) {
    const bool quarter_turn = options.rotate && (options.angle == 90 || options.angle == 270);
    ImageSize turned = header.upright;
    if (quarter_turn)
        std::swap(turned.width, turned.height);
    const int scale = jpeg_decode_scale(turned.width, shrunk_size(turned, options).width);
    if (!read_image(image, header, scale))
        return false;
    stored = header.upright;
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

// The steps that give the picture its final size, in their fixed order. A picture that could
// not be turned, shrunk or laid on its canvas fails the image: it would be written the wrong
// way up or at the wrong size, and counted as processed.
bool shape(MagickWand* image, const ImageSize& stored, const PipelineOptions& options) {
    to_srgb(image);
    if (options.rotate && !rotate_clockwise(image, options.angle))
        return false;
    if (!resize_to(image, shrunk_size(stored, options)))
        return false;
    if (options.canvas && !place_on_canvas(image, *options.canvas, options.canvas_colour.c_str()))
        return false;
    if (options.set_quality) {
        if (options.raise_quality)
            set_jpeg_quality(image, options.quality);
        else
            lower_quality(image, options.quality);
    }
    return true;
}

// The watermarks, sized as a share of the picture's width when so set, and the white under
// transparent parts, on a picture of its final size (a slice is one). A watermark that the
// library refuses is left out and the image is written all the same, as the program has always
// done (an unreadable watermark image among them); a picture that cannot be laid on white fails:
// its transparent parts would be black.
bool finish(MagickWand* image, const std::string& format, const RunContext& run,
            WatermarkCopy* watermark) {
    const PipelineOptions& options = run.options;
    const int width = static_cast<int>(MagickGetImageWidth(image));
    // A run lays every picture with real transparency on white, a preview only a PNG sample.
    // Asked before the watermarks, which add no transparency: the library's text drawing gives
    // an opaque picture an alpha channel (all opaque), and every picture with a text would then
    // be laid on white, a copy of it for nothing.
    const bool on_white = options.only_png_on_white ? format == "PNG" : needs_white_canvas(image);
    if (options.text_watermark) {
        const WatermarkText& text =
            options.text_scale_percent
                ? scaled_text(run.text, width * options.text_scale_percent / 100.0)
                : run.text;
        draw_text_watermark(image, text, options.text_horz.direction, options.text_horz.margin,
                            options.text_vert.direction, options.text_vert.margin);
    }
    if (options.image_watermark && watermark)
        if (MagickWand* picture =
                options.image_scale_percent
                    ? watermark->current(std::max(1, width * options.image_scale_percent / 100))
                    : watermark->current())
            composite_watermark(image, picture, options.image_horz.direction,
                                options.image_horz.margin, options.image_vert.direction,
                                options.image_vert.margin);
    return !on_white || lay_on_white(image);
}

// The file of a finished picture; under a size cap a JPEG is encoded again until it fits, and
// one that cannot fit is written all the same, with a line that says so.
EncodedImage encode(MagickWand* image, const std::string& encoder, const RunContext& run,
                    const std::string& source, std::vector<std::string>& log) {
    if (!run.options.max_kb || encoder != "JPEG")
        return encode_image(image, encoder.c_str());
    const std::size_t cap = std::size_t(run.options.max_kb) * 1024;
    CappedEncoding capped = encode_jpeg_within(image, cap);
    if (!capped.within) {
        char line[96];
        std::snprintf(line, sizeof line, " 的处理结果有 %zu KB ,压缩后仍超过 %d KB 的上限",
                      (capped.encoded.length + 1023) / 1024, run.options.max_kb);
        log.push_back(source + line);
    }
    return std::move(capped.encoded);
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
    if (!shape(image.get(), stored, run.options))
        return broken_off(source);
    // A failure can only leave the kept EXIF block out; slices take what is left.
    strip_metadata(image.get(), run.options.keep_metadata);

    ImageResult result;
    const std::string encoder = output_format(destination, format);
    const int height = static_cast<int>(MagickGetImageHeight(image.get()));
    const int slices = run.options.slice_height ? slice_count(height, run.options.slice_height) : 1;
    for (int i = 0; i < slices; ++i) {
        unique_magick_wand slice;
        if (slices > 1) {
            const int top = i * run.options.slice_height;
            slice = image_rows(image.get(), top, std::min(run.options.slice_height, height - top));
            if (!slice)
                return broken_off(source);
        }
        MagickWand* picture = slices > 1 ? slice.get() : image.get();
        if (!finish(picture, format, run, watermark))
            return broken_off(source);
        // Bytes that could not be encoded make the write fail, and it is logged as one.
        result.files.push_back(encode(picture, encoder, run, source, result.log));
    }
    result.outcome = ImageOutcome::Written;
    return result;
}

ImageResult broken_off(const std::string& source) {
    return logged(ImageOutcome::ProcessFailure, "处理 %s 出错", source);
}
