#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include <windows.h>
#include <shlobj.h>

#include "base/encoding.h"
#include "imaging/magick.h"
#include "imaging/text_watermark.h"
#include "platform/file_system.h"
#include "platform/library_path.h"
#include "support/temp_folder.h"
#include "support/test_images.h"

namespace {

// Installed by scripts/setup (fonts-wqy-zenhei); its family names include "文泉驿正黑".
constexpr const char* cjk_font_file = "Z:\\usr\\share\\fonts\\truetype\\wqy\\wqy-zenhei.ttc";

FontSpec font_spec(const char* name, int size = 40, const char* colour = "#000000", int italic = 0,
                   int bold = 0) {
    FontSpec font{};
    std::snprintf(font.fontName, sizeof font.fontName, "%s", name);
    font.fontSize = size;
    std::snprintf(font.htmlColor, sizeof font.htmlColor, "%s", colour);
    font.isItalic = italic;
    font.isWeight = bold;
    return font;
}

class TextWatermark : public testing::Test {
  protected:
    TextWatermark() {
        std::memcpy(saved_paths_, FontFilePaths, sizeof saved_paths_);
        build_font_paths();
    }
    ~TextWatermark() override { std::memcpy(FontFilePaths, saved_paths_, sizeof saved_paths_); }

    // The image after drawing text on a white width x height image.
    static unique_magick_wand drawn(int width, int height, const FontSpec& font, const char* text,
                                    int h_direction, int v_direction, int margin = 16,
                                    double opacity = 1.0) {
        auto image = solid_image(width, height, "white");
        EXPECT_TRUE(draw_text_watermark(image.get(), h_direction, margin, v_direction, margin, font,
                                        opacity, text));
        return image;
    }

    MagickSession session;

  private:
    char saved_paths_[5][260];
};

unique_drawing_wand drawing_for(const FontSpec& font) {
    auto drawing = new_drawing_wand();
    DrawSetTextEncoding(drawing.get(), "UTF-8");
    select_watermark_font(drawing.get(), font.fontName);
    DrawSetFontSize(drawing.get(), font.fontSize);
    return drawing;
}

// The metrics the library gives for the text: character height, descender, advance.
struct Metrics {
    double height, descender, advance; // entries 1, 3 and 11
};
Metrics measure(const FontSpec& font, const char* text) {
    const auto canvas = solid_image(32, 32, "white");
    const unique_magick_memory<double> m(MagickQueryFontMetrics(
        canvas.get(), drawing_for(font).get(), gbk_to_utf8(std::string(text)).c_str()));
    if (!m)
        throw std::runtime_error(std::string("no metrics for ") + text);
    return {m.get()[1], m.get()[3], m.get()[11]};
}

// Where the ink of the text lies from its pen position and baseline, found by drawing it at a
// known place.
struct InkOffsets {
    int left, right, bottom;
};
InkOffsets ink_offsets(const FontSpec& font, const char* text) {
    const auto image = solid_image(400, 200, "white");
    MagickAnnotateImage(image.get(), drawing_for(font).get(), 100, 150, 0,
                        gbk_to_utf8(std::string(text)).c_str());
    const InkBox box = ink_box(image.get());
    return {box.left - 100, box.right - 100, box.bottom - 150};
}

std::string font_of(const char* face_name, double weight = 400, StyleType style = NormalStyle) {
    const auto drawing = new_drawing_wand();
    DrawSetFontWeight(drawing.get(), weight);
    DrawSetFontStyle(drawing.get(), style);
    select_watermark_font(drawing.get(), face_name);
    const unique_magick_memory<char> font(DrawGetFont(drawing.get()));
    return font ? font.get() : "";
}

std::string family_of(const char* face_name) {
    const auto drawing = new_drawing_wand();
    select_watermark_font(drawing.get(), face_name);
    const unique_magick_memory<char> family(DrawGetFontFamily(drawing.get()));
    return family ? family.get() : "";
}

bool ends_with(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// The horizontal middle of the ink between rows top and bottom.
double ink_middle(MagickWand* image, int top, int bottom) {
    const unique_magick_wand band(CloneMagickWand(image));
    MagickCropImage(band.get(), MagickGetImageWidth(image), bottom - top + 1, 0, top);
    const InkBox box = ink_box(band.get());
    return (box.left + box.right) / 2.0;
}

} // namespace

// The ink lies where the pen position and baseline of the placement put it (within the
// sub-pixel rounding of the library).
TEST_F(TextWatermark, TextLandsAtItsBaselineAndAdvance) {
    const FontSpec font = font_spec("DejaVu Sans", 40);
    const Metrics m = measure(font, "HH");
    const InkOffsets ink = ink_offsets(font, "HH");
    ASSERT_EQ(ink.bottom, -1) << "HH sits on its baseline";
    struct Case {
        const char* where;
        int h_direction, v_direction;
        double pen_x, baseline;
    };
    const Case cases[] = {
        {"right/bottom", 3, 3, 784 - m.advance, 584},
        {"left/top", 1, 1, 16, m.height + m.descender + 16},
        {"centred/centred", 2, 2, (800 - m.advance) * 0.5, (m.height + m.descender + 600) * 0.5},
        {"left/bottom", 1, 3, 16, 584},
    };
    for (const Case& c : cases) {
        const auto image = drawn(800, 600, font, "HH", c.h_direction, c.v_direction);
        const InkBox box = ink_box(image.get());
        ASSERT_GT(box.pixels, 0) << c.where;
        EXPECT_NEAR(box.left, c.pen_x + ink.left, 1.0) << c.where;
        EXPECT_NEAR(box.right, c.pen_x + ink.right, 1.0) << c.where;
        EXPECT_NEAR(box.bottom, c.baseline + ink.bottom, 1.0) << c.where;
        EXPECT_GT(box.top, c.baseline - m.height) << c.where; // the top stays inside the line
    }
}

TEST_F(TextWatermark, WideCentredTextIsClippedOnBothSides) {
    const auto image = drawn(100, 60, font_spec("DejaVu Sans", 40), "WWWWWWWW", 2, 2);
    const InkBox box = ink_box(image.get());
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.right, 99);
}

