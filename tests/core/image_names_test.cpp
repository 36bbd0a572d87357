#include <gtest/gtest.h>

#include "core/image_names.h"

TEST(ImageExtension, TakesTheLastDotWithoutLetterCase) {
    for (const char* name : {"A.JPG", "b.Jpeg", "c.TBI", "g.png.jpg", ".jpg", "x.bmp", "y.GIF",
                             "商品.png"})
        EXPECT_TRUE(has_image_extension(name)) << name;
    for (const char* name : {"d.jpg.txt", "e", "f.tiff", "h.jpgx", "i.", "jpg", "k.pn g"})
        EXPECT_FALSE(has_image_extension(name)) << name;
}
