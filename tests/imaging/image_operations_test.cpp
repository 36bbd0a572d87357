#include <gtest/gtest.h>

#include <string>

#include "imaging/image_operations.h"
#include "imaging/image_reader.h"
#include "imaging/magick.h"
#include "support/temp_folder.h"
#include "support/test_images.h"

namespace {

class ImageOperations : public testing::Test {
  protected:
    MagickSession session;
    TempFolder folder;
};

constexpr double tolerance = 0.02;

void expect_colour(const Colour& actual, const Colour& expected, const std::string& where) {
    EXPECT_NEAR(actual.red, expected.red, tolerance) << where;
    EXPECT_NEAR(actual.green, expected.green, tolerance) << where;
    EXPECT_NEAR(actual.blue, expected.blue, tolerance) << where;
}

std::string signature(MagickWand* image) {
    const unique_magick_memory<char> text(MagickGetImageSignature(image));
    return text.get();
}

// A wand holding one frame per colour, each shown for delay hundredths of a second.
unique_magick_wand frames(std::initializer_list<const char*> colours, size_t delay) {
    auto all = new_magick_wand();
    for (const char* colour : colours) {
        const auto frame = solid_image(4, 4, colour);
        MagickSetImageDelay(frame.get(), delay);
        MagickAddImage(all.get(), frame.get());
    }
    return all;
}

} // namespace

TEST_F(ImageOperations, ResizeShrinksToTheTargetWidthOnly) {
    struct Case {
        int width, height, target, new_width, new_height;
    };
    const Case cases[] = {
        {1000, 600, 750, 750, 450},   {1000, 600, 1000, 1000, 600}, // exactly the target: untouched
        {1000, 600, 1200, 1000, 600},                               // never enlarged
        {3000, 1, 750, 750, 1},    // the computed height 0 is raised to 1
        {1000, 600, 0, 1000, 600}, // no target width at all
    };
    for (const Case& c : cases) {
        const auto image = solid_image(c.width, c.height, "#808080");
        EXPECT_TRUE(resize_to_width(image.get(), c.target));
        EXPECT_EQ(MagickGetImageWidth(image.get()), size_t(c.new_width)) << c.target;
        EXPECT_EQ(MagickGetImageHeight(image.get()), size_t(c.new_height)) << c.target;
    }
}

TEST_F(ImageOperations, CmykJpegBecomesSrgbWithItsColours) {
    const auto made = solid_image(8, 8, "#ff0000");
    MagickTransformImageColorspace(made.get(), CMYKColorspace);
    save_image(made.get(), folder / "cmyk.jpg", "JPEG");

    const auto image = new_magick_wand();
    ASSERT_TRUE(read_image(image.get(), (folder / "cmyk.jpg").c_str()));
    ASSERT_EQ(MagickGetImageColorspace(image.get()), CMYKColorspace);
    to_srgb(image.get());
    EXPECT_EQ(MagickGetImageColorspace(image.get()), sRGBColorspace);
    const Colour red = pixel_at(image.get(), 4, 4);
    EXPECT_NEAR(red.red, 1.0, 0.05);
    EXPECT_NEAR(red.green, 0.0, 0.05);
    EXPECT_NEAR(red.blue, 0.0, 0.05);
}

TEST_F(ImageOperations, SrgbImageIsLeftAsItIs) {
    const auto image = solid_image(8, 8, "#204060");
    const std::string before = signature(image.get());
    to_srgb(image.get());
    EXPECT_EQ(MagickGetImageColorspace(image.get()), sRGBColorspace);
    EXPECT_EQ(signature(image.get()), before);
}

// A red 200 x 100 watermark on a white 800 x 600 image, margins 16: the red pixels are exactly
// where the placement puts them.
TEST_F(ImageOperations, CompositeWatermarkAtTheNinePositions) {
    struct Case {
        int h_direction, v_direction, x, y;
    };
    const Case cases[] = {
        {1, 1, 16, 16},   {2, 1, 300, 16}, {3, 1, 584, 16},  {1, 2, 16, 250},  {2, 2, 300, 250},
        {3, 2, 584, 250}, {1, 3, 16, 484}, {2, 3, 300, 484}, {3, 3, 584, 484},
    };
    const auto watermark = solid_image(200, 100, "#ff0000");
    const std::string watermark_before = signature(watermark.get());
    for (const Case& c : cases) {
        const auto image = solid_image(800, 600, "white");
        EXPECT_TRUE(composite_watermark(image.get(), watermark.get(), c.h_direction, 16,
                                        c.v_direction, 16));
        const InkBox box = ink_box(image.get());
        const std::string where =
            std::to_string(c.h_direction) + "/" + std::to_string(c.v_direction);
        EXPECT_EQ(box.left, c.x) << where;
        EXPECT_EQ(box.top, c.y) << where;
        EXPECT_EQ(box.right, c.x + 199) << where;
        EXPECT_EQ(box.bottom, c.y + 99) << where;
        EXPECT_EQ(box.pixels, 200 * 100) << where;
    }
    EXPECT_EQ(signature(watermark.get()), watermark_before) << "the watermark was changed";
}

