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

bool resize_to(MagickWand* image, ImageSize size) {
    if (image_width(image) == size.width && image_height(image) == size.height)
        return true;
    return MagickResizeImage(image, size.width, size.height, LanczosFilter, 1.0) == MagickTrue;
}

// The extent lays the image over the canvas colour (its compose is over), at an offset that the
// library counts from the canvas's corner to the image's, hence negative.
bool place_on_canvas(MagickWand* image, ImageSize size, const char* colour) {
    const auto canvas = new_pixel_wand();
    return canvas && PixelSetColor(canvas.get(), colour) == MagickTrue &&
           MagickSetImageBackgroundColor(image, canvas.get()) == MagickTrue &&
           MagickSetImageCompose(image, OverCompositeOp) == MagickTrue &&
           MagickExtentImage(image, size.width, size.height, -(size.width - image_width(image)) / 2,
                             -(size.height - image_height(image)) / 2) == MagickTrue;
}

// The region keeps its place in the original as its page offset, which a watermark's placement
// and the white canvas would take into account: it starts at the corner instead.
unique_magick_wand image_rows(MagickWand* image, int top, int height) {
    unique_magick_wand rows(
        MagickGetImageRegion(image, MagickGetImageWidth(image), height, 0, top));
    if (rows &&
        MagickSetImagePage(rows.get(), MagickGetImageWidth(image), height, 0, 0) != MagickTrue)
        rows.reset();
    return rows;
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

// The library encodes a JPEG whose quality is unknown (a picture that was no JPEG) at 92.
CappedEncoding encode_jpeg_within(MagickWand* image, std::size_t max_bytes) {
    constexpr int Lowest = 30;
    CappedEncoding result{encode_image(image, "JPEG")};
    if (result.encoded.length <= max_bytes)
        return result;
    result.within = false;
    const std::size_t own = MagickGetImageCompressionQuality(image);
    int low = Lowest, high = static_cast<int>(own != 0 ? own : 92) - 1;
    if (high < Lowest)
        return result;
    // The size grows with the quality: the highest that fits lies in [low, high] if any does.
    EncodedImage lowest;
    while (low <= high) {
        const int quality = (low + high) / 2;
        MagickSetImageCompressionQuality(image, quality);
        EncodedImage encoded = encode_image(image, "JPEG");
        if (encoded.data && encoded.length <= max_bytes) {
            result = {std::move(encoded), true};
            low = quality + 1;
        } else {
            if (quality == Lowest)
                lowest = std::move(encoded);
            high = quality - 1;
        }
    }
    if (!result.within) {
        if (!lowest.data && MagickSetImageCompressionQuality(image, Lowest) == MagickTrue)
            lowest = encode_image(image, "JPEG");
        result.encoded = std::move(lowest);
    }
    return result;
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
