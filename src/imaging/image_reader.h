// The one way the program reads an image file: source images, watermark images, the
// still-image test and the previews all come through here.
#pragma once
#include <optional>
#include <string>

#include <wand/MagickWand.h>

#include "imaging/geometry.h"

// Reads the file at path (UTF-8, any length) into wand. The file's first bytes
// choose the coder (JPEG, PNG, GIF, BMP or WebP) and the read names it, so nothing else
// (SVG, MVG, MSL, PostScript, text, ...) is ever interpreted. A file whose header claims a
// picture beyond MaxPictureSide or MaxPicturePixels fails before a pixel is decoded; so does an
// image beyond the library's resource limits, and a picture whose data ends before it does.
// The picture comes out as a viewer shows it: upright, as its orientation tag says; a GIF on
// its whole canvas with its frames laid over each other; a BMP whose alpha is zero everywhere
// (a 32-bit BMP without transparency) opaque. False on any failure.
bool read_image(MagickWand* wand, const std::string& path);

// What a file's header claims, read without decoding a pixel.
struct ImageHeader {
    ImageSize stored;           // the picture as the file stores it
    ImageSize upright;          // as a viewer shows it, the orientation tag applied
    bool animated = false;      // a GIF of more than one frame with a delay on one
    bool within_limits = false; // read_image takes it: every frame, and all together, within
                                // MaxPictureSide and MaxPicturePixels
    std::string coder;          // the library's coder its first bytes call for
    std::string path;           // the file, which the library reads through a stream
};
// Nothing when the file cannot be read or holds no raster image the program takes.
std::optional<ImageHeader> read_image_header(const std::string& path);

// read_image for a file whose header has been read: the header is not read again. A JPEG is
// decoded straight at about 1/scale of its size (the JPEG decoder's own scaling, at least
// 1/scale); other formats ignore the scale.
bool read_image(MagickWand* wand, const ImageHeader& header, int scale = 1);
