#include "support/test_images.h"

#include <stdexcept>

#include "imaging/magick.h"
#include "platform/library_path.h"

namespace {

unique_pixel_wand color(const char* name) {
    unique_pixel_wand pixel = new_pixel_wand();
    PixelSetColor(pixel.get(), name);
    return pixel;
}

void write(MagickWand* wand, const std::string& path, const char* format) {
    const std::string target = std::string(format) + ":" + library_path(path.c_str());
    if (!MagickWriteImages(wand, target.c_str(), MagickTrue))
        throw std::runtime_error("cannot write test image " + path);
}

} // namespace

void write_solid_image(const std::string& path, int w, int h, const char* c, const char* format,
                       int quality) {
    const MagickSession library;
    const unique_magick_wand wand = new_magick_wand();
    MagickNewImage(wand.get(), w, h, color(c).get());
    if (quality)
        MagickSetImageCompressionQuality(wand.get(), quality);
    write(wand.get(), path, format);
}

void write_half_transparent_png(const std::string& path, int w, int h) {
    const MagickSession library;
    const unique_magick_wand wand = new_magick_wand();
    MagickNewImage(wand.get(), w, h, color("none").get());
    const unique_drawing_wand draw = new_drawing_wand();
    DrawSetFillColor(draw.get(), color("red").get());
    DrawRectangle(draw.get(), w / 2, 0, w - 1, h - 1);
    MagickDrawImage(wand.get(), draw.get());
    write(wand.get(), path, "PNG");
}

void write_animated_gif(const std::string& path, int w, int h) {
    const MagickSession library;
    const unique_magick_wand wand = new_magick_wand();
    for (const char* c : {"red", "blue"}) {
        MagickNewImage(wand.get(), w, h, color(c).get());
        MagickSetImageDelay(wand.get(), 20);
    }
    write(wand.get(), path, "GIF");
}

ImageFacts inspect_image(const std::string& path) {
    const MagickSession library;
    const unique_magick_wand wand = new_magick_wand();
    ImageFacts facts;
    if (!MagickReadImage(wand.get(), library_path(path.c_str()).c_str()))
        return facts;
    facts.width = int(MagickGetImageWidth(wand.get()));
    facts.height = int(MagickGetImageHeight(wand.get()));
    const unique_magick_memory<char> format(MagickGetImageFormat(wand.get()));
    facts.format = format ? format.get() : "";
    facts.quality = int(MagickGetImageCompressionQuality(wand.get()));
    return facts;
}

Rgb pixel_at(const std::string& path, int x, int y) {
    const MagickSession library;
    const unique_magick_wand wand = new_magick_wand();
    if (!MagickReadImage(wand.get(), library_path(path.c_str()).c_str()))
        throw std::runtime_error("cannot read " + path);
    const unique_pixel_wand pixel = new_pixel_wand();
    MagickGetImagePixelColor(wand.get(), x, y, pixel.get());
    auto to8 = [](double v) { return int(v * 255 + 0.5); };
    return {to8(PixelGetRed(pixel.get())), to8(PixelGetGreen(pixel.get())),
            to8(PixelGetBlue(pixel.get()))};
}
