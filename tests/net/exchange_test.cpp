// The HTTP exchange against the loopback test site: the update check, downloads and web pages.
#include <gtest/gtest.h>

#include <algorithm>

#include "base/program.h"
#include "net/download.h"
#include "net/net_test_support.h"
#include "net/test_site.h"
#include "net/update_check.h"
#include "net/web_page.h"
#include "platform/file_system.h"

namespace {

const char UpdatePath[] = "/checkUpdate.asp?v=3.4";
const std::string OkHeader = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n\r\n";

// The pictures of a test go to its own program folder.
class ProgramFolderTest : public testing::Test {
  protected:
    ProgramFolderTest() { lstrcpynA(ProgramFolder, folder.path().c_str(), sizeof ProgramFolder); }

    std::string image(const char* name) const { return folder / (std::string("images\\") + name); }

    TempFolder folder;
};

} // namespace

TEST(UpdateCheck, SendsExactlyTheFixedRequest) {
    TestSite site;
    site.serve(UpdatePath, raw_answer(OkHeader + "false"));
    EXPECT_EQ(check_for_update(), 0);
    ASSERT_EQ(site.requests().size(), 1u);
    EXPECT_EQ(
        site.requests()[0],
        "GET /checkUpdate.asp?v=3.4 HTTP/1.1\r\n"
        "Accept: */*\r\n"
        "Accept-Language: zh-cn\r\n"
        "User-Agent: Mozilla/4.0 (compatible; MSIE 8.0; Windows NT 5.1; Trident/4.0; CIBA)\r\n"
        "Host: 127.0.0.1\r\n"
        "Connection: close\r\n"
        "\r\n");
}

TEST(UpdateCheck, OnlyABodyBeginningWithTrueReportsANewVersion) {
    TestSite site;
    const std::string padding(2100, 'a');
    const struct {
        const char* name;
        Reply reply;
        int result;
    } cases[] = {
        {"true", raw_answer(OkHeader + "true"), 1},
        {"true and a line end", raw_answer(OkHeader + "true\r\n"), 1},
        {"trueabc", raw_answer(OkHeader + "trueabc"), 1},
        {"TRUE", raw_answer(OkHeader + "TRUE"), 0},
        {"false", raw_answer(OkHeader + "false"), 0},
        {"empty body", raw_answer(OkHeader), 0},
        {"no blank line", raw_answer("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\ntrue"), 0},
        {"lines ended by LF alone", raw_answer("HTTP/1.1 200 OK\nContent-Type: text/plain\n\ntrue"),
         0},
        {"HTTP/1.0 status line", raw_answer("HTTP/1.0 200 OK\r\n\r\ntrue"), 0},
        {"204", raw_answer("HTTP/1.1 204 No Content\r\n\r\ntrue"), 0},
        {"header and body in two packets", Reply{{OkHeader, "true"}}, 1},
        {"status line in two packets", Reply{{"HTTP/1.1 2", "00 OK\r\n\r\ntrue"}}, 1},
        {"true, then far more than 2048 bytes", raw_answer(OkHeader + "true" + padding + padding),
         1},
        {"blank line beyond the first 2048 bytes",
         raw_answer("HTTP/1.1 200 OK\r\nX-Padding: " + padding + "\r\n\r\ntrue"), 0},
        {"connection closed without an answer", Reply{}, 0},
    };
    for (const auto& c : cases) {
        site.serve(UpdatePath, c.reply);
        EXPECT_EQ(check_for_update(), c.result) << c.name;
    }
}

TEST(UpdateCheck, ASiteThatAcceptsButNeverAnswersFailsAfterFiveSeconds) {
    TestSite site;
    site.serve(UpdatePath, silent_answer());
    const unsigned long start = now_ms();
    EXPECT_EQ(check_for_update(), -1);
    const unsigned long took = now_ms() - start;
    EXPECT_GE(took, 4500u);
    EXPECT_LT(took, 9000u);
}

TEST(UpdateCheck, AnAnswerCutOffByTheTimeOutFailsEvenWhenItSaidTrue) {
    TestSite site;
    site.serve(UpdatePath, Reply{{OkHeader + "true"}, true});
    EXPECT_EQ(check_for_update(), -1);
}

TEST(UpdateCheck, NoSiteFails) {
    EXPECT_EQ(check_for_update(), -1);
}

using DownloadFile = ProgramFolderTest;

