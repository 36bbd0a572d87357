// The banner strip against the test site: the listed banners in turn for their display times,
// and the stored picture when the site is missing, never takes the connection or never answers.
#include "net/banner_rotation.h"
#include "net/test_site.h"
#include "support/win32_support.h"

namespace {

const char ListPath[] = "/abc.asp?v=3.4";

std::string list_entry(const std::string& path, const std::string& picture, int display_time) {
    return "http://127.0.0.1" + path + "\r\n" + std::to_string(picture.size()) +
           "\r\nhttp://127.0.0.1/\r\n" + std::to_string(display_time) + "\r\n";
}

// The rotation asks nothing and is told nothing here: the tests look at the picture on show.
struct QuietHost : OnlineHost {
    bool ask_to_visit_update() override { return false; }
    void banner_changed() override {}
    void banner_undecodable() override {}
    void thread_not_started() override {}
};

// A rotation in a program folder of its own, its picture drawn where the tests can read it.
class Strip {
  public:
    Strip() : strip_(host_) {
        ProgramFolder = folder_.path();
        CreateDirectoryA((folder_ / "images").c_str(), nullptr);
        write_file((folder_ / "images\\picture.jpg").c_str(), test_picture("yellow.jpg"));
    }

    // Starts the strip; the milliseconds until its middle shows colour (0x00BBGGRR).
    unsigned long start_until(COLORREF colour, unsigned long timeout_ms) {
        check(strip_.start(), "banner_thread cannot start");
        return until(colour, timeout_ms);
    }
    unsigned long until(COLORREF colour, unsigned long timeout_ms) {
        return wait_for([&] { return shows(colour); }, "the strip to change", timeout_ms);
    }

  private:
    bool shows(COLORREF colour) {
        const auto draw = [&](HDC dc) {
            strip_.with_picture([&](const OlePicture& picture) {
                if (picture)
                    render_ole_picture(picture, dc, 0, 0, 681, 80);
            });
        };
        return near_colour(drawn_pixel(draw, 681, 80, 340, 40), colour);
    }

    TestFolder folder_;
    QuietHost host_;
    BannerRotation strip_;
};

const COLORREF Red = RGB(255, 0, 0), Green = RGB(0, 128, 0), Yellow = RGB(255, 255, 0);

void two_banners_take_turns_for_their_display_times() {
    Strip strip;
    TestSite site;
    const std::string red = test_picture("red.jpg"), green = test_picture("green.jpg");
    site.serve("/red.jpg", ok_answer(red));
    site.serve("/green.jpg", ok_answer(green));
    site.serve(ListPath,
               ok_answer(list_entry("/red.jpg", red, 700) + list_entry("/green.jpg", green, 1400)));
    strip.start_until(Red, 5000);
    const unsigned long red_time = strip.until(Green, 3000);
    const unsigned long green_time = strip.until(Red, 4000);
    check(red_time >= 550 && red_time < 2200, "red for " + std::to_string(red_time) + " ms");
    check(green_time >= 1250 && green_time < 2900,
          "green for " + std::to_string(green_time) + " ms");
}

// Each site is declared after the strip, so it goes first and the strip's threads can end.
void without_a_site_the_stored_picture_at_once() {
    Strip strip;
    const TestSite refusing(TestSite::Accepting::refused);
    strip.start_until(Yellow, 2500);
}

void a_site_that_never_accepts_leaves_the_stored_picture_after_3_seconds() {
    Strip strip;
    const TestSite never(TestSite::Accepting::never);
    const unsigned long shown = strip.start_until(Yellow, 6000);
    check(shown >= 2900, "the stored picture after " + std::to_string(shown) + " ms");
}

void a_list_that_never_comes_leaves_the_stored_picture_after_its_time_out() {
    Strip strip;
    TestSite site;
    site.serve(ListPath, Reply{{}, true});
    const unsigned long shown = strip.start_until(Yellow, 9000);
    check(shown >= 4900, "the stored picture after " + std::to_string(shown) + " ms");
}

const TestCase cases[] = {
    {"two banners take turns for their display times",
     two_banners_take_turns_for_their_display_times},
    {"without a site the stored picture at once", without_a_site_the_stored_picture_at_once},
    {"a site that never accepts leaves the stored picture after 3 seconds",
     a_site_that_never_accepts_leaves_the_stored_picture_after_3_seconds},
    {"a list that never comes leaves the stored picture after its time-out",
     a_list_that_never_comes_leaves_the_stored_picture_after_its_time_out},
};
const Registration registration(cases);

} // namespace
