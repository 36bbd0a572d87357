// Owners for the image library's process-wide start and for its wands and allocations.
#pragma once
#include <memory>

#include <wand/MagickWand.h>

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

struct MagickWandDeleter {
    void operator()(MagickWand* w) const { DestroyMagickWand(w); }
};
struct DrawingWandDeleter {
    void operator()(DrawingWand* w) const { DestroyDrawingWand(w); }
};
struct PixelWandDeleter {
    void operator()(PixelWand* w) const { DestroyPixelWand(w); }
};
struct MagickMemoryDeleter {
    void operator()(void* p) const { MagickRelinquishMemory(p); }
};

using unique_magick_wand = std::unique_ptr<MagickWand, MagickWandDeleter>;
using unique_drawing_wand = std::unique_ptr<DrawingWand, DrawingWandDeleter>;
using unique_pixel_wand = std::unique_ptr<PixelWand, PixelWandDeleter>;
// Strings and arrays the library allocates (image format names, font metrics).
template <typename T> using unique_magick_memory = std::unique_ptr<T, MagickMemoryDeleter>;

inline unique_magick_wand new_magick_wand() {
    return unique_magick_wand(NewMagickWand());
}
inline unique_drawing_wand new_drawing_wand() {
    return unique_drawing_wand(NewDrawingWand());
}
inline unique_pixel_wand new_pixel_wand() {
    return unique_pixel_wand(NewPixelWand());
}
