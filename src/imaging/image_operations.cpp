#include "imaging/image_operations.h"

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "imaging/exif_rules.h"
#include "imaging/image_reader.h"
#include "imaging/magick.h"

namespace {

// Sizes within the library's resource limits, so they fit an int.
int image_width(MagickWand* image) {
    return static_cast<int>(MagickGetImageWidth(image));
}
int image_height(MagickWand* image) {
    return static_cast<int>(MagickGetImageHeight(image));
}

} // namespace

// Transforming an image already in sRGB again would only cost time.
bool to_srgb(MagickWand* image) {
    return MagickGetImageColorspace(image) == sRGBColorspace ||
           MagickTransformImageColorspace(image, sRGBColorspace) == MagickTrue;
}

bool resize_to_width(MagickWand* image, int target_width) {
    return resize_to_width(image, target_width, image_width(image), image_height(image));
}

// A target below one pixel is no width at all, so nothing is done.
bool resize_to_width(MagickWand* image, int target_width, int width, int height) {
    if (target_width < 1 || width <= target_width)
        return true;
    return MagickResizeImage(image, target_width, resized_height(width, height, target_width),
                             LanczosFilter, 1.0) == MagickTrue;
}

// The library clips whatever lands outside the image, negative offsets included.
bool composite_watermark(MagickWand* image, MagickWand* watermark, int h_direction, int h_margin,
                         int v_direction, int v_margin) {
    const Placement at =
        place_watermark(image_width(image), image_height(image), image_width(watermark),
                        image_height(watermark), h_direction, h_margin, v_direction, v_margin);
    return MagickCompositeImage(image, watermark, OverCompositeOp, at.x, at.y) == MagickTrue;
}

// An animation is told from its header, as the batch tells it, before a frame is decoded.
int is_still_image(const char* path) {
    const MagickSession session;
    const std::optional<ImageHeader> header = read_image_header(path);
    const auto wand = new_magick_wand();
    return header && !header->animated && wand && read_image(wand.get(), *header) ? 1 : 0;
}

// The background colour stays unset: quarter turns uncover no background.
bool rotate_clockwise(MagickWand* image, double angle) {
    const auto background = new_pixel_wand();
    return background && MagickRotateImage(image, background.get(), angle) == MagickTrue;
}

bool set_jpeg_quality(MagickWand* image, int quality) {
    return MagickSetImageCompression(image, JPEGCompression) == MagickTrue &&
           MagickSetImageCompressionQuality(image, quality) == MagickTrue;
}

bool lay_on_white(MagickWand* image) {
    const auto white = new_pixel_wand();
    return white && PixelSetColor(white.get(), "white") == MagickTrue &&
           MagickSetImageBackgroundColor(image, white.get()) == MagickTrue &&
           MagickExtentImage(image, MagickGetImageWidth(image), MagickGetImageHeight(image), 0,
                             0) == MagickTrue;
}

// The type the read found (greyscale, for a grey photograph) outlives the colours drawn on the
// picture since, and the writer would take it at its word and drop them. Unset, it is the writer
// that looks at the pixels, and a picture still grey is written grey as before.
EncodedImage encode_image(MagickWand* image, const char* format) {
    EncodedImage encoded;
    if (MagickSetImageType(image, UndefinedType) == MagickTrue &&
        MagickSetImageFormat(image, format) == MagickTrue)
        encoded.data.reset(MagickGetImageBlob(image, &encoded.length));
    if (!encoded.data)
        encoded.length = 0;
    return encoded;
}

// The reader has taken a BMP whose alpha is zero everywhere as opaque, so the flag is the
// answer: no pixel is looked at.
bool needs_white_canvas(MagickWand* image) {
    return MagickGetImageAlphaChannel(image) == MagickTrue;
}

bool strip_metadata(MagickWand* wand, bool keep_exif) {
    Image* image = GetImageFromMagickWand(wand);
    std::string exif;
    if (const StringInfo* block = keep_exif ? GetImageProfile(image, "exif") : nullptr)
        exif = shareable_exif(
            {reinterpret_cast<const char*>(GetStringInfoDatum(block)), GetStringInfoLength(block)});
    // The names first: a profile looked up or deleted would move the library's iterator.
    std::vector<std::string> names;
    ResetImageProfileIterator(image);
    for (const char* name = GetNextImageProfile(image); name; name = GetNextImageProfile(image))
        names.emplace_back(name);
    for (const std::string& name : names)
        if (name != "icc" && name != "icm")
            DeleteImageProfile(image, name.c_str());
    DeleteImageProperty(image, "comment");
    if (exif.empty())
        return true;
    const unique_string_info block(BlobToStringInfo(exif.data(), exif.size()));
    return block && SetImageProfile(image, "exif", block.get()) == MagickTrue;
}
