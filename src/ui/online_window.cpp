#include "ui/online_window.h"

#include <iterator>

#include "core/captions.h"
#include "net/online_services.h"
#include "net/web_page.h"
#include "platform/win32_scopes.h"
#include "ui/window_helpers.h"

namespace {

// The strip's rectangle is 681 x 80 at 96 DPI.
void draw_banner_placeholder(HDC dc, int width, int height, HFONT gui_font) {
    static const wchar_t text[] = L"加载中...";
    Rectangle(dc, 0, 0, width, height);
    const SelectScope font(dc, gui_font);
    TextOutW(dc, 8, 8, text, static_cast<int>(std::size(text) - 1));
}

// Returns once the main window's thread handles messages, that is once start-up has ended and
// the window is shown. A question asked earlier would stand alone on the screen before the window
// appears, and the window it disables would refuse start-up's activation and focus.
void wait_for_startup_end(HWND main_window) {
    SendMessageW(main_window, WM_NULL, 0, 0);
}

} // namespace

bool WindowOnlineHost::ask_to_visit_update() {
    wait_for_startup_end(main_window_);
    return message_box(main_window_, "检查到新的版本，是否需要进入官网下载新版本？", NoticeCaption,
                       MB_ICONQUESTION | MB_YESNO) == IDYES;
}

// The strip sits at the client origin, so its client rectangle is also its rectangle in the
// main window.
void WindowOnlineHost::banner_changed() {
    RECT strip{};
    if (GetClientRect(banner_static_, &strip))
        InvalidateRect(main_window_, &strip, FALSE);
}

void WindowOnlineHost::banner_undecodable() {
    message_box(nullptr, "Call OleLoadPicture Fail", PictureErrorCaption, MB_OK);
}

void WindowOnlineHost::thread_not_started() {
    message_box(main_window_, "启动线程失败", NoticeCaption, MB_ICONERROR);
    ExitProcess(static_cast<UINT>(-1));
}

BannerRotation* start_online_services(HWND main_window, HWND banner_static) {
    static WindowOnlineHost host(main_window, banner_static);
    return start_online_services(host);
}

void paint_banner_strip(HWND banner_static, HFONT gui_font, const BannerRotation* banners) {
    const PaintScope paint(banner_static);
    RECT client{};
    GetClientRect(banner_static, &client);
    draw_banner_strip(paint.dc(), client.right, client.bottom, gui_font, banners);
}

void draw_banner_strip(HDC dc, int width, int height, HFONT gui_font,
                       const BannerRotation* banners) {
    if (!banners) {
        draw_banner_placeholder(dc, width, height, gui_font);
        return;
    }
    banners->with_picture([&](const OlePicture& picture) {
        if (picture)
            render_ole_picture(picture, dc, 0, 0, width, height);
        else
            draw_banner_placeholder(dc, width, height, gui_font);
    });
}

void open_banner_link(const BannerRotation* banners) {
    const std::string page = banners ? banners->clicked_page() : site_url("/");
    if (!page.empty())
        open_web_page(page.c_str());
}
