// The banner strip against the loopback test site, shown in a window on the test's display.
#include <gtest/gtest.h>

#include <memory>

#include "base/program.h"
#include "net/banner_rotation.h"
#include "net/net_test_support.h"
#include "net/strip_window.h"
#include "net/test_site.h"
#include "net/web_page.h"
#include "platform/file_io.h"
#include "platform/file_system.h"
#include "ui/online_window.h"

namespace {

const char ListPath[] = "/abc.asp?v=3.4";

std::string list_entry(const std::string& image_url, std::size_t size, const std::string& link,
                       int display_time) {
    return image_url + "\r\n" + std::to_string(size) + "\r\n" + link + "\r\n" +
           std::to_string(display_time) + "\r\n";
}

class BannerStripTest : public testing::Test {
  protected:
    BannerStripTest() {
        lstrcpynA(ProgramFolder, folder.path().c_str(), sizeof ProgramFolder);
        make_folder(folder / "images");
    }

    std::string image(const std::string& name) const { return folder / ("images\\" + name); }

    // The stored default picture.
    void store_default_picture() { make_file(image("picture.jpg"), jpeg_picture("xc:yellow")); }

    // Starts the strip and watches what it shows; the time of the start.
    unsigned long start_strip() {
        strip = std::make_unique<BannerRotation>(host);
        window.watch(strip.get());
        const unsigned long start = now_ms();
        EXPECT_TRUE(strip->start());
        return start;
    }

    TempFolder folder;
    RecordingBrowser browser;
    StripWindow window;
    WindowOnlineHost host{window.main_window(), window.banner_static()};
    std::unique_ptr<BannerRotation> strip;
};

} // namespace

TEST_F(BannerStripTest, TwoBannersRotateWithTheirDisplayTimesAndTheClickOpensTheOneShown) {
    TestSite site;
    const std::string red = jpeg_picture("xc:red"), green = jpeg_picture("xc:green");
    site.serve("/pics/red.jpg", ok_answer(red));
    site.serve("/pics/green.jpg", ok_answer(green));
    site.serve(ListPath, ok_answer(list_entry("http://127.0.0.1/pics/red.jpg", red.size(),
                                              "http://127.0.0.1/red.html", 700) +
                                   list_entry("http://127.0.0.1/pics/green.jpg", green.size(),
                                              "http://127.0.0.1/green.html", 1400)));
    start_strip();

    const unsigned long red_at = window.wait_for_look(Look::red, 5000);
    ASSERT_NE(red_at, 0u) << "the first banner was never shown";
    const unsigned long green_at = window.wait_for_look(Look::green, 3000);
    ASSERT_NE(green_at, 0u) << "the second banner was never shown";
    EXPECT_EQ(strip->current_index(), 1);
    open_banner_link(strip.get());
    const unsigned long red_again_at =
        window.wait_for_look(Look::red, 4000, window.paints().size());
    ASSERT_NE(red_again_at, 0u) << "the rotation did not come back to the first banner";

    // Measured between paints, which may come a little late on a busy machine.
    EXPECT_GE(green_at - red_at, 600u);
    EXPECT_LT(green_at - red_at, 2200u);
    EXPECT_GE(red_again_at - green_at, 1250u);
    EXPECT_LT(red_again_at - green_at, 2900u);
    EXPECT_EQ(browser.wait_for_pages(1), std::vector<std::string>{"http://127.0.0.1/green.html"});
    EXPECT_EQ(read_whole_file(image("red.jpg")), red);
    EXPECT_EQ(read_whole_file(image("green.jpg")), green);
    EXPECT_EQ(site.paths(),
              (std::vector<std::string>{ListPath, "/pics/red.jpg", "/pics/green.jpg"}));
}

