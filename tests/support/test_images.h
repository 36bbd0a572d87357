// Small generated images for tests, written and inspected through the image library.
#pragma once
#include <string>

// Writes a w x h image of one colour in format ("JPEG", "PNG", "GIF", "BMP"); quality for
// JPEG when not 0.
void write_solid_image(const std::string& path, int w, int h, const char* color,
                       const char* format, int quality = 0);
// A PNG whose left half is transparent and right half opaque red.
void write_half_transparent_png(const std::string& path, int w, int h);
// A GIF of two frames with a delay between them.
void write_animated_gif(const std::string& path, int w, int h);

struct ImageFacts {
    int width = 0;
    int height = 0;
    std::string format;
    int quality = 0;
};
// What the library reads from the file; width 0 when it cannot be read.
ImageFacts inspect_image(const std::string& path);
// The colour of one pixel as 8-bit red, green and blue.
struct Rgb {
    int r, g, b;
};
Rgb pixel_at(const std::string& path, int x, int y);
