// The online services of the real program against a site on 127.0.0.1 that each scenario runs
// itself: the banner list with its pictures, the update question, and start-up without a site or
// beside one that never answers.
#include "online_scenarios.h"

#include <algorithm>

#include "net/test_site.h"
#include "strip_view.h"

namespace {

const char ListPath[] = "/abc.asp?v=3.4";
const char UpdatePath[] = "/checkUpdate.asp?v=3.4";
const char UpdateQuestion[] = "检查到新的版本，是否需要进入官网下载新版本？";

std::string site_url(const std::string& path) {
    return "http://127.0.0.1" + path;
}

// Every request of the program, byte for byte.
std::string expected_request(const std::string& path) {
    return "GET " + path +
           " HTTP/1.1\r\n"
           "Accept: */*\r\n"
           "Accept-Language: zh-cn\r\n"
           "User-Agent: Mozilla/4.0 (compatible; MSIE 8.0; Windows NT 5.1; Trident/4.0; CIBA)\r\n"
           "Host: 127.0.0.1\r\n"
           "Connection: close\r\n"
           "\r\n";
}

std::string listed(const std::vector<std::string>& items) {
    std::string list;
    for (const std::string& item : items)
        list += " " + item;
    return list.empty() ? " nothing" : list;
}

void expect_requested(const TestSite& site, const std::string& path) {
    const std::vector<std::string> requests = site.requests();
    expect(std::count(requests.begin(), requests.end(), expected_request(path)) == 1,
           "the site was asked for " + path + " once, in the program's request form; it got" +
               listed(site.paths()));
}

// A banner as the scenario's site lists it and serves its picture.
struct Banner {
    const char* picture_path;
    Quarters quarters;
    int width, height;
    const char* link_path;
    int display_time;
};

using StripTest = std::function<std::string(const Pixels&)>;

StripTest shows_banner(const Banner& banner) {
    return [&banner](const Pixels& pixels) { return quarters_mismatch(pixels, banner.quarters); };
}

StripTest shows_stored_picture(const Scene& scene) {
    const Pixels stored = read_picture(scene, scene.program_folder + "\\images\\picture.jpg");
    return [stored](const Pixels& pixels) { return picture_mismatch(pixels, stored); };
}

// Reads the strip from the screen until `test` finds nothing wrong with it; the time of the
// reading that first showed it.
DWORD wait_for_strip(const Scene& scene, const App& app, const StripTest& test,
                     const std::string& what, DWORD timeout_ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD at = GetTickCount();
        const std::string wrong = test(read_screen(scene, strip_and_below(app)));
        if (wrong.empty())
            return at;
        if (GetTickCount() - start > timeout_ms)
            throw ScenarioFailure("timed out after " + std::to_string(timeout_ms) +
                                  " ms waiting for the strip to show " + what + ": " + wrong);
        Sleep(100); // polling interval of a bounded wait
    }
}

void expect_between(DWORD value, DWORD low, DWORD high, const std::string& what) {
    expect(value >= low && value <= high, what + " was " + std::to_string(value) +
                                              " ms, expected " + std::to_string(low) + " to " +
                                              std::to_string(high));
}

void expect_pages(const Scene& scene, const std::vector<std::string>& pages,
                  const std::string& what) {
    const std::vector<std::string> opened = wait_for_pages(scene, pages.size());
    expect(opened == pages, what + "; the browser was given" + listed(opened));
}

void expect_no_message_box(const App& app, const std::string& why) {
    for (HWND window : top_windows(app.id(), "#32770"))
        expect(!is_visible(window), "a message box \"" + text_of(GetDlgItem(window, 0xFFFF)) +
                                        "\" is shown although " + why);
}

bool contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

// Serves the banners' pictures and the list of them, with empty lines between the entries,
// which must not count; the pictures as served.
std::vector<std::string> serve_banner_list(TestSite& site, const std::vector<Banner>& banners) {
    std::string list = "\r\n";
    std::vector<std::string> pictures;
    for (const Banner& banner : banners) {
        pictures.push_back(quarters_jpeg(banner.quarters, banner.width, banner.height));
        site.serve(banner.picture_path, ok_answer(pictures.back()));
        list += site_url(banner.picture_path) + "\r\n" + std::to_string(pictures.back().size()) +
                "\r\n" + site_url(banner.link_path) + "\r\n" + std::to_string(banner.display_time) +
                "\r\n\r\n";
    }
    site.serve(ListPath, ok_answer(list));
    return pictures;
}

} // namespace

