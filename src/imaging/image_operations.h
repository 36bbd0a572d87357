// Operations on an image held by the library. Directions are the placement codes 1 (left or
// top), 2 (centred) and 3 (right or bottom; any other value acts as 3). Each operation answers
// false when the library refused it, leaving the image as the library left it; the caller
// decides what that failure means.
#pragma once
#include <wand/MagickWand.h>

#include "imaging/geometry.h"
#include "imaging/magick.h"

// An image already in sRGB is left alone.
bool to_srgb(MagickWand* image);
// Resizes to exactly size; an image of that size already is left alone.
bool resize_to(MagickWand* image, ImageSize size);
// Centres the image, no larger than size, on a canvas of exactly size in colour ("#rrggbb"); the
// canvas shows through its transparent parts.
bool place_on_canvas(MagickWand* image, ImageSize size, const char* colour);
// The rows of image from top, height of them, as an image of their own with its properties and
// profiles; null when the library refused.
unique_magick_wand image_rows(MagickWand* image, int top, int height);
// Blends watermark over image at the placed position; watermark stays unchanged.
bool composite_watermark(MagickWand* image, MagickWand* watermark, int h_direction, int h_margin,
                         int v_direction, int v_margin);
// 1 for a readable image that is no animation (a GIF of several frames with a delay on one), 0
// otherwise.
int is_still_image(const char* path);

// Steps the batch and the previews share.

// Rotates clockwise by angle degrees.
bool rotate_clockwise(MagickWand* image, double angle);
// Marks the image to be written as a JPEG of this quality.
bool set_jpeg_quality(MagickWand* image, int quality);
// Lays the image on a white canvas of its own size: transparent parts become white, not the
// black a JPEG would show.
bool lay_on_white(MagickWand* image);
// The image as a file of format (a library format name such as "JPEG"); no data on failure.
EncodedImage encode_image(MagickWand* image, const char* format);
// The image as a JPEG of at most max_bytes: at its own quality when that fits, else at the
// highest lower one that fits, found by halving the range, but never below 30. within is false
// when even that does not fit; the file is then the one at 30 (or at the image's own quality if
// that was lower).
struct CappedEncoding {
    EncodedImage encoded;
    bool within = true;
};
CappedEncoding encode_jpeg_within(MagickWand* image, std::size_t max_bytes);
// A picture with an alpha channel, whatever its format, may hold transparent parts, which a
// JPEG would show black: it is laid on white before it is written.
bool needs_white_canvas(MagickWand* image);
// A result keeps of its source's metadata its colour profile (ICC), on which its colours depend
// (the library drops a CMYK profile when it turns the pixels to sRGB); with keep_exif the EXIF
// block too, without the location and
// the thumbnail (its orientation upright). Nothing else: no XMP, IPTC, Photoshop block or
// comment, which may carry the location as well.
bool strip_metadata(MagickWand* image, bool keep_exif);
