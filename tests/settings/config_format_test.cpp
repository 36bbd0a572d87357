#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/text_mode.h"
#include "settings/config_format.h"

namespace {

Settings loaded(const std::string& text, Settings s = Settings{}) {
    apply_config_text(text.data(), text.size(), s);
    return s;
}

} // namespace

TEST(ConfigText, TheDefaultFileIs19LinesAnd372BytesOnDisk) {
    const std::string text = default_config_text();
    EXPECT_EQ(text.size(), 353u);
    EXPECT_EQ(to_text_mode(text).size(), 372u);
    const Settings s = loaded(text);
    EXPECT_EQ(s.width, 750);
    EXPECT_EQ(s.quanlity, 2);
    EXPECT_STREQ(s.sy_text, "");
    EXPECT_EQ(s.sy_text_opacity, 0);
    EXPECT_EQ(s.sy_text_w_direction, 2);
    EXPECT_EQ(s.sy_text_h_value, 16);
    EXPECT_STREQ(s.font.fontName, "Arial");
    EXPECT_EQ(s.font.fontSize, 26);
    EXPECT_STREQ(s.font.htmlColor, "#000000");
    EXPECT_EQ(s.font.rgbColors, 0u);
    EXPECT_EQ(s.font.isItalic, 0);
    EXPECT_EQ(s.font.isWeight, 0);
    EXPECT_EQ(s.sy_image_h_direction, 2);
    EXPECT_EQ(s.sy_image_h_value, 16);
    // Composing the record read from the default file gives the default file back.
    EXPECT_EQ(compose_config_text(s), text);
}

TEST(ConfigText, SplitsLikeATokenizerOverTheEqualsSign) {
    struct Case {
        const char* line;
        const char* text;
    } cases[] = {
        {"sy_text=\n", ""},    {"sy_text=a=b\n", "a"}, {"sy_text==b\n", "b"},
        {"=sy_text=c\n", "c"}, {"sy_text\n", ""},      {"sy_text=水印 文字\n", "水印 文字"},
    };
    for (const Case& c : cases) {
        Settings before{};
        std::strcpy(before.sy_text, "old");
        EXPECT_STREQ(loaded(c.line, before).sy_text, c.text) << c.line;
    }
}

TEST(ConfigText, KeysMatchWholeAndCaseSensitive) {
    Settings s = loaded("Width=700\nwidth = 700\nwidthx=1\n");
    EXPECT_EQ(s.width, 0);
    s = loaded("width=700\nfoo\n\n=\nwidth=640\n");
    EXPECT_EQ(s.width, 640); // the last of two lines wins; junk lines are no error
}

TEST(ConfigText, IntegersParseLikePercentD) {
    struct Case {
        const char* value;
        int32_t expected;
    } cases[] = {
        {"750px", 750},
        {"-5", -5},
        {"+7", 7},
        {" \t42", 42},
        {"99999999999", INT32_MAX},
        {"-99999999999", INT32_MIN},
        {"", 123},
        {"abc", 123},
        {"-", 123},
        {" x1", 123},
    };
    for (const Case& c : cases) {
        Settings before{};
        before.width = 123; // a value that does not start with a number leaves the field alone
        EXPECT_EQ(loaded(std::string("width=") + c.value + "\n", before).width, c.expected)
            << c.value;
    }
    // No range checks while loading.
    EXPECT_EQ(loaded("sy_text_opacity=42\n").sy_text_opacity, 42);
    EXPECT_EQ(loaded("sy_text_rgbColors=-1\n").font.rgbColors, 0xFFFFFFFFu);
}

TEST(ConfigText, ALastLineWithoutLineBreakIsNotApplied) {
    Settings before{};
    before.sy_image_h_value = 7;
    const Settings s = loaded("width=10\nsy_image_h_value=20", before);
    EXPECT_EQ(s.width, 10);
    EXPECT_EQ(s.sy_image_h_value, 7);
}

TEST(ConfigText, CrLfAndLfFilesLoadAlike) {
    const std::string lf = "width=640\nsy_text=abc\nsy_image=C:\\a.png\n";
    const Settings a = loaded(from_text_mode(to_text_mode(lf)));
    const Settings b = loaded(lf);
    EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0);
    EXPECT_STREQ(a.sy_text, "abc");
    EXPECT_STREQ(a.sy_image, "C:\\a.png");
    // A lone CR that is not before an LF stays part of the value.
    EXPECT_EQ(from_text_mode("a\rb\r\n"), "a\rb\n");
}

TEST(ConfigText, OverlongValuesAreCutToTheirFieldWithoutSplittingCharacters) {
    const std::string name(40, 'N');
    std::string chinese;
    for (int i = 0; i < 200; ++i)
        chinese += "国";
    const Settings s = loaded(
        "sy_text_fontName=" + name + "\nsy_text=" + chinese +
        "\nsy_text_htmlColor=#1234567890\nsy_image=" + std::string(5000, 'p') + "\nwidth=5\n");
    EXPECT_EQ(std::string(s.font.fontName), std::string(31, 'N'));
    EXPECT_EQ(std::strlen(s.sy_text), 254u); // 127 whole characters; a 128th would need 256
    EXPECT_STREQ(s.font.htmlColor, "#123456");
    EXPECT_EQ(std::strlen(s.sy_image), 1023u);
    EXPECT_EQ(s.width, 5); // lines after an overlong one still apply
}

TEST(ConfigText, SaveThenLoadGivesTheRecordBack) {
    Settings s{};
    s.width = 1024;
    s.quanlity = 10;
    std::strcpy(s.sy_text, "淘宝 店铺");
    s.sy_text_opacity = 9;
    s.sy_text_w_direction = 1;
    s.sy_text_w_value = -3;
    s.sy_text_h_direction = 0;
    s.sy_text_h_value = 999;
    std::strcpy(s.font.fontName, "宋体");
    s.font.fontSize = 72;
    s.font.rgbColors = 0x00FF8000;
    std::strcpy(s.font.htmlColor, "#0080ff");
    s.font.isItalic = 1;
    s.font.isWeight = 1;
    std::strcpy(s.sy_image, "Z:\\图片\\logo.png");
    s.sy_image_w_direction = 2;
    s.sy_image_w_value = 5;
    s.sy_image_h_direction = 1;
    s.sy_image_h_value = 6;
    const std::string text = compose_config_text(s);
    const Settings back = loaded(text);
    EXPECT_EQ(std::memcmp(&back, &s, sizeof s), 0);
    EXPECT_EQ(text.substr(text.size() - 19), "sy_image_h_value=6\n");
    int lines = 0;
    for (char c : text)
        lines += c == '\n';
    EXPECT_EQ(lines, 19);
}

TEST(ConfigText, AnEqualsSignInATextComesBackCut) {
    Settings s = loaded(default_config_text());
    std::strcpy(s.sy_text, "a=b");
    EXPECT_STREQ(loaded(compose_config_text(s)).sy_text, "a");
}
