#include "imaging/image_operations.h"

#include <cstring>

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

// The delay is asked only of a read image, the frame count only when there is no delay.
int is_still_image(const char* path) {
    const MagickSession session;
    const auto wand = new_magick_wand();
    if (!wand || !read_image(wand.get(), path))
        return 0;
    return MagickGetImageDelay(wand.get()) == 0 && MagickGetNumberImages(wand.get()) <= 1 ? 1 : 0;
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

bool needs_white_canvas(const char* format) {
    return std::strcmp(format, "PNG") == 0 || std::strcmp(format, "GIF") == 0;
}
