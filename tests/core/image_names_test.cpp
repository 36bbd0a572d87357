#include <gtest/gtest.h>

#include "core/image_names.h"

TEST(ImageExtension, TakesTheLastDotWithoutLetterCase) {
    for (const char* name :
         {"A.JPG", "b.Jpeg", "c.TBI", "g.png.jpg", ".jpg", "x.bmp", "y.GIF", "商品.png"})
        EXPECT_TRUE(has_image_extension(name)) << name;
    for (const char* name : {"d.jpg.txt", "e", "f.tiff", "h.jpgx", "i.", "jpg", "k.pn g"})
        EXPECT_FALSE(has_image_extension(name)) << name;
}

TEST(OutputName, OnlyJpegAndTbiNamesStay) {
    const struct {
        const char* name;
        const char* output;
    } cases[] = {{"a.png", "a.png.jpg"}, {"b.BMP", "b.BMP.jpg"},      {"c.gif", "c.gif.jpg"},
                 {"d.JPG", "d.JPG"},     {"e.jpeg", "e.jpeg"},        {"f.tbi", "f.tbi"},
                 {"g.TBI", "g.TBI"},     {"商品.png", "商品.png.jpg"}};
    for (const auto& c : cases)
        EXPECT_EQ(output_name(c.name), c.output) << c.name;
}

TEST(OutputFormat, JpegNamesAreJpegAndTbiKeepsTheImagesOwnFormat) {
    EXPECT_EQ(output_format("x\\a.png.jpg", "PNG"), "JPEG");
    EXPECT_EQ(output_format("x\\a.JPEG", "GIF"), "JPEG");
    EXPECT_EQ(output_format("x\\a.tbi", "JPEG"), "JPEG");
    EXPECT_EQ(output_format("x\\a.tbi", "PNG"), "PNG");
}
