#include <gtest/gtest.h>

#include "ui/console/batch_options.h"

namespace {

std::string as_windows_path(const std::string& path) {
    return path[0] == '/' ? "Z:" + path : path;
}

struct Parsed {
    BatchCommand command;
    FormSnapshot form;
    FontSpec font{};
};

Parsed parse(std::vector<std::string> args) {
    Parsed p;
    p.command = apply_batch_arguments(args, p.form, p.font, as_windows_path);
    return p;
}

} // namespace

TEST(BatchOptions, EveryOptionReachesItsControl) {
    const Parsed p = parse({"--width",
                            "12345",
                            "--quality",
                            "4",
                            "--rotate",
                            "180",
                            "--subfolders",
                            "--text",
                            "水印",
                            "--text-opacity",
                            "5",
                            "--text-pos",
                            "1,0",
                            "--text-margins",
                            "20,99999",
                            "--font",
                            "黑体",
                            "--font-size",
                            "40",
                            "--font-color",
                            "#FF8000",
                            "--bold",
                            "--italic",
                            "--image",
                            "/w/logo.png",
                            "--image-pos",
                            "0,2",
                            "--image-margins",
                            "3,4",
                            "--yes",
                            "/src",
                            "D:\\out"});
    ASSERT_TRUE(p.command.error.empty()) << p.command.error;
    EXPECT_TRUE(p.command.yes);
    const FormSnapshot& f = p.form;
    EXPECT_TRUE(f.width_check);
    EXPECT_EQ(f.width_edit, "1234");
    EXPECT_TRUE(f.quality_check);
    EXPECT_EQ(f.quality_combo, 4);
    EXPECT_TRUE(f.rotate_check);
    EXPECT_EQ(f.rotate_combo, 1);
    EXPECT_TRUE(f.subfolders_check);
    EXPECT_TRUE(f.text_watermark_check);
    EXPECT_EQ(f.text_edit, "水印");
    EXPECT_EQ(f.text_opacity_combo, 5);
    EXPECT_EQ(f.text_horz_combo, 1);
    EXPECT_EQ(f.text_vert_combo, 0);
    EXPECT_EQ(f.text_horz_edit, "20");
    EXPECT_EQ(f.text_vert_edit, "9999");
    EXPECT_TRUE(f.image_watermark_check);
    EXPECT_EQ(f.image_edit, "Z:/w/logo.png");
    EXPECT_EQ(f.image_horz_combo, 0);
    EXPECT_EQ(f.image_vert_combo, 2);
    EXPECT_EQ(f.source_folder_edit, "Z:/src");
    EXPECT_EQ(f.target_folder_edit, "D:\\out");
    EXPECT_STREQ(p.font.fontName, "黑体");
    EXPECT_EQ(p.font.fontSize, 40);
    EXPECT_EQ(p.font.rgbColors, 0x0080FFu);
    EXPECT_STREQ(p.font.htmlColor, "#ff8000");
    EXPECT_EQ(p.font.isWeight, 1);
    EXPECT_EQ(p.font.isItalic, 1);
}

TEST(BatchOptions, MistakesAreReported) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"a"},
             {"a", "b", "c"},
             {"--rotate", "45", "a", "b"},
             {"--quality", "x", "a", "b"},
             {"--text-pos", "1", "a", "b"},
             {"--font-color", "#12345g", "a", "b"},
             {"--font", std::string(40, 'f'), "a", "b"},
             {"--frobnicate", "a", "b"},
             {"a", "b", "--width"},
         })
        EXPECT_FALSE(parse(args).command.error.empty()) << args[0];
    EXPECT_TRUE(parse({"--help"}).command.help);
    const Parsed off = parse({"--no-quality", "a", "b"});
    EXPECT_FALSE(off.form.quality_check);
}

TEST(HtmlColor, ParsesSixHexDigits) {
    uint32_t rgb = 1;
    EXPECT_TRUE(parse_html_color("#000000", rgb));
    EXPECT_EQ(rgb, 0u);
    EXPECT_TRUE(parse_html_color("#0a0B0c", rgb));
    EXPECT_EQ(rgb, 0x0C0B0Au);
    for (const char* bad : {"000000", "#00000", "#0000000", "#00 000", "#-10000"})
        EXPECT_FALSE(parse_html_color(bad, rgb)) << bad;
}
