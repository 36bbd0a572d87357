// Reading the banner list and the rules that keep its entries harmless.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "base/text.h"
#include "net/banner_list.h"
#include "net/url.h"

namespace {

BannerListEntry entry_with_url(std::string url, int size = 100) {
    return {std::move(url), size, "http://site.example/", 5000};
}

} // namespace

TEST(BannerList, ReadsTokensInGroupsOfFour) {
    const auto entries = parse_banner_list("http://img.example/b/one.jpg\r\n1234\r\n"
                                           "http://site.example/one\r\n5000\r\n"
                                           "http://img.example/two.jpg\r\n99\r\n"
                                           "http://site.example/two\r\n8000\r\n");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].image_url, "http://img.example/b/one.jpg");
    EXPECT_EQ(entries[0].size, 1234);
    EXPECT_EQ(entries[0].link, "http://site.example/one");
    EXPECT_EQ(entries[0].display_time, 5000);
    EXPECT_EQ(entries[1].image_url, "http://img.example/two.jpg");
    EXPECT_EQ(entries[1].display_time, 8000);
}

TEST(BannerList, EmptyLinesAndBareLineEndsDoNotShiftTheFields) {
    const auto entries = parse_banner_list("\r\n\r\nhttp://i/a.jpg\r\n\r\n\r\n12\n\nhttp://l\r\r"
                                           "300\r\n\r\nhttp://i/b.jpg\n7\nhttp://m\n400");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].image_url, "http://i/a.jpg");
    EXPECT_EQ(entries[0].size, 12);
    EXPECT_EQ(entries[0].link, "http://l");
    EXPECT_EQ(entries[0].display_time, 300);
    EXPECT_EQ(entries[1].link, "http://m");
    EXPECT_EQ(entries[1].display_time, 400);
}

TEST(BannerList, AnUnfinishedLastGroupAddsNothing) {
    EXPECT_EQ(parse_banner_list("http://i/a.jpg\r\n12\r\nhttp://l\r\n").size(), 0u);
    EXPECT_EQ(parse_banner_list("a\r\n1\r\nb\r\n2\r\nc\r\n3\r\nd").size(), 1u);
    EXPECT_EQ(parse_banner_list("").size(), 0u);
    EXPECT_EQ(parse_banner_list("\r\n\n\r").size(), 0u);
}

