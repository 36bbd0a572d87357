// The request the program sends and how it reads the answers.
#include <gtest/gtest.h>

#include <string>

#include "net/http_message.h"
#include "net/web_page_launch.h"

using namespace std::string_literals;

TEST(HttpGetRequest, IsExactlyTheFixedFormWithPathAndHost) {
    EXPECT_EQ(
        http_get_request("/checkUpdate.asp?v=3.4", "site.example"),
        "GET /checkUpdate.asp?v=3.4 HTTP/1.1\r\n"
        "Accept: */*\r\n"
        "Accept-Language: zh-cn\r\n"
        "User-Agent: Mozilla/4.0 (compatible; MSIE 8.0; Windows NT 5.1; Trident/4.0; CIBA)\r\n"
        "Host: site.example\r\n"
        "Connection: close\r\n"
        "\r\n");
    EXPECT_EQ(versioned_path("/checkUpdate.asp"), "/checkUpdate.asp?v=3.4");
    EXPECT_EQ(versioned_path("/abc.asp"), "/abc.asp?v=3.4");
}

TEST(UpdateAnswer, OnlyAnAcceptedAnswerWhoseBodyBeginsWithTrueReportsANewVersion) {
    const std::string ok = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n\r\n";
    const struct {
        std::string answer;
        int verdict;
    } cases[] = {
        {ok + "true", 1},
        {ok + "true\r\n", 1},
        {ok + "trueabc", 1},
        {ok + "TRUE", 0},
        {ok + "false", 0},
        {ok, 0},
        {ok + " true", 0},
        {"HTTP/1.1 200 OK\r\n\r\ntrue", 1},
        // No empty line: the whole answer is header.
        {"HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\ntrue", 0},
        // Lines ended by LF alone hold no LF directly followed by CR.
        {"HTTP/1.1 200 OK\nContent-Type: text/plain\n\ntrue", 0},
        {"HTTP/1.0 200 OK\r\n\r\ntrue", 0},
        {"HTTP/1.1 204 No Content\r\n\r\ntrue", 0},
        {"HTTP/1.1 200 Okay\r\n\r\ntrue", 0},
        {"", 0},
        // The answer is text: a zero byte ends it.
        {ok + "tr\0ue"s, 0},
        {"HTTP/1.1 200 OK\0\r\n\r\ntrue"s, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(judge_update_answer(c.answer), c.verdict) << c.answer;
}

TEST(AnswerBody, StartsThreeCharactersAfterTheFirstLfCr) {
    EXPECT_EQ(answer_body("HTTP/1.1 200 OK\r\nA: b\r\n\r\nbody\r\n"), "body\r\n");
    // The third character after LF is skipped whatever it is.
    EXPECT_EQ(answer_body("x\n\rXbody"), "body");
    // A header ending in LF CR has an empty body rather than one starting past the end.
    EXPECT_EQ(answer_body("x\n\r"), "");
    EXPECT_EQ(answer_body("x\n\r\n"), "");
    EXPECT_EQ(answer_body("no pair\r\n"), "");
    EXPECT_EQ(answer_text("abc\0def"s), "abc");
}

TEST(DownloadBodyStart, IsFoundOnlyAfterTheWholeBlankLine) {
    EXPECT_EQ(download_body_start("HTTP/1.1 200 OK\r\n\r\nJPEG"), 19u);
    EXPECT_EQ(download_body_start("HTTP/1.1 200 OK\r\n\r\n"), 19u);
    EXPECT_EQ(download_body_start("HTTP/1.1 200 OK\r\n\r"), std::string::npos);
    EXPECT_EQ(download_body_start("HTTP/1.1 200 OK\n\n"), std::string::npos);
}

TEST(WebPageLaunches, FallBackAccordingToTheRegisteredBrowser) {
    const std::string url = "http://site.example/help.html";
    const struct {
        const char* browser;
        std::vector<std::pair<std::string, std::string>> launches;
    } cases[] = {
        {"C:\\Browsers\\firefox.exe", {{"C:\\Browsers\\firefox.exe", url}, {"iexplore.exe", url}}},
        // Internet Explorer failed already: the shell gets the URL itself.
        {"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE",
         {{"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE", url}, {url, ""}}},
        {"", {{url, ""}, {"iexplore.exe", url}}},
    };
    for (const auto& c : cases) {
        std::vector<std::pair<std::string, std::string>> got;
        for (const ShellLaunch& launch : web_page_launches(c.browser, url))
            got.emplace_back(launch.file, launch.parameters);
        EXPECT_EQ(got, c.launches) << c.browser;
    }
}