// The fill colour comes from the colour text; the opacity blends it with the image.
TEST_F(TextWatermark, OpacityBlendsTheColourWithTheImage) {
    const FontSpec red = font_spec("DejaVu Sans", 200, "#ff0000", 0, 1);
    const InkBox stem = ink_box(drawn(200, 250, red, "I", 2, 2).get());
    ASSERT_GT(stem.right - stem.left, 10) << "the stem must be wide enough to sample";
    const int x = (stem.left + stem.right) / 2, y = (stem.top + stem.bottom) / 2;
    struct Case {
        double opacity, other_channels;
    };
    for (const Case c : {Case{1.0, 0.0}, Case{0.5, 0.5}, Case{0.1, 0.9}}) {
        const auto image = drawn(200, 250, red, "I", 2, 2, 16, c.opacity);
        const Colour ink = pixel_at(image.get(), x, y);
        EXPECT_NEAR(ink.red, 1.0, 0.02) << c.opacity;
        EXPECT_NEAR(ink.green, c.other_channels, 0.02) << c.opacity;
        EXPECT_NEAR(ink.blue, c.other_channels, 0.02) << c.opacity;
    }
}

// Bold draws thicker strokes; italic leans the letter, so its top lies right of its foot.
TEST_F(TextWatermark, BoldAndItalicReachTheDrawing) {
    const auto regular = drawn(200, 250, font_spec("DejaVu Sans", 160), "I", 2, 2);
    const auto bold = drawn(200, 250, font_spec("DejaVu Sans", 160, "#000000", 0, 1), "I", 2, 2);
    const auto italic = drawn(200, 250, font_spec("DejaVu Sans", 160, "#000000", 1, 0), "I", 2, 2);
    EXPECT_GT(ink_box(bold.get()).pixels, ink_box(regular.get()).pixels * 13 / 10);

    const auto lean = [](MagickWand* image) {
        const InkBox box = ink_box(image);
        const int quarter = (box.bottom - box.top) / 4;
        return ink_middle(image, box.top, box.top + quarter) -
               ink_middle(image, box.bottom - quarter, box.bottom);
    };
    EXPECT_NEAR(lean(regular.get()), 0.0, 1.0);
    EXPECT_GT(lean(italic.get()), 10.0);
}

