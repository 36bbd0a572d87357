#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/text.h"

TEST(Trim, RemovesTrailingBlanksInPlaceAndSkipsLeadingOnes) {
    char s[] = " \t a b \r\n";
    char* t = trim(s);
    EXPECT_STREQ(t, "a b");
    EXPECT_EQ(t, s + 3);        // leading blanks are skipped, not removed
    EXPECT_STREQ(s, " \t a b"); // trailing ones are cut from the buffer itself
    char blank[] = " \r\n\t";
    EXPECT_STREQ(trim(blank), "");
    char none[] = "";
    EXPECT_STREQ(trim_right(none), "");
}

TEST(TextTests, DigitsAndNonAscii) {
    EXPECT_EQ(is_digits("0750"), 1);
    for (const char* s : {"", "-5", "+5", " 5", "5 ", "7a", "1.5"})
        EXPECT_EQ(is_digits(s), 0) << s;
    EXPECT_EQ(has_non_ascii("abc~\x7f"), 0);
    EXPECT_EQ(has_non_ascii("水印"), 1);
    EXPECT_EQ(has_non_ascii("a\x80"), 1);
}

TEST(TextTests, SuffixAndPrefix) {
    EXPECT_EQ(ends_with("a.jpg", ".jpg"), 1);
    EXPECT_EQ(ends_with("a.JPG", ".jpg"), 0);
    EXPECT_EQ(ends_with("jpg", ".jpg"), 0);
    EXPECT_EQ(ends_with("", ""), 1);
    EXPECT_EQ(ends_with("a", ""), 0);
    EXPECT_EQ(ends_with("", "a"), 0);
    EXPECT_EQ(ends_with_nocase("IMG.JPG", ".jpg"), 1);
    EXPECT_EQ(ends_with_nocase("a.jpeg", ".jpg"), 0);
    EXPECT_EQ(ends_with_nocase("", ""), 1);
    EXPECT_EQ(ends_with_nocase("x", ""), 0);
    EXPECT_EQ(starts_with("http://a", "http://"), 1);
    EXPECT_EQ(starts_with("htt", "http://"), 0);
    EXPECT_EQ(starts_with("", ""), 1);
    EXPECT_EQ(starts_with("a", ""), 0);
}

TEST(CopyToField, NeverSplitsADoubleByteCharacter) {
    // "a国国" is 5 bytes; a 5-byte field holds 4: "a国" plus one half would split the second.
    const std::string text = "a国国";
    char field[5];
    EXPECT_FALSE(copy_to_field(field, text.data(), text.size()));
    EXPECT_EQ(std::string(field), "a国");
    char wide[6];
    EXPECT_TRUE(copy_to_field(wide, text.data(), text.size()));
    EXPECT_EQ(std::string(wide), text);
    // A lone lead byte at the end is a single byte and is kept.
    const char dangling[] = "ab\x81";
    char three[4];
    EXPECT_TRUE(copy_to_field(three, dangling, 3));
    EXPECT_STREQ(three, dangling);
}

TEST(GbkPrefix, StepsOverTrailBytesThatLookLikeBackslashes) {
    const std::string s = "嘰x"; // 87 5C 78
    EXPECT_EQ(gbk_prefix_length(s.data(), s.size(), 1), 0u);
    EXPECT_EQ(gbk_prefix_length(s.data(), s.size(), 2), 2u);
    EXPECT_EQ(gbk_prefix_length(s.data(), s.size(), 10), 3u);
}
