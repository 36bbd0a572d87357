// The banner strip at the top of the main window: the table of banners that the product web
// site lists, the picture on show, and the threads that fetch the list, fall back to the stored
// picture and rotate the banners.
#pragma once
#include <array>
#include <atomic>
#include <mutex>
#include <string>

#include <windows.h>

#include "net/banner_list.h"
#include "platform/ole_picture.h"
#include "platform/unique_handle.h"

// Room of the table.
inline constexpr int MaxBanners = 4;
// The shortest time a banner stays on screen. A listed time of 0 would reload pictures without
// pause, a negative one would stop the rotation for weeks.
inline constexpr int ShortestDisplayTime = 500;

class BannerStrip {
  public:
    // main_window owns the strip's message boxes and gets its repaint requests; banner_static is
    // the strip's own control, whose client rectangle is the strip's rectangle in main_window.
    BannerStrip(HWND main_window, HWND banner_static);
    // Stops the threads and waits for them. The program's own strip is never destroyed: its
    // rotation runs until the process ends.
    ~BannerStrip();
    BannerStrip(const BannerStrip&) = delete;
    BannerStrip& operator=(const BannerStrip&) = delete;

    // Starts banner_thread; false when it cannot be started.
    bool start();

    // BeginPaint on the strip's control, then draw, then EndPaint.
    void paint(HFONT gui_font);
    // The picture stretched over (0, 0, width, height), or while there is none the placeholder.
    void draw(HDC dc, int width, int height, HFONT gui_font);
    // The click: the link of the banner on show, or the site's home page while none has been
    // shown. A banner whose link is not a web link opens nothing.
    void open_link() const;

    int count() const { return count_; }
    int current_index() const { return current_; }
    bool connected() const { return connected_; }

  private:
    struct Banner {
        std::string image_path;
        std::string link; // empty when the listed link may not be opened
        int display_time = 0;
    };

    static DWORD WINAPI banner_thread(void* strip);
    static DWORD WINAPI banner_fallback_thread(void* strip);
    static DWORD WINAPI banner_rotation_thread(void* strip);
    void run_banner_thread();
    void run_fallback();
    void run_rotation();

    void fetch_banner_list();
    void add_banner(const BannerListEntry& entry);
    void load_banner_picture(const std::string& path);
    void show_default_banner();
    PictureLoad replace_picture(const std::string& path);
    void request_repaint() const;
    // Waits for ms milliseconds; false when the strip is being stopped meanwhile.
    bool wait(int ms) const;

    const HWND main_window_;
    const HWND banner_static_;

    // Written only by banner_thread, complete before the rotation starts.
    std::array<Banner, MaxBanners> table_;
    std::atomic<int> count_{0};
    std::atomic<int> current_{-1};
    std::atomic<bool> connected_{false};

    // A replacement of the picture (release of the old, load of the new) never overlaps a paint
    // or another replacement.
    std::mutex picture_lock_;
    OlePicture picture_;

    unique_handle stop_; // manual-reset event
    unique_handle banner_thread_, fallback_thread_, rotation_thread_;
};

// Draws the strip's placeholder: a bordered 681 x 80 rectangle with "加载中...".
void draw_banner_placeholder(HDC dc, HFONT gui_font);
