// Tiny images made, saved and inspected through the library, for tests that check pixels.
// The helpers that take no wand start the library themselves.
#pragma once
#include <string>

#include "imaging/magick.h"

// A wand holding one width x height image of one colour (any colour text the library takes).
unique_magick_wand solid_image(int width, int height, const char* colour);

// Writes the wand's images with the named coder ("PNG", "JPEG", ...) to a Windows path.
void save_image(MagickWand* wand, const std::string& path, const char* coder);

// Channels from 0 to 1.
struct Colour {
    double red, green, blue;
};
Colour pixel_at(MagickWand* image, int x, int y);

// The smallest box holding every pixel that differs from the background by more than half the
// range in some channel (anti-aliased fringes do not count); right and bottom are inclusive.
struct InkBox {
    int left, top, right, bottom;
    long pixels; // 0 when nothing was drawn
};
InkBox ink_box(MagickWand* image, const Colour& background = {1, 1, 1});

// The library's explanation of the wand's last failure, for assertion messages.
std::string library_error(MagickWand* wand);

// Files of one colour in a format ("JPEG", "PNG", "GIF", "BMP"); quality for JPEG when not 0.
void write_solid_image(const std::string& path, int w, int h, const char* colour,
                       const char* format, int quality = 0);
// An image whose left half is transparent and right half opaque red, as PNG or GIF.
void write_half_transparent_image(const std::string& path, int w, int h, const char* format);
void write_half_transparent_png(const std::string& path, int w, int h);
// A GIF of two frames with a delay between them.
void write_animated_gif(const std::string& path, int w, int h);

// What the library reads from a file; width 0 when it cannot be read.
struct ImageFacts {
    int width = 0;
    int height = 0;
    std::string format;
    int quality = 0;
};
ImageFacts inspect_image(const std::string& path);
Colour pixel_at(const std::string& path, int x, int y);