TEST_F(BannerStripTest, OneBannerStaysUprightAndItsLinkOpens) {
    TestSite site;
    const std::string picture = jpeg_picture("gradient:red-blue");
    site.serve("/one.jpg", ok_answer(picture));
    site.serve(ListPath, ok_answer(list_entry("http://127.0.0.1/one.jpg", picture.size(),
                                              "https://127.0.0.1/one.html", 1000)));
    start_strip();
    ASSERT_NE(window.wait_for_look(Look::red_over_blue, 5000), 0u)
        << "last look: " << look_name(window.last_look());
    // Longer than its display time: nothing else comes.
    pump_messages_until([] { return false; }, 1500);
    EXPECT_EQ(window.last_look(), Look::red_over_blue);
    EXPECT_EQ(strip->count(), 1);
    open_banner_link(strip.get());
    EXPECT_EQ(browser.wait_for_pages(1), std::vector<std::string>{"https://127.0.0.1/one.html"});
}

TEST_F(BannerStripTest, WithoutASiteTheStoredPictureShowsAndTheClickOpensTheHomePage) {
    store_default_picture();
    const unsigned long start = start_strip();
    const unsigned long shown = window.wait_for_look(Look::yellow, 3000);
    ASSERT_NE(shown, 0u) << "last look: " << look_name(window.last_look());
    EXPECT_LT(shown - start, 3000u);
    EXPECT_EQ(strip->current_index(), -1);
    open_banner_link(strip.get());
    EXPECT_EQ(browser.wait_for_pages(1), std::vector<std::string>{"http://127.0.0.1/"});
}

TEST_F(BannerStripTest, ASiteThatDoesNotAcceptLeavesTheStoredPictureAfterThreeSeconds) {
    store_default_picture();
    auto site = std::make_unique<TestSite>(TestSite::Accepting::never);
    const unsigned long start = start_strip();
    const unsigned long shown = window.wait_for_look(Look::yellow, 5000);
    ASSERT_NE(shown, 0u) << "last look: " << look_name(window.last_look());
    EXPECT_GE(shown - start, 2900u);
    EXPECT_FALSE(strip->connected());
    // Without the site the waiting connect is refused, and the strip keeps the picture.
    site.reset();
    strip.reset();
    EXPECT_EQ(window.last_look(), Look::yellow);
}

TEST_F(BannerStripTest, AListSiteThatNeverAnswersLeavesTheStoredPictureAfterItsTimeOut) {
    store_default_picture();
    TestSite site;
    site.serve(ListPath, silent_answer());
    const unsigned long start = start_strip();
    const unsigned long shown = window.wait_for_look(Look::yellow, 8000);
    ASSERT_NE(shown, 0u) << "last look: " << look_name(window.last_look());
    EXPECT_GE(shown - start, 4900u);
    EXPECT_TRUE(strip->connected());
    EXPECT_EQ(strip->count(), 0);
}

TEST_F(BannerStripTest, WithoutAnyPictureTheStripShowsItIsLoading) {
    TestSite site; // answers the list with "404 Not Found"
    start_strip();
    // The first paint shows the window; the second follows the strip's repaint request.
    ASSERT_TRUE(window.wait_for_paints(2, 5000));
    for (const auto& paint : window.paints())
        EXPECT_EQ(paint.look, Look::placeholder) << look_name(paint.look);
    EXPECT_EQ(site.paths(), std::vector<std::string>{ListPath});
}

TEST_F(BannerStripTest, APictureStoredWithTheListedSizeIsNotFetchedAgain) {
    TestSite site;
    const std::string red = jpeg_picture("xc:red"), blue = jpeg_picture("xc:blue");
    make_file(image("red.jpg"), red);
    make_file(image("blue.jpg"), "an older, shorter picture");
    site.serve("/blue.jpg", ok_answer(blue)); // /red.jpg would be "404 Not Found"
    site.serve(ListPath,
               ok_answer(list_entry("http://127.0.0.1/red.jpg", red.size(), "http://a/", 600) +
                         list_entry("http://127.0.0.1/blue.jpg", blue.size(), "http://b/", 600)));
    start_strip();
    ASSERT_NE(window.wait_for_look(Look::red, 5000), 0u);
    ASSERT_NE(window.wait_for_look(Look::blue, 3000), 0u);
    EXPECT_EQ(site.paths(), (std::vector<std::string>{ListPath, "/blue.jpg"}));
    EXPECT_EQ(read_whole_file(image("red.jpg")), red);
    EXPECT_EQ(read_whole_file(image("blue.jpg")), blue);
}

