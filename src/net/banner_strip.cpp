#include "net/banner_strip.h"

#include <algorithm>

#include "core/path_tests.h"
#include "net/download.h"
#include "net/http_message.h"
#include "net/http_connection.h"
#include "net/online_services.h"
#include "net/site_host.h"
#include "net/web_page.h"
#include "platform/win32_scopes.h"
#include "platform/thread.h"
#include "settings/program_folder.h"

namespace {

constexpr std::size_t ListAnswerSize = 4096;
constexpr std::size_t MaxLocalPath = 511;
constexpr int FallbackDelay = 3000;

std::string images_file(const std::string& name) {
    return program_file_path("images") + "\\" + name;
}

// A picture that cannot be decoded is reported each time its turn comes; the strip shows the
// placeholder meanwhile. Shown outside the picture lock, so that painting goes on.
void report_load(PictureLoad result) {
    if (result == PictureLoad::undecodable)
        MessageBoxA(nullptr, "Call OleLoadPicture Fail", "Error", MB_OK);
}

} // namespace

BannerStrip::BannerStrip(HWND main_window, HWND banner_static)
    : main_window_(main_window), banner_static_(banner_static),
      stop_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

BannerStrip::~BannerStrip() {
    SetEvent(stop_.get());
    // The helpers' handles are set by banner_thread, so it is waited for first.
    for (const unique_handle* thread : {&banner_thread_, &fallback_thread_, &rotation_thread_})
        if (*thread)
            WaitForSingleObject(thread->get(), INFINITE);
}

bool BannerStrip::start() {
    if (!stop_)
        return false;
    banner_thread_ = start_thread(banner_thread, this);
    return static_cast<bool>(banner_thread_);
}

void BannerStrip::paint(HFONT gui_font) {
    const PaintScope paint(banner_static_);
    RECT client{};
    GetClientRect(banner_static_, &client);
    draw(paint.dc(), client.right, client.bottom, gui_font);
}

void BannerStrip::draw(HDC dc, int width, int height, HFONT gui_font) {
    const std::lock_guard<std::mutex> guard(picture_lock_);
    if (picture_)
        render_ole_picture(picture_, dc, 0, 0, width, height);
    else
        draw_banner_placeholder(dc, gui_font);
}

void BannerStrip::open_link() const {
    const int index = current_;
    if (index < 0) {
        open_site_page("/");
        return;
    }
    const std::string& link = table_[index].link;
    if (!link.empty())
        open_web_page(link.c_str());
}

DWORD WINAPI BannerStrip::banner_thread(void* strip) {
    try {
        static_cast<BannerStrip*>(strip)->run_banner_thread();
    } catch (...) {
        // The strip keeps whatever it shows.
    }
    return 0;
}

DWORD WINAPI BannerStrip::banner_fallback_thread(void* strip) {
    try {
        static_cast<BannerStrip*>(strip)->run_fallback();
    } catch (...) {
    }
    return 0;
}

DWORD WINAPI BannerStrip::banner_rotation_thread(void* strip) {
    try {
        static_cast<BannerStrip*>(strip)->run_rotation();
    } catch (...) {
    }
    return 0;
}

void BannerStrip::run_banner_thread() {
    fallback_thread_ = start_service_thread(banner_fallback_thread, this, main_window_);
    fetch_banner_list();
    if (count_ <= 0) {
        show_default_banner();
        return;
    }
    if (wait(0))
        rotation_thread_ = start_service_thread(banner_rotation_thread, this, main_window_);
}

// A site that does not even accept the connection within three seconds still leaves the stored
// picture on screen; a list that arrives later replaces it through the rotation.
void BannerStrip::run_fallback() {
    if (!wait(FallbackDelay))
        return;
    PictureLoad result;
    {
        // Checked under the lock, so that a banner loaded meanwhile is never covered again.
        const std::lock_guard<std::mutex> guard(picture_lock_);
        if (connected_ || picture_)
            return;
        result = replace_picture(images_file("picture.jpg"));
    }
    report_load(result);
    request_repaint();
}

void BannerStrip::run_rotation() {
    const int count = count_;
    for (int index = 0; index < count; index = (index + 1) % count) {
        current_ = index;
        // The file is read again each time its turn comes.
        load_banner_picture(table_[index].image_path);
        request_repaint();
        if (count == 1 || !wait(std::max(table_[index].display_time, ShortestDisplayTime)))
            return;
    }
}

void BannerStrip::fetch_banner_list() {
    const char* host = site_host();
    HttpConnection site;
    if (!site.open(host, 5000))
        return;
    connected_ = true;
    if (!site.send_get(versioned_path("/abc.asp"), host))
        return;
    // A receive error or time-out ends the list; what arrived is read all the same.
    const ReceivedAnswer answer = receive_answer(site, ListAnswerSize);
    site.close();
    const std::string_view text = answer_text(answer.bytes);
    if (!is_ok_answer(text))
        return;
    // Entries beyond the table's room are ignored.
    for (const BannerListEntry& entry : parse_banner_list(answer_body(text))) {
        if (count_ == MaxBanners || !wait(0))
            break;
        add_banner(entry);
    }
}

void BannerStrip::add_banner(const BannerListEntry& entry) {
    const auto name = banner_file_name(entry);
    if (!name)
        return;
    const std::string path = images_file(*name);
    if (path.size() > MaxLocalPath)
        return;
    // A picture stored with the listed size is not fetched again.
    if (file_size(path.c_str()) != entry.size &&
        !download_file(entry.image_url.c_str(), path.c_str(), entry.size))
        return;
    table_[count_] = {path, is_web_link(entry.link) ? entry.link : std::string(),
                      entry.display_time};
    ++count_;
}

void BannerStrip::load_banner_picture(const std::string& path) {
    PictureLoad result;
    {
        const std::lock_guard<std::mutex> guard(picture_lock_);
        result = replace_picture(path);
    }
    report_load(result);
}

void BannerStrip::show_default_banner() {
    load_banner_picture(images_file("picture.jpg"));
    request_repaint();
}

PictureLoad BannerStrip::replace_picture(const std::string& path) {
    return load_ole_picture(path.c_str(), picture_);
}

// The strip sits at the client origin, so its client rectangle is also its rectangle in the
// main window.
void BannerStrip::request_repaint() const {
    RECT strip{};
    if (GetClientRect(banner_static_, &strip))
        InvalidateRect(main_window_, &strip, FALSE);
}

bool BannerStrip::wait(int ms) const {
    return WaitForSingleObject(stop_.get(), static_cast<DWORD>(ms)) == WAIT_TIMEOUT;
}

void draw_banner_placeholder(HDC dc, HFONT gui_font) {
    static const char text[] = "加载中...";
    Rectangle(dc, 0, 0, 681, 80);
    const SelectScope font(dc, gui_font);
    TextOutA(dc, 8, 8, text, sizeof text - 1);
}
