// The update question and the interface the main window uses, on the test's display.
#include <gtest/gtest.h>

#include "base/program.h"
#include "net/net_test_support.h"
#include "net/strip_window.h"
#include "net/test_site.h"
#include "net/update_check.h"
#include "net/web_page.h"
#include "platform/thread.h"
#include "ui/online_window.h"

namespace {

const char UpdatePath[] = "/checkUpdate.asp?v=3.4";
const std::string OkHeader = "HTTP/1.1 200 OK\r\n\r\n";

// Runs update_check_thread with window as the question's owner to its end, answering with button.
std::vector<SeenBox> run_update_check(HWND window, int button) {
    WindowOnlineHost host(window, nullptr);
    const unique_handle thread = start_thread(update_check_thread, &host);
    std::vector<SeenBox> boxes;
    EXPECT_TRUE(finish_thread(thread.get(), button, 10000, boxes))
        << "update_check_thread did not end";
    return boxes;
}

} // namespace

TEST(UpdateQuestion, ANewerVersionAsksAndYesOpensTheHomePage) {
    RecordingBrowser browser;
    StripWindow window;
    TestSite site;
    site.serve(UpdatePath, raw_answer(OkHeader + "true"));
    const auto boxes = run_update_check(window.main_window(), IDYES);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "提示");
    EXPECT_EQ(boxes[0].text, "检查到新的版本，是否需要进入官网下载新版本？");
    EXPECT_EQ(browser.wait_for_pages(1), std::vector<std::string>{"http://127.0.0.1/"});
}

TEST(UpdateQuestion, NoOpensNothing) {
    RecordingBrowser browser;
    StripWindow window;
    TestSite site;
    site.serve(UpdatePath, raw_answer(OkHeader + "true"));
    EXPECT_EQ(run_update_check(window.main_window(), IDNO).size(), 1u);
    // A page opened afterwards is the first the browser sees.
    open_site_page("/after.html");
    EXPECT_EQ(browser.wait_for_pages(1), std::vector<std::string>{"http://127.0.0.1/after.html"});
}

TEST(UpdateQuestion, IsNotAskedWithoutANewerVersion) {
    StripWindow window;
    TestSite site;
    for (const Reply& reply :
         {raw_answer(OkHeader + "false"), raw_answer("HTTP/1.1 204 No Content\r\n\r\ntrue")}) {
        site.serve(UpdatePath, reply);
        EXPECT_TRUE(run_update_check(window.main_window(), IDYES).empty());
    }
}

TEST(UpdateQuestion, IsNotAskedWhenTheSiteAcceptsButNeverAnswers) {
    StripWindow window;
    TestSite site;
    site.serve(UpdatePath, silent_answer());
    const unsigned long start = now_ms();
    EXPECT_TRUE(run_update_check(window.main_window(), IDYES).empty());
    EXPECT_GE(now_ms() - start, 4500u);
}

TEST(UpdateQuestion, IsNotAskedWithoutASite) {
    StripWindow window;
    EXPECT_TRUE(run_update_check(window.main_window(), IDYES).empty());
}

// What start-up and the main window call: before the start a click opens the home page; after
// it the update check asks its question and the strip shows the listed banner, whose link the
// click then opens.
TEST(OnlineServices, StartUpPaintAndClick) {
    TempFolder folder;
    lstrcpynA(ProgramFolder, folder.path().c_str(), sizeof ProgramFolder);
    RecordingBrowser browser;
    StripWindow window;
    TestSite site;
    const std::string red = jpeg_picture("xc:red");
    site.serve(UpdatePath, raw_answer(OkHeader + "true"));
    site.serve("/red.jpg", ok_answer(red));
    site.serve("/abc.asp?v=3.4",
               ok_answer("http://127.0.0.1/red.jpg\r\n" + std::to_string(red.size()) +
                         "\r\nhttp://127.0.0.1/red.html\r\n1000\r\n"));

    open_banner_link(nullptr);
    EXPECT_EQ(browser.wait_for_pages(1), std::vector<std::string>{"http://127.0.0.1/"});

    const BannerRotation* banners =
        start_online_services(window.main_window(), window.banner_static());
    const auto question = answer_message_box(IDNO, 10000);
    ASSERT_TRUE(question);
    EXPECT_EQ(question->caption, "提示");
    // The strip's own paint, as the main window's WM_PAINT makes it, until it shows the banner.
    const auto painted_red = [&] {
        InvalidateRect(window.banner_static(), nullptr, FALSE);
        paint_banner_strip(window.banner_static(),
                           static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), banners);
        const HDC screen = GetDC(window.banner_static());
        const COLORREF middle = GetPixel(screen, 340, 40);
        ReleaseDC(window.banner_static(), screen);
        return GetRValue(middle) > 190 && GetGValue(middle) < 60 && GetBValue(middle) < 60;
    };
    ASSERT_TRUE(pump_messages_until(painted_red, 10000));
    open_banner_link(banners);
    EXPECT_EQ(browser.wait_for_pages(2),
              (std::vector<std::string>{"http://127.0.0.1/", "http://127.0.0.1/red.html"}));
    EXPECT_EQ(read_whole_file(folder / "images\\red.jpg"), red);
}