// A watermark 151 wide, red on its left 76 columns and blue on the rest, centred on an image
// 100 wide starts at x = -25: its colour boundary lands on column 51, and both sides are cut.
TEST_F(ImageOperations, CompositeWatermarkClipsNegativeOffsets) {
    const auto watermark = solid_image(151, 20, "#0000ff");
    const auto left_part = solid_image(76, 20, "#ff0000");
    MagickCompositeImage(watermark.get(), left_part.get(), CopyCompositeOp, 0, 0);

    const auto image = solid_image(100, 80, "white");
    composite_watermark(image.get(), watermark.get(), 2, 16, 1, 0);
    expect_colour(pixel_at(image.get(), 0, 5), {1, 0, 0}, "left edge");
    expect_colour(pixel_at(image.get(), 50, 5), {1, 0, 0}, "column 50");
    expect_colour(pixel_at(image.get(), 51, 5), {0, 0, 1}, "column 51");
    expect_colour(pixel_at(image.get(), 99, 5), {0, 0, 1}, "right edge");
    expect_colour(pixel_at(image.get(), 50, 20), {1, 1, 1}, "below the watermark");

    // Margins beyond the room left: right margin 70 puts a 60 x 20 watermark at x = -30,
    // bottom margin 70 puts it at y = -10.
    const auto small = solid_image(60, 20, "#ff0000");
    const auto shifted = solid_image(100, 80, "white");
    composite_watermark(shifted.get(), small.get(), 3, 70, 1, 0);
    composite_watermark(shifted.get(), small.get(), 1, 0, 3, 70);
    const InkBox box = ink_box(shifted.get());
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 59);
    EXPECT_EQ(box.bottom, 19);
    expect_colour(pixel_at(shifted.get(), 29, 19), {1, 0, 0}, "corner of the right-placed one");
    expect_colour(pixel_at(shifted.get(), 59, 9), {1, 0, 0}, "corner of the bottom-placed one");
    expect_colour(pixel_at(shifted.get(), 30, 10), {1, 1, 1}, "beside both");
}

// The watermark's own transparency shows the image through it.
TEST_F(ImageOperations, CompositeWatermarkBlendsByItsAlpha) {
    const auto watermark = solid_image(10, 10, "rgba(255,0,0,0.5)");
    const auto image = solid_image(20, 20, "white");
    composite_watermark(image.get(), watermark.get(), 1, 0, 1, 0);
    expect_colour(pixel_at(image.get(), 5, 5), {1, 0.5, 0.5}, "half-transparent red");
    expect_colour(pixel_at(image.get(), 15, 15), {1, 1, 1}, "outside");
}

TEST_F(ImageOperations, IsStillImageTakesOnlySingleFramesWithoutDelay) {
    struct Case {
        const char* name;
        unique_magick_wand image; // nothing: the file is written as text
        const char* coder;
        std::string text;
        int expected;
    };
    Case cases[] = {
        {"plain.jpg", solid_image(4, 4, "red"), "JPEG", "", 1},
        {"plain.png", solid_image(4, 4, "red"), "PNG", "", 1},
        {"plain.bmp", solid_image(4, 4, "red"), "BMP", "", 1},
        {"still.gif", frames({"red"}, 0), "GIF", "", 1},
        {"animated.gif", frames({"red", "blue"}, 10), "GIF", "", 0},
        {"two frames, no delay.gif", frames({"red", "blue"}, 0), "GIF", "", 0},
        {"one frame with delay.gif", frames({"red"}, 10), "GIF", "", 0},
        {"text.jpg", nullptr, nullptr, "this is not an image", 0},
        {"svg.jpg", nullptr, nullptr,
         "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"4\" height=\"4\"/>", 0},
    };
    for (Case& c : cases) {
        const std::string path = folder / c.name;
        if (c.image)
            save_image(c.image.get(), path, c.coder);
        else
            make_file(path, c.text);
        EXPECT_EQ(is_still_image(path.c_str()), c.expected) << c.name;
    }
    EXPECT_EQ(is_still_image((folder / "missing.jpg").c_str()), 0);
}
