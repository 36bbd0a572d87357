// Owners for the image library's process-wide start and for its wands and allocations.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

#include <wand/MagickWand.h>

#include "base/unique_any.h"

// The largest picture the program takes, as its file claims it: 16384 pixels a side and 128
// megapixels. A camera's 48 megapixels are well inside; a file that claims more is a failed read.
constexpr std::size_t MaxPictureSide = 16384;
constexpr std::uint64_t MaxPicturePixels = 128'000'000;

// Counted start and stop: only the outermost stop ends the library, so the nested pairs of
// the font test and the still-image test never end it under a running batch or preview.
void magick_start();
void magick_stop();

class MagickSession {
  public:
    MagickSession() { magick_start(); }
    ~MagickSession() { magick_stop(); }
    MagickSession(const MagickSession&) = delete;
    MagickSession& operator=(const MagickSession&) = delete;
};

// The library's handles and the strings and arrays it allocates (image format names, font
// metrics), on the program's one owner template.
using unique_magick_wand = unique_any<MagickWand*, DestroyMagickWand, 0>;
using unique_drawing_wand = unique_any<DrawingWand*, DestroyDrawingWand, 0>;
using unique_pixel_wand = unique_any<PixelWand*, DestroyPixelWand, 0>;
template <typename T> using unique_magick_memory = unique_any<T*, MagickRelinquishMemory, 0>;
// The library's core, where the wands offer no way: images, their errors and pixel views.
using unique_image = unique_any<Image*, DestroyImage, 0>;
using unique_exception = unique_any<ExceptionInfo*, DestroyExceptionInfo, 0>;
using unique_cache_view = unique_any<CacheView*, DestroyCacheView, 0>;
using unique_string_info = unique_any<StringInfo*, DestroyStringInfo, 0>;

// A picture encoded as a file of some format, in memory the library allocated.
struct EncodedImage {
    unique_magick_memory<unsigned char> data;
    std::size_t length = 0;
    std::string_view bytes() const { return {reinterpret_cast<const char*>(data.get()), length}; }
};

inline unique_magick_wand new_magick_wand() {
    return unique_magick_wand(NewMagickWand());
}
inline unique_drawing_wand new_drawing_wand() {
    return unique_drawing_wand(NewDrawingWand());
}
inline unique_pixel_wand new_pixel_wand() {
    return unique_pixel_wand(NewPixelWand());
}