TEST_F(BannerStripTest, EntriesThatCannotBeShownSafelyAreLeftOut) {
    TestSite site;
    const std::string green = jpeg_picture("xc:green");
    for (const char* path : {"/zero.jpg", "/negative.jpg", "/huge.jpg", "/dir/..",
                             "/dir/..\\..\\evil.jpg", "/dir/C:evil.jpg", "/green.jpg"})
        site.serve(path,
                   ok_answer(path == std::string("/huge.jpg") ? std::string(1 << 20, 'x') : green));
    const std::string list =
        "\r\n\r\n" + list_entry("http://127.0.0.1/zero.jpg", 0, "http://z/", 500) + "\r\n" +
        "http://127.0.0.1/negative.jpg\r\n-5\r\nhttp://n/\r\n500\r\n\r\n\r\n" +
        list_entry("http://127.0.0.1/huge.jpg", 1000, "http://h/", 500) +
        list_entry("http://127.0.0.1/dir/..", green.size(), "http://d/", 500) +
        list_entry("http://127.0.0.1/dir/..\\..\\evil.jpg", green.size(), "http://e/", 500) +
        list_entry("http://127.0.0.1/dir/C:evil.jpg", green.size(), "http://c/", 500) + "\n\n" +
        list_entry("http://127.0.0.1/green.jpg", green.size(), "http://127.0.0.1/g.html", 500);
    site.serve(ListPath, ok_answer(list));
    start_strip();
    ASSERT_NE(window.wait_for_look(Look::green, 5000), 0u);
    EXPECT_EQ(strip->count(), 1);
    // Nothing was fetched for a size of 0 or less or for an unsafe name; the oversize download
    // was stopped and left out.
    EXPECT_EQ(site.paths(), (std::vector<std::string>{ListPath, "/huge.jpg", "/green.jpg"}));
    const auto huge = file_size(image("huge.jpg").c_str());
    EXPECT_GT(huge, 1000);
    EXPECT_LE(huge, 1000 + 8192);
    EXPECT_FALSE(file_exists((folder / "evil.jpg").c_str()));
    EXPECT_FALSE(file_exists((folder / "images\\evil.jpg").c_str()));
    open_banner_link(strip.get());
    EXPECT_EQ(browser.wait_for_pages(1), std::vector<std::string>{"http://127.0.0.1/g.html"});
}

TEST_F(BannerStripTest, ALinkThatIsNotAWebPageIsNeverOpened) {
    TestSite site;
    const std::string red = jpeg_picture("xc:red");
    site.serve("/red.jpg", ok_answer(red));
    site.serve(ListPath, ok_answer(list_entry("http://127.0.0.1/red.jpg", red.size(),
                                              "C:\\windows\\notepad.exe", 1000)));
    start_strip();
    ASSERT_NE(window.wait_for_look(Look::red, 5000), 0u);
    open_banner_link(strip.get());
    // A page opened after the click is the first the browser sees.
    open_site_page("/after.html");
    EXPECT_EQ(browser.wait_for_pages(1), std::vector<std::string>{"http://127.0.0.1/after.html"});
}

TEST_F(BannerStripTest, APictureThatCannotBeDecodedIsReportedAndLeavesThePlaceholder) {
    TestSite site;
    const std::string not_a_picture = "this is no picture at all";
    site.serve("/broken.jpg", ok_answer(not_a_picture));
    site.serve(ListPath, ok_answer(list_entry("http://127.0.0.1/broken.jpg", not_a_picture.size(),
                                              "http://b/", 1000)));
    start_strip();
    const auto box = answer_message_box(IDOK, 5000);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Error");
    EXPECT_EQ(box->text, "Call OleLoadPicture Fail");
    ASSERT_TRUE(window.wait_for_paints(2, 3000));
    EXPECT_EQ(window.last_look(), Look::placeholder);
}
