#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "core/folder_rules.h"
#include "settings/settings.h"
#include "ui/installation.h"
#include "ui/window_geometry.h"
#include "ui/window_texts.h"

namespace {

FontSpec font(const char* name, int size, const char* color, int italic, int bold) {
    FontSpec f{};
    std::strcpy(f.fontName, name);
    f.fontSize = size;
    std::strcpy(f.htmlColor, color);
    f.isItalic = italic;
    f.isWeight = bold;
    return f;
}

} // namespace

TEST(FontDescription, NamesFaceSizeColourAndStyle) {
    struct Case {
        int italic, bold;
        const char* expected;
    } cases[] = {
        {0, 0, "字体:Arial, 大小:26, 颜色:#000000"},
        {1, 0, "字体:Arial, 大小:26, 颜色:#000000, 斜体"},
        {0, 1, "字体:Arial, 大小:26, 颜色:#000000, 粗体"},
        {1, 1, "字体:Arial, 大小:26, 颜色:#000000, 粗斜体"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(font_description(font("Arial", 26, "#000000", c.italic, c.bold)), c.expected);
    EXPECT_EQ(font_description(font("宋体", 11, "#ff000a", 0, 0)),
              "字体:宋体, 大小:11, 颜色:#ff000a");
}

TEST(FontDescription, NeverReadsPastAnUnterminatedField) {
    FontSpec f{};
    std::memset(f.fontName, 'A', sizeof f.fontName);
    std::memset(f.htmlColor, 'B', sizeof f.htmlColor);
    f.fontSize = 9;
    EXPECT_EQ(font_description(f),
              "字体:" + std::string(32, 'A') + ", 大小:9, 颜色:" + std::string(8, 'B'));
}

TEST(HtmlColor, IsRedGreenBlueInLowercaseHex) {
    EXPECT_EQ(html_color(0x000000), "#000000");
    EXPECT_EQ(html_color(0x0A00FF), "#ff000a"); // RGB(255, 0, 10)
    EXPECT_EQ(html_color(0x0C0B0A), "#0a0b0c"); // RGB(10, 11, 12)
    EXPECT_EQ(html_color(0xFFFFFF), "#ffffff");
    EXPECT_EQ(html_color(0x01ABCDEF), "#efcdab"); // bits above blue are not a colour
}

TEST(ProposeTargetFolder, TakesTheFirstFreeNumberedName) {
    std::set<std::string> taken;
    auto is_taken = [&taken](const std::string& s) { return taken.count(s) > 0; };
    EXPECT_EQ(propose_target_folder("D:\\a", is_taken), "D:\\a_处理后");
    taken = {"D:\\a_处理后", "D:\\a_处理后2"};
    EXPECT_EQ(propose_target_folder("D:\\a", is_taken), "D:\\a_处理后3");
    taken = {"D:\\a_处理后", "D:\\a_处理后3"}; // a gap is used
    EXPECT_EQ(propose_target_folder("D:\\a", is_taken), "D:\\a_处理后2");
    taken.clear();
    for (int n = 2; n < 12; ++n)
        taken.insert("D:\\a_处理后" + std::to_string(n));
    taken.insert("D:\\a_处理后");
    EXPECT_EQ(propose_target_folder("D:\\a", is_taken), "D:\\a_处理后12");
}

TEST(AboutText, StartsWithTitleAndVersion) {
    const std::string text = about_text();
    EXPECT_EQ(text.substr(0, text.find('\n')), "Ombrel 3.4");
    EXPECT_EQ(text, "Ombrel 3.4\n\n主要功能：缩小图片尺寸、图片压缩、图片旋转、图片加[文字]或[图片]"
                    "水印，一键批量处理。\n\n目前支持处理的图片格式：JPG, PNG, GIF, BMP, TBI。");
}

TEST(UnopenedArchive, NeedsDollarAndTempInExactCase) {
    struct Case {
        const char* folder;
        bool refused;
    } cases[] = {
        {"C:\\Users\\x\\AppData\\Local\\Temp\\Rar$EXa0.123", true},
        {"C:\\Temp\\tool", false},     // no '$'
        {"C:\\x$\\temp\\tool", false}, // lower-case temp
        {"C:\\x$\\Temp", false},       // no backslash after Temp
        {"D:\\tools", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(runs_from_unopened_archive(c.folder), c.refused) << c.folder;
}

TEST(ClientHeightCorrection, MakesTheClientAreaOuterHeightMinus44) {
    EXPECT_EQ(client_height_correction(558, 514), 0);
    EXPECT_EQ(client_height_correction(558, 500), 14); // taller frame: grow
    EXPECT_EQ(client_height_correction(558, 520), -6); // thinner frame: shrink
}

TEST(CenteredPosition, UsesClientSizeAndLiftsBy26) {
    const ScreenPoint p = centered_position(1280, 994, 681, 514);
    EXPECT_EQ(p.x, 299);
    EXPECT_EQ(p.y, 214);
    const ScreenPoint small = centered_position(640, 450, 681, 514); // truncates towards zero
    EXPECT_EQ(small.x, -20);
    EXPECT_EQ(small.y, -58);
}

TEST(GuiFontHeight, ShrinksAbove96Dpi) {
    EXPECT_EQ(gui_font_height(-11, 96), -11);
    EXPECT_EQ(gui_font_height(-11, 72), -11);
    EXPECT_EQ(gui_font_height(-11, 120), -8); // -11 / 1.25 = -8.8
    EXPECT_EQ(gui_font_height(-12, 120), -9); // -9.6
    EXPECT_EQ(gui_font_height(-10, 120), -8); // exactly -8 (scale held as a float)
    EXPECT_EQ(gui_font_height(-12, 144), -8); // scale 1.5
}

TEST(SameFolderNoCase, FoldsOnlyAsciiLetters) {
    EXPECT_TRUE(same_folder_nocase("Z:\\Ombrel", "z:\\ombrel"));
    EXPECT_TRUE(same_folder_nocase("Z:\\图片", "Z:\\图片"));
    EXPECT_FALSE(same_folder_nocase("Z:\\Ombrel", "Z:\\Ombrel2"));
    EXPECT_FALSE(same_folder_nocase("Z:\\a-b", "Z:\\ab"));
    EXPECT_FALSE(same_folder_nocase("", "Z:\\"));
}

TEST(ShortcutPath, IsTheTitleInTheDesktopFolder) {
    EXPECT_EQ(shortcut_path("C:\\users\\me\\Desktop"), "C:\\users\\me\\Desktop\\Ombrel.lnk");
}
