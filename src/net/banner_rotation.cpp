#include "net/banner_rotation.h"

#include <algorithm>

#include "base/program.h"
#include "net/download.h"
#include "net/http_connection.h"
#include "net/http_message.h"
#include "net/site_host.h"
#include "net/web_page.h"
#include "platform/file_system.h"
#include "platform/win32_scopes.h"

namespace {

constexpr std::size_t ListAnswerSize = 4096;
constexpr std::size_t MaxLocalPath = 511;
constexpr int FallbackDelay = 3000;

std::string images_file(const std::string& name) {
    return program_file_path("images") + "\\" + name;
}

// Runs one of the rotation's threads. Each loads pictures through OLE, so each joins COM; none
// has a message loop, hence the multithreaded apartment.
template <void (BannerRotation::*Run)()> DWORD run_thread(BannerRotation* rotation) {
    try {
        const ComScope com(COINIT_MULTITHREADED);
        (rotation->*Run)();
    } catch (...) {
        // Nothing unwinds into the system's thread start; the strip keeps what it shows.
    }
    return 0;
}

} // namespace

BannerRotation::BannerRotation(OnlineHost& host)
    : host_(host), stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

BannerRotation::~BannerRotation() {
    SetEvent(stop_.get());
    // The helpers' handles are set by banner_thread, so it is waited for first.
    for (const unique_handle* thread : {&banner_thread_, &fallback_thread_, &rotation_thread_})
        if (*thread)
            WaitForSingleObject(thread->get(), INFINITE);
}

bool BannerRotation::start() {
    if (!stop_)
        return false;
    banner_thread_ = start_thread(banner_thread, this);
    return static_cast<bool>(banner_thread_);
}

void BannerRotation::with_picture(const std::function<void(const OlePicture&)>& show) const {
    const std::lock_guard<std::mutex> guard(picture_lock_);
    show(picture_);
}

std::string BannerRotation::clicked_page() const {
    const int index = current_;
    return index < 0 ? site_url("/") : table_[index].link;
}

DWORD WINAPI BannerRotation::banner_thread(void* rotation) {
    return run_thread<&BannerRotation::run_banner_thread>(static_cast<BannerRotation*>(rotation));
}

DWORD WINAPI BannerRotation::banner_fallback_thread(void* rotation) {
    return run_thread<&BannerRotation::run_fallback>(static_cast<BannerRotation*>(rotation));
}

DWORD WINAPI BannerRotation::banner_rotation_thread(void* rotation) {
    return run_thread<&BannerRotation::run_rotation>(static_cast<BannerRotation*>(rotation));
}

void BannerRotation::run_banner_thread() {
    fallback_thread_ = start_service_thread(banner_fallback_thread, this, host_);
    fetch_banner_list();
    if (count_ <= 0) {
        show_default_banner();
        return;
    }
    if (wait(0))
        rotation_thread_ = start_service_thread(banner_rotation_thread, this, host_);
}

// A site that does not even accept the connection within three seconds still leaves the stored
// picture on screen; a list that arrives later replaces it through the rotation.
void BannerRotation::run_fallback() {
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
    host_.banner_changed();
}

void BannerRotation::run_rotation() {
    const int count = count_;
    for (int index = 0; index < count; index = (index + 1) % count) {
        current_ = index;
        // The file is read again each time its turn comes.
        load_banner_picture(table_[index].image_path);
        host_.banner_changed();
        if (count == 1 || !wait(std::max(table_[index].display_time, ShortestDisplayTime)))
            return;
    }
}

void BannerRotation::fetch_banner_list() {
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

void BannerRotation::add_banner(const BannerListEntry& entry) {
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

void BannerRotation::load_banner_picture(const std::string& path) {
    PictureLoad result;
    {
        const std::lock_guard<std::mutex> guard(picture_lock_);
        result = replace_picture(path);
    }
    report_load(result);
}

void BannerRotation::show_default_banner() {
    load_banner_picture(images_file("picture.jpg"));
    host_.banner_changed();
}

PictureLoad BannerRotation::replace_picture(const std::string& path) {
    return load_ole_picture(path.c_str(), picture_);
}

// A picture that cannot be decoded is reported each time its turn comes; the strip shows the
// placeholder meanwhile. Told outside the picture lock, so that painting goes on.
void BannerRotation::report_load(PictureLoad result) const {
    if (result == PictureLoad::undecodable)
        host_.banner_undecodable();
}

bool BannerRotation::wait(int ms) const {
    return WaitForSingleObject(stop_.get(), static_cast<DWORD>(ms)) == WAIT_TIMEOUT;
}