// Two listed banners: each fills the strip upright for its display time, in turn, and a click
// opens the link of the one on show. The update check answers that there is no newer version.
void banner_rotation(Scene& scene) {
    // Pictures smaller and larger than the strip, of its shape: both are stretched over it.
    const Banner first{"/banners/first.jpg",
                       {{{220, 20, 20}, {20, 200, 20}, {20, 20, 220}, {240, 230, 30}}},
                       340,
                       40,
                       "/first.html",
                       4000};
    const Banner second{"/banners/second.jpg",
                        {{{30, 220, 230}, {220, 30, 220}, {250, 250, 250}, {10, 10, 10}}},
                        1362,
                        160,
                        "/second.html",
                        5000};
    TestSite site;
    const std::vector<std::string> pictures = serve_banner_list(site, {first, second});
    site.serve(UpdatePath, ok_answer("false"));

    App app = start_app(scene);
    const DWORD first_at =
        wait_for_strip(scene, app, shows_banner(first), "the first banner", 15000);
    save_window_screenshot(app, scene.screenshot);
    click_strip(app);
    expect_pages(scene, {site_url(first.link_path)}, "a click opens the first banner's link");

    const DWORD second_at = wait_for_strip(scene, app, shows_banner(second), "the second banner",
                                           first.display_time + 4000);
    save_window_screenshot(app,
                           scene.screenshot.substr(0, scene.screenshot.rfind('.')) + "_second.png");
    click_strip(app);
    expect_pages(scene, {site_url(first.link_path), site_url(second.link_path)},
                 "a click opens the second banner's link");
    const DWORD again_at = wait_for_strip(scene, app, shows_banner(first), "the first banner again",
                                          second.display_time + 4000);
    // Each reading of the screen takes a moment: the times are known to about a second.
    expect_between(second_at - first_at, first.display_time - 1000, first.display_time + 3000,
                   "the first banner's time on the strip");
    expect_between(again_at - second_at, second.display_time - 1000, second.display_time + 3000,
                   "the second banner's time on the strip");

    // The list first, then each picture once in its order; the update check beside them.
    for (const char* path : {ListPath, UpdatePath, first.picture_path, second.picture_path})
        expect_requested(site, path);
    std::vector<std::string> banner_paths = site.paths();
    banner_paths.erase(std::find(banner_paths.begin(), banner_paths.end(), UpdatePath));
    expect(banner_paths ==
               std::vector<std::string>{ListPath, first.picture_path, second.picture_path},
           "the pictures are fetched after the list, in its order; the site got" +
               listed(site.paths()));
    expect(read_text_file(scene.program_folder + "\\images\\first.jpg") == pictures[0] &&
               read_text_file(scene.program_folder + "\\images\\second.jpg") == pictures[1],
           "the pictures are stored in the images folder as the site sent them");
    expect(contains(site.closed_paths(), UpdatePath), "the update check has read its answer");
    expect_no_message_box(app, "the site knows no newer version");
}

// The site reports a newer version: once start-up has ended (the focus in the source folder
// edit, which a question asked earlier would prevent), the program asks, owned by its shown main
// window, and Yes opens the site's home page. The banner list is not found, so the strip shows
// the stored picture.
void update_question(Scene& scene) {
    TestSite site;
    site.serve(UpdatePath, ok_answer("true"));
    App app = start_app(scene);
    const MessageBoxView question =
        expect_message_box(app.id(), "提示", UpdateQuestion, BoxIcon::Question, {IDYES, IDNO});
    expect(GetWindow(question.window, GW_OWNER) == app.main && is_visible(app.main),
           "the shown main window owns the question");
    save_screenshot(scene.screenshot);
    answer(question, IDYES);
    expect_pages(scene, {site_url("/")}, "Yes opens the site's home page");
    expect_requested(site, UpdatePath);
    wait_for_strip(scene, app, shows_stored_picture(scene), "the stored picture", 10000);
}

// No site at all: start-up goes on as usual, the strip shows the stored picture at once and a
// click opens the home page.
void banner_without_site(Scene& scene) {
    const TestSite refusing(TestSite::Accepting::refused);
    App app = start_app(scene);
    const StripTest stored_picture = shows_stored_picture(scene);
    wait_for_strip(scene, app, stored_picture, "the stored picture", 3000);
    // Painted again, as a whole, when the window comes back.
    PostMessageA(app.main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    wait_until([&] { return IsIconic(app.main) != FALSE; }, "the window to be minimised");
    PostMessageA(app.main, WM_SYSCOMMAND, SC_RESTORE, 0);
    wait_until([&] { return !IsIconic(app.main); }, "the window to be restored");
    wait_for_strip(scene, app, stored_picture, "the stored picture after restoring", 3000);
    save_window_screenshot(app, scene.screenshot);
    click_strip(app);
    expect_pages(scene, {site_url("/")}, "a click opens the home page while no banner was shown");
    expect_no_message_box(app, "no site answered");
}

// A site that takes both requests and never answers: start-up ends while both still wait, the
// stored picture shows once the list has given up (not after three seconds, since the site did
// take the connection), and no question comes.
void startup_beside_silent_site(Scene& scene) {
    TestSite site;
    site.serve(ListPath, silent_answer());
    site.serve(UpdatePath, silent_answer());
    App app = start_app(scene);
    const std::vector<std::string> given_up = site.closed_paths();
    expect(given_up.empty(), "start-up ended only after the program gave up on the site");
    expect(site.wait_for_requests(2, 15000), "the program asks for the list and for an update");

    wait_for_strip(scene, app, shows_stored_picture(scene), "the stored picture", 15000);
    // The site notices a closed connection within a moment.
    wait_until([&] { return contains(site.closed_paths(), ListPath); },
               "the stored picture to show only once the list request has given up", 1000);
    save_window_screenshot(app, scene.screenshot);
    wait_until([&] { return contains(site.closed_paths(), UpdatePath); },
               "the update check to give up", 10000);
    expect_no_message_box(app, "the site never answered the update check");
}