// Chinese text needs a font with Chinese glyphs: the CJK font draws four full-width characters,
// a Latin font draws nothing for them.
TEST_F(TextWatermark, ChineseTextIsDrawnWithTheCjkFont) {
    for (const char* face : {"文泉驿正黑", "WenQuanYi Zen Hei"}) {
        const InkBox box = ink_box(drawn(400, 100, font_spec(face, 40), "国产好货", 1, 1).get());
        EXPECT_GT(box.right - box.left, 4 * 40 * 8 / 10) << face;
        EXPECT_GT(box.bottom - box.top, 40 * 7 / 10) << face;
    }
    EXPECT_EQ(ink_box(drawn(400, 100, font_spec("DejaVu Sans", 40), "国产好货", 1, 1).get()).pixels,
              0);
}

// A face that nothing on the system knows (the default "Arial" on Linux) still draws the text,
// in the platform's fallback font, rather than leaving the watermark out.
TEST_F(TextWatermark, UnknownFaceDrawsInTheFallbackFont) {
    EXPECT_GT(ink_box(drawn(400, 100, font_spec("Arial", 40), "Shop 2024", 1, 1).get()).pixels,
              100);
}

TEST_F(TextWatermark, FontShowsChineseOnlyForFontsWithChineseGlyphs) {
    struct Case {
        const char* face;
        int expected;
    };
    const Case cases[] = {
        {"文泉驿正黑", 1},
        {"WenQuanYi Zen Hei", 1},
        {"wenquanyi zen hei", 1},
        {"DejaVu Sans", 0},
        {"No Such Font", 0},
        {"宋体", 0}, // no SimSun here
        {"", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(font_shows_chinese(font_spec(c.face)), c.expected) << c.face;
}

// The five Chinese faces of the font table use their files when present; the system's own
// font list serves every other face, in the bold and italic files it has.
TEST_F(TextWatermark, SelectFontPrefersTheTableThenTheSystemFonts) {
    ASSERT_TRUE(file_exists(cjk_font_file));
    std::snprintf(FontFilePaths[0], sizeof FontFilePaths[0], "%s", cjk_font_file);
    for (const char* face : {"宋体", "新宋体"}) {
        EXPECT_EQ(font_of(face), library_path(cjk_font_file)) << face;
        EXPECT_EQ(font_shows_chinese(font_spec(face)), 1) << face;
    }
    std::snprintf(FontFilePaths[0], sizeof FontFilePaths[0], "C:\\no\\such\\SIMSUN.TTC");
    EXPECT_EQ(font_of("宋体"), "");
    EXPECT_EQ(family_of("宋体"), "\xE5\xAE\x8B\xE4\xBD\x93") << "the face goes on in UTF-8";

    EXPECT_TRUE(ends_with(font_of("文泉驿正黑"), "/wqy-zenhei.ttc")) << font_of("文泉驿正黑");
    struct Case {
        double weight;
        StyleType style;
        const char* file;
    };
    const Case cases[] = {
        {400, NormalStyle, "/DejaVuSans.ttf"},
        {700, NormalStyle, "/DejaVuSans-Bold.ttf"},
        {400, ItalicStyle, "/DejaVuSans-Oblique.ttf"},
        {700, ItalicStyle, "/DejaVuSans-BoldOblique.ttf"},
    };
    for (const Case& c : cases) {
        const std::string file = font_of("dejavu sans", c.weight, c.style);
        EXPECT_TRUE(ends_with(file, c.file)) << file;
    }
    // fontconfig offers some font for any name; only the family asked for counts.
    EXPECT_EQ(font_of("No Such Font"), "");
    EXPECT_EQ(family_of("No Such Font"), "No Such Font");
}

// Paths in the fonts folder, in table order; YaHei falls back to its second file name when
// the first one is missing.
TEST_F(TextWatermark, BuildFontPathsNamesTheFilesInTheFontsFolder) {
    char fonts[MAX_PATH] = "";
    ASSERT_TRUE(special_folder_path(CSIDL_FONTS, fonts));
    const std::string folder = fonts;
    const std::string yahei = folder + "\\msyh.ttf";
    ASSERT_FALSE(file_exists(yahei.c_str())) << "the test prefix must not have YaHei";

    build_font_paths();
    const char* expected[] = {"SIMSUN.TTC", "SIMKAI.TTF", "SIMFANG.TTF", "simhei.ttf",
                              "msyh_00.ttf"};
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(FontFilePaths[row], folder + "\\" + expected[row]);

    make_file(yahei, "");
    build_font_paths();
    DeleteFileA(yahei.c_str());
    EXPECT_EQ(FontFilePaths[4], yahei);
}