TEST_F(DownloadFile, HeaderAndFirstBodyBytesInOnePacketBeginTheFile) {
    TestSite site;
    const std::string picture = jpeg_picture("xc:red");
    const std::string header = "HTTP/1.1 200 OK\r\nContent-Type: image/jpeg\r\n\r\n";
    site.serve("/pics/red.jpg", Reply{{header + picture.substr(0, 100), picture.substr(100)}});
    EXPECT_FALSE(is_directory((folder / "images").c_str()));
    EXPECT_TRUE(download_file("http://127.0.0.1/pics/red.jpg", image("red.jpg").c_str(),
                              static_cast<int>(picture.size())));
    EXPECT_EQ(read_whole_file(image("red.jpg")), picture);
    EXPECT_EQ(site.paths(), std::vector<std::string>{"/pics/red.jpg"});
}

TEST_F(DownloadFile, AHeaderArrivingInPiecesIsWaitedFor) {
    TestSite site;
    const std::string body(20000, 'b');
    site.serve("/b.jpg",
               Reply{{"HTTP/1.1 200 OK\r\n", "Content-Length: 20000\r\n\r", "\n" + body}});
    EXPECT_TRUE(download_file("http://127.0.0.1/b.jpg", image("b.jpg").c_str(), 20000));
    EXPECT_EQ(read_whole_file(image("b.jpg")), body);
}

TEST_F(DownloadFile, AnswersThatAreNotTheListedPictureFail) {
    TestSite site;
    site.serve("/short.jpg", ok_answer("12345"));
    site.serve("/missing.jpg", raw_answer("HTTP/1.1 404 Not Found\r\n\r\nnot here"));
    site.serve("/old.jpg", raw_answer("HTTP/1.0 200 OK\r\n\r\n12345"));
    EXPECT_FALSE(download_file("http://127.0.0.1/short.jpg", image("short.jpg").c_str(), 6));
    EXPECT_EQ(file_size(image("short.jpg").c_str()), 5); // kept, fetched again next time
    EXPECT_FALSE(download_file("http://127.0.0.1/missing.jpg", image("missing.jpg").c_str(), 0));
    EXPECT_EQ(file_size(image("missing.jpg").c_str()), 0);
    EXPECT_FALSE(download_file("http://127.0.0.1/old.jpg", image("old.jpg").c_str(), 5));
    EXPECT_EQ(file_size(image("old.jpg").c_str()), 0);
}

TEST_F(DownloadFile, StopsOnceMoreArrivesThanListed) {
    TestSite site;
    const std::string endless(4 * 1024 * 1024, 'x');
    site.serve("/huge.jpg", ok_answer(endless));
    EXPECT_FALSE(download_file("http://127.0.0.1/huge.jpg", image("huge.jpg").c_str(), 1000));
    const auto size = file_size(image("huge.jpg").c_str());
    EXPECT_GT(size, 1000);
    EXPECT_LE(size, 1000 + 8192);
}

TEST_F(DownloadFile, RefusesUrlsWithoutHostAndPath) {
    TestSite site;
    for (const char* url : {"red.jpg", "http://127.0.0.1", "http:///red.jpg"})
        EXPECT_FALSE(download_file(url, image("red.jpg").c_str(), 10)) << url;
    EXPECT_TRUE(site.requests().empty());
    EXPECT_FALSE(file_exists(image("red.jpg").c_str()));
}

TEST_F(DownloadFile, FailsWithoutASite) {
    EXPECT_FALSE(download_file("http://127.0.0.1/red.jpg", image("red.jpg").c_str(), 10));
}

TEST(WebPage, OpensInTheBrowserRegisteredForHtmlFiles) {
    RecordingBrowser browser;
    open_web_page("http://127.0.0.1/help.html");
    EXPECT_EQ(browser.wait_for_pages(1), std::vector<std::string>{"http://127.0.0.1/help.html"});
    // The probe file that asked for the browser stays beside the program, empty.
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    EXPECT_EQ(file_size((folder_of_module_path(self) + "\\temp.html").c_str()), 0);
}

TEST(WebPage, WithoutABrowserForHtmlFilesTheShellOpensTheUrl) {
    RecordingBrowser browser;
    browser.unregister_html_files();
    open_web_page("http://127.0.0.1/sy_list.html");
    EXPECT_EQ(browser.wait_for_pages(1), std::vector<std::string>{"http://127.0.0.1/sy_list.html"});
}

TEST(WebPage, SitePagesAreHttpUrlsOnTheSiteHost) {
    EXPECT_EQ(site_url("/help.html"), "http://127.0.0.1/help.html");
    RecordingBrowser browser;
    // The menu's pages, the home page and the unpacking help of start-up.
    for (const char* page : {"/help.html", "/", "/sy_list.html", "/unzip.html"})
        open_site_page(page);
    auto pages = browser.wait_for_pages(4);
    std::sort(pages.begin(), pages.end()); // the browsers may write in any order
    EXPECT_EQ(pages, (std::vector<std::string>{"http://127.0.0.1/", "http://127.0.0.1/help.html",
                                               "http://127.0.0.1/sy_list.html",
                                               "http://127.0.0.1/unzip.html"}));
}
