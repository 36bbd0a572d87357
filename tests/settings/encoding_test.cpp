#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/encoding.h"

TEST(GbkToUtf8, ConvertsChineseAndKeepsAscii) {
    char dst[1024] = {};
    gbk_to_utf8("C:\\图片\\a.jpg", dst);
    EXPECT_STREQ(dst, "C:\\\xE5\x9B\xBE\xE7\x89\x87\\a.jpg");
    EXPECT_EQ(gbk_to_utf8(std::string("国")), "\xE5\x9B\xBD");
    EXPECT_EQ(utf8_to_gbk("\xE5\x9B\xBD"), std::string("国"));
}

TEST(GbkToUtf8, StopsAtAnInvalidSequenceAndStaysTerminated) {
    char dst[1024];
    std::memset(dst, 'x', sizeof dst);
    gbk_to_utf8("ab\x81", dst); // a lead byte without its trail
    EXPECT_STREQ(dst, "ab");
}

TEST(GbkToUtf8, TheLongestTextFitsAndASmallBufferIsNeverOverrun) {
    std::string longest;
    for (int i = 0; i < 127; ++i)
        longest += "国";
    char dst[1024] = {};
    gbk_to_utf8(longest.c_str(), dst);
    EXPECT_EQ(std::strlen(dst), 127u * 3);

    char small[8];
    std::memset(small, 'x', sizeof small);
    gbk_to_utf8(longest.c_str(), small, 7);
    EXPECT_EQ(std::strlen(small), 6u); // two whole characters, terminated inside the buffer
    EXPECT_EQ(small[7], 'x');
}
