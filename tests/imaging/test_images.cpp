#include "test_images.h"

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
