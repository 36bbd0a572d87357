// The banners of the strip at the top of the main window: the table of banners that the product
// web site lists, the picture on show, and the threads that fetch the list, fall back to the
// stored picture and rotate the banners. What the strip looks like is the window's business.
#pragma once
#include <array>
#include <atomic>
#include <functional>
#include <mutex>
#include <string>

#include <windows.h>

#include "net/banner_list.h"
#include "net/online_host.h"
#include "platform/ole_picture.h"
#include "platform/unique_handle.h"

// Room of the table.
inline constexpr int MaxBanners = 4;
// The shortest time a banner stays on screen. A listed time of 0 would reload pictures without
// pause, a negative one would stop the rotation for weeks.
inline constexpr int ShortestDisplayTime = 500;

class BannerRotation {
  public:
    // host gets the repaint requests and the failures, and must outlive the rotation.
    explicit BannerRotation(OnlineHost& host);
    // Stops the threads and waits for them. The program's own rotation is never destroyed: it
    // runs until the process ends.
    ~BannerRotation();
    BannerRotation(const BannerRotation&) = delete;
    BannerRotation& operator=(const BannerRotation&) = delete;

    // Starts banner_thread; false when it cannot be started.
    bool start();

    // Calls show with the picture on show, empty while there is none; no replacement of the
    // picture overlaps the call.
    void with_picture(const std::function<void(const OlePicture&)>& show) const;

    // The page a click on the strip opens: the link of the banner on show, or the site's home
    // page while none has been shown; empty for a banner whose link is not a web link.
    std::string clicked_page() const;

    int count() const { return count_; }
    int current_index() const { return current_; }
    bool connected() const { return connected_; }

  private:
    struct Banner {
        std::string image_path;
        std::string link; // empty when the listed link may not be opened
        int display_time = 0;
    };

    static DWORD WINAPI banner_thread(void* rotation);
    static DWORD WINAPI banner_fallback_thread(void* rotation);
    static DWORD WINAPI banner_rotation_thread(void* rotation);
    void run_banner_thread();
    void run_fallback();
    void run_rotation();

    void fetch_banner_list();
    void add_banner(const BannerListEntry& entry);
    void load_banner_picture(const std::string& path);
    void show_default_banner();
    PictureLoad replace_picture(const std::string& path);
    void report_load(PictureLoad result) const;
    // Waits for ms milliseconds; false when the rotation is being stopped meanwhile.
    bool wait(int ms) const;

    OnlineHost& host_;

    // Written only by banner_thread, complete before the rotation starts.
    std::array<Banner, MaxBanners> table_;
    std::atomic<int> count_{0};
    std::atomic<int> current_{-1};
    std::atomic<bool> connected_{false};

    // A replacement of the picture (release of the old, load of the new) never overlaps a paint
    // or another replacement.
    mutable std::mutex picture_lock_;
    OlePicture picture_;

    unique_handle stop_; // manual-reset event
    unique_handle banner_thread_, fallback_thread_, rotation_thread_;
};
