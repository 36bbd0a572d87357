#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "ui/help_rules.h"

namespace {

std::size_t line_count(int row) {
    return help_lines(help_text(row)).size();
}

} // namespace

TEST(HelpTexts, EighteenRowsWithTheirLineCounts) {
    // Lines of each row as the pop-up shows them; the height follows from these.
    const std::size_t lines[HelpTextCount] = {6, 8, 8, 1, 3, 3, 1, 2, 1, 3, 1, 2, 5, 2, 1, 7, 1, 1};
    for (int row = 1; row <= HelpTextCount; ++row)
        EXPECT_EQ(line_count(row), lines[row - 1]) << "row " << row;
    EXPECT_EQ(help_text(0), nullptr);
    EXPECT_EQ(help_text(HelpTextCount + 1), nullptr);
    EXPECT_EQ(help_text(-1), nullptr);
}

TEST(HelpTexts, WordsThatMatter) {
    EXPECT_STREQ(help_text(4), "图片按照指定的角度进行顺时针旋转。");
    EXPECT_STREQ(help_text(9), "设置显示在图片上的文字透明效果，100%表示不透明。");
    EXPECT_STREQ(help_text(18), "这是一个进度条，实时显示当前图片处理的进度。");
    // Text 1 has an empty fourth line; text 10 ends with a space.
    const auto first = help_lines(help_text(1));
    EXPECT_EQ(first[3], "");
    EXPECT_EQ(first[5], "例如：a.png 处理后生成的图片是 a.png.jpg");
    const std::string tenth = help_text(10);
    EXPECT_EQ(tenth.back(), ' ');
    EXPECT_EQ(tenth.rfind("字体的时候有可能会遇到一些不支持的字体。 "),
              tenth.size() - std::string("字体的时候有可能会遇到一些不支持的字体。 ").size());
    // No two rows share a text.
    std::set<std::string> texts;
    for (int row = 1; row <= HelpTextCount; ++row)
        texts.insert(help_text(row));
    EXPECT_EQ(texts.size(), std::size_t(HelpTextCount));
}

TEST(HelpLines, SplitAtLineFeedsAndCutAt127BytesBetweenCharacters) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(help_lines(""), Lines{""});
    EXPECT_EQ(help_lines("a\n\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(help_lines("a\n"), (Lines{"a", ""}));
    EXPECT_EQ(help_lines(std::string(200, 'x').c_str()), Lines{std::string(127, 'x')});
    EXPECT_EQ(help_lines(std::string(127, 'x').c_str()), Lines{std::string(127, 'x')});
    // 70 characters of two bytes: 63 of them fit, the 64th would be cut in half.
    std::string chinese;
    for (int i = 0; i < 70; ++i)
        chinese += "图";
    const Lines cut = help_lines((chinese + "\nnext").c_str());
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_EQ(cut[0], chinese.substr(0, 126));
    EXPECT_EQ(cut[1], "next");
    for (int row = 1; row <= HelpTextCount; ++row)
        for (const std::string& line : help_lines(help_text(row)))
            EXPECT_LE(line.size(), std::size_t(HelpLineLimit)) << "row " << row;
}

TEST(HelpPopupGeometry, HeightIsOddAndLinesStep) {
    const struct {
        int text_height, lines, height;
    } cases[] = {
        {12, 6, 113}, // 6 x 15 + 22 = 112 is even
        {12, 1, 37},  {13, 1, 39}, {16, 1, 41}, {16, 8, 175}, {13, 7, 135},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(help_popup_height(c.text_height, c.lines), c.height)
            << c.text_height << " x " << c.lines;
        EXPECT_EQ(help_popup_height(c.text_height, c.lines) % 2, 1);
    }
    EXPECT_EQ(help_line_top(12, 0), 9);
    EXPECT_EQ(help_line_top(12, 1), 24);
    EXPECT_EQ(help_line_top(16, 5), 104);
}

TEST(HelpPopupGeometry, PlaceBelowThePointerWithinTheScreen) {
    const int width = 1280, maximized = 1032, height = 41;
    const struct {
        int x, y, left, top;
        const char* what;
    } cases[] = {
        {500, 400, 340, 416, "centred below the pointer"},
        {160, 400, 0, 416, "at the left edge exactly"},
        {159, 400, 6, 416, "past the left edge"},
        {1114, 400, 954, 416, "one pixel short of the right rule"},
        {1115, 400, 948, 416, "the right rule: width <= x + 165"},
        {1279, 400, 948, 416, "at the right edge"},
        {500, -16, 340, 0, "just at the top"},
        {500, -17, 340, 6, "above the top"},
        {500, 959, 340, 975, "one pixel short of the bottom rule"},
        {500, 960, 340, 903, "the bottom rule: maximised height <= y + 16 + H + 15"},
        {1279, 1020, 948, 963, "the bottom right corner"},
    };
    for (const auto& c : cases) {
        const HelpPopupPlace place = help_popup_place(c.x, c.y, height, width, maximized);
        EXPECT_EQ(place.left, c.left) << c.what;
        EXPECT_EQ(place.top, c.top) << c.what;
    }
}

TEST(HelpPopupGeometry, ShadowIsACheckerboardBelowAndRightOfTheBox) {
    const int height = 37;
    const auto pixels = help_shadow_pixels(height);
    std::set<std::pair<int, int>> set;
    for (const ShadowPixel& p : pixels) {
        set.insert({p.x, p.y});
        EXPECT_EQ((p.x + p.y) % 2, 1) << p.x << "," << p.y;
        EXPECT_LT(p.x, HelpPopupWidth);
        EXPECT_LT(p.y, height);
        // Never on the box, which covers x < 320 and y < height - 6.
        EXPECT_FALSE(p.x < HelpBoxWidth && p.y < height - 6) << p.x << "," << p.y;
    }
    EXPECT_EQ(set.size(), pixels.size()) << "each pixel once";
    // Below: six rows of 157 or 158 pixels; right: six columns of 15 or 16.
    EXPECT_EQ(pixels.size(), 3u * 157 + 3 * 158 + 3 * 15 + 3 * 16);
    for (const auto& p : std::vector<std::pair<int, int>>{
             {6, 31}, {5, 32}, {318, 31}, {319, 32}, {320, 7}, {321, 6}, {325, 36}, {324, 35}})
        EXPECT_EQ(set.count(p), 1u) << p.first << "," << p.second;
    for (const auto& p : std::vector<std::pair<int, int>>{{4, 31}, {3, 32}, {320, 5}, {321, 4}})
        EXPECT_EQ(set.count(p), 0u) << p.first << "," << p.second;
}
