// The online services as the main window shows them: the banner strip's painting and its
// click, the update question and the services' message boxes.
#pragma once
#include <windows.h>

#include "net/banner_rotation.h"
#include "net/online_host.h"

// The main window as host of the online services; every message box is owned by it.
class WindowOnlineHost final : public OnlineHost {
  public:
    // banner_static is the strip's control, whose client rectangle is the strip's rectangle in
    // main_window.
    WindowOnlineHost(HWND main_window, HWND banner_static)
        : main_window_(main_window), banner_static_(banner_static) {}

    bool ask_to_visit_update() override;
    void banner_changed() override;
    void banner_undecodable() override;
    [[noreturn]] void thread_not_started() override;

  private:
    HWND main_window_;
    HWND banner_static_;
};

// Starts update_check_thread, then the banners, for the strip banner_static of main_window.
// When a thread cannot be started, "启动线程失败" is shown and the process ends with exit code
// -1. The host and the rotation live until the process ends.
BannerRotation* start_online_services(HWND main_window, HWND banner_static);

// BeginPaint on banner_static, draw_banner_strip over its client area, EndPaint.
void paint_banner_strip(HWND banner_static, HFONT gui_font, const BannerRotation* banners);

// The picture on show stretched over (0, 0, width, height), or while there is none (or no
// rotation yet) the placeholder: the rectangle bordered, with "加载中...".
void draw_banner_strip(HDC dc, int width, int height, HFONT gui_font,
                       const BannerRotation* banners);

// The click on the strip: opens the link of the banner on show, or the site's home page while
// no banner has been shown (or the services have not started). A banner whose link is not a
// web link opens nothing.
void open_banner_link(const BannerRotation* banners);
