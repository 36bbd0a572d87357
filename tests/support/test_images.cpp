#include "support/test_images.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "platform/library_path.h"

unique_magick_wand solid_image(int width, int height, const char* colour) {
    auto wand = new_magick_wand();
    const auto fill = new_pixel_wand();
    PixelSetColor(fill.get(), colour);
    if (MagickNewImage(wand.get(), width, height, fill.get()) != MagickTrue)
        throw std::runtime_error("cannot make a test image: " + library_error(wand.get()));
    return wand;
}

void save_image(MagickWand* wand, const std::string& path, const char* coder) {
    const std::string name = std::string(coder) + ":" + library_path(path.c_str());
    if (MagickWriteImages(wand, name.c_str(), MagickTrue) != MagickTrue)
        throw std::runtime_error("cannot write " + path + ": " + library_error(wand));
}

Colour pixel_at(MagickWand* image, int x, int y) {
    const auto colour = new_pixel_wand();
    MagickGetImagePixelColor(image, x, y, colour.get());
    return {PixelGetRed(colour.get()), PixelGetGreen(colour.get()), PixelGetBlue(colour.get())};
}

InkBox ink_box(MagickWand* image, const Colour& background) {
    const int width = static_cast<int>(MagickGetImageWidth(image));
    const int height = static_cast<int>(MagickGetImageHeight(image));
    std::vector<float> rgb(std::size_t(width) * height * 3);
    MagickExportImagePixels(image, 0, 0, width, height, "RGB", FloatPixel, rgb.data());
    InkBox box{width, height, -1, -1, 0};
    const float* p = rgb.data();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x, p += 3) {
            if (std::fabs(p[0] - background.red) <= 0.5 &&
                std::fabs(p[1] - background.green) <= 0.5 &&
                std::fabs(p[2] - background.blue) <= 0.5)
                continue;
            box.left = std::min(box.left, x);
            box.top = std::min(box.top, y);
            box.right = std::max(box.right, x);
            box.bottom = std::max(box.bottom, y);
            ++box.pixels;
        }
    return box;
}

std::string library_error(MagickWand* wand) {
    ExceptionType severity;
    const unique_magick_memory<char> text(MagickGetException(wand, &severity));
    return text ? text.get() : "";
}

void write_solid_image(const std::string& path, int w, int h, const char* colour,
                       const char* format, int quality) {
    const MagickSession library;
    const auto wand = solid_image(w, h, colour);
    if (quality)
        MagickSetImageCompressionQuality(wand.get(), quality);
    save_image(wand.get(), path, format);
}

void write_half_transparent_png(const std::string& path, int w, int h) {
    write_half_transparent_image(path, w, h, "PNG");
}

void write_half_transparent_image(const std::string& path, int w, int h, const char* format) {
    const MagickSession library;
    const auto wand = solid_image(w, h, "none");
    const auto draw = new_drawing_wand();
    const auto red = new_pixel_wand();
    PixelSetColor(red.get(), "red");
    DrawSetFillColor(draw.get(), red.get());
    DrawRectangle(draw.get(), w / 2, 0, w - 1, h - 1);
    MagickDrawImage(wand.get(), draw.get());
    save_image(wand.get(), path, format);
}

void write_animated_gif(const std::string& path, int w, int h) {
    const MagickSession library;
    const auto wand = new_magick_wand();
    for (const char* colour : {"red", "blue"}) {
        const auto frame = solid_image(w, h, colour);
        MagickSetImageDelay(frame.get(), 20);
        MagickAddImage(wand.get(), frame.get());
    }
    save_image(wand.get(), path, "GIF");
}

namespace {
unique_magick_wand read_for_test(const std::string& path) {
    auto wand = new_magick_wand();
    if (!MagickReadImage(wand.get(), library_path(path.c_str()).c_str()))
        return nullptr;
    return wand;
}
} // namespace

ImageFacts inspect_image(const std::string& path) {
    const MagickSession library;
    ImageFacts facts;
    const auto wand = read_for_test(path);
    if (!wand)
        return facts;
    facts.width = int(MagickGetImageWidth(wand.get()));
    facts.height = int(MagickGetImageHeight(wand.get()));
    const unique_magick_memory<char> format(MagickGetImageFormat(wand.get()));
    facts.format = format ? format.get() : "";
    facts.quality = int(MagickGetImageCompressionQuality(wand.get()));
    return facts;
}

Colour pixel_at(const std::string& path, int x, int y) {
    const MagickSession library;
    const auto wand = read_for_test(path);
    if (!wand)
        throw std::runtime_error("cannot read " + path);
    return pixel_at(wand.get(), x, y);
}