TEST(BannerList, NumbersAreReadAsPercentD) {
    const struct {
        const char* token;
        int value;
    } cases[] = {
        {"5000", 5000},
        {" \t42", 42},
        {"-5", -5},
        {"+7", 7},
        {"12abc", 12},
        {"abc", 0},
        {"-", 0},
        {"", 0},
        {"0", 0},
        {"2147483647", INT_MAX},
        {"99999999999999999999", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-99999999999999", INT_MIN},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parse_decimal(c.token).value_or(0), c.value) << c.token;
}

TEST(BannerFileName, IsTheTextAfterTheLastSlash) {
    EXPECT_EQ(banner_file_name(entry_with_url("http://img.example/a/b/pic.jpg")), "pic.jpg");
    EXPECT_EQ(banner_file_name(entry_with_url("pic.jpg/x.png")), "x.png");
    // A Chinese name whose second byte is 0x5C (the backslash's code) is still a plain name.
    EXPECT_EQ(banner_file_name(entry_with_url("http://i/\xE0\x5C.jpg")), "\xE0\x5C.jpg");
}

TEST(BannerFileName, LeavesOutEntriesThatCouldNotBeShownOrStoredSafely) {
    const std::string url127 = "http://i/" + std::string(118, 'a');
    ASSERT_EQ(url127.size(), 127u);
    EXPECT_TRUE(banner_file_name(entry_with_url(url127)));
    const struct {
        BannerListEntry entry;
        const char* why;
    } cases[] = {
        {entry_with_url("http://i/a.jpg", 0), "size 0 is never shown"},
        {entry_with_url("http://i/a.jpg", -3), "a negative size is never shown"},
        {entry_with_url("a.jpg"), "no slash"},
        {entry_with_url("http://i/dir/"), "empty name"},
        {entry_with_url("http://i/."), "dot"},
        {entry_with_url("http://i/.."), "dot dot"},
        {entry_with_url("http://i/..\\..\\ombrel.exe"), "backslash"},
        {entry_with_url("http://i/C:evil.jpg"), "colon (drive or stream)"},
        {entry_with_url("http://i/a\x01.jpg"), "control character"},
        {entry_with_url("http://i/a\tb.jpg"), "tab"},
        {entry_with_url("http://i/\x81:x"), "colon after a lead byte"},
        {entry_with_url("http://i/a.jpg."), "trailing dot"},
        {entry_with_url("http://i/a.jpg "), "trailing space"},
        {entry_with_url("http://i/CON"), "device"},
        {entry_with_url("http://i/nul.jpg"), "device with extension"},
        {entry_with_url("http://i/com1.png"), "serial port"},
        {entry_with_url("http://i/LPT9"), "printer port"},
        {entry_with_url(url127 + "a"), "image URL longer than 127"},
        {{"http://i/a.jpg", 10, std::string(256, 'l'), 100}, "link longer than 255"},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(banner_file_name(c.entry)) << c.why;
    EXPECT_TRUE(banner_file_name({"http://i/a.jpg", 10, std::string(255, 'l'), 100}));
    EXPECT_TRUE(banner_file_name(entry_with_url("http://i/com10.jpg")));
    EXPECT_TRUE(banner_file_name(entry_with_url("http://i/console.jpg")));
}

TEST(WebLink, OnlyPlainHttpAndHttpsUrlsAreOpened) {
    for (const char* link : {"http://site.example/a", "https://site.example/a?b=c&d",
                             "HTTP://SITE.EXAMPLE/", "http://h/\xD6\xD0"})
        EXPECT_TRUE(is_web_link(link)) << link;
    for (const char* link :
         {"", "file:///C:/Windows/System32/calc.exe", "C:\\Windows\\notepad.exe", "calc.exe",
          "javascript:alert(1)", "ftp://h/", "http:/h", "\\\\server\\share\\x.exe", "http://h/a b",
          "http://h/\" --new-window file:///etc", "http://h/\r", " http://h/"})
        EXPECT_FALSE(is_web_link(link)) << link;
}

TEST(SplitUrl, FindsHostAndPath) {
    const struct {
        const char* url;
        const char* host;
        const char* path;
    } cases[] = {
        {"http://img.example/dir/name.jpg", "img.example", "/dir/name.jpg"},
        {"http://127.0.0.1/a.jpg", "127.0.0.1", "/a.jpg"},
        {"https://h/", "h", "/"},
        // Only the shape counts: two characters after the first slash.
        {"x//h/p", "h", "/p"},
        {"ab/xyh/p", "yh", "/p"},
    };
    for (const auto& c : cases) {
        const auto parts = split_url(c.url);
        ASSERT_TRUE(parts) << c.url;
        EXPECT_EQ(parts->host, c.host);
        EXPECT_EQ(parts->path, c.path);
    }
}

TEST(SplitUrl, RefusesWhatTheRequestCannotCarry) {
    const std::string host29(29, 'h');
    EXPECT_TRUE(split_url("http://" + host29 + "/a"));
    EXPECT_TRUE(split_url("http://h/" + std::string(258, 'p')));
    for (const std::string& url :
         {std::string("name.jpg"), std::string("http:/"), std::string("http://host"),
          std::string("http:///a.jpg"), "http://" + host29 + "h/a",
          "http://h/" + std::string(259, 'p'), std::string("http://h/a b.jpg"),
          std::string("http://h\r\nX: y/a.jpg"), std::string("http://h/a\x01")})
        EXPECT_FALSE(split_url(url)) << url;
}
