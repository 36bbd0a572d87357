#include "net/online_services.h"

#include "net/banner_strip.h"
#include "net/update_check.h"
#include "net/web_page.h"
#include "platform/win32_scopes.h"
#include "platform/thread.h"

namespace {

// Created at start-up and never destroyed: the banner table lives and the rotation runs until
// the process ends. Only the main thread sets it.
BannerStrip* TheBannerStrip = nullptr;

[[noreturn]] void end_without_thread(HWND main_window) {
    MessageBoxA(main_window, "启动线程失败", "提示", MB_ICONERROR);
    ExitProcess(static_cast<UINT>(-1));
}

} // namespace

unique_handle start_service_thread(LPTHREAD_START_ROUTINE procedure, void* argument,
                                   HWND main_window) {
    unique_handle thread = start_thread(procedure, argument);
    if (!thread)
        end_without_thread(main_window);
    return thread;
}

void start_online_services(HWND main_window, HWND banner_static) {
    start_service_thread(update_check_thread, main_window, main_window);
    TheBannerStrip = new BannerStrip(main_window, banner_static);
    if (!TheBannerStrip->start())
        end_without_thread(main_window);
}

void paint_banner_strip(HWND banner_static, HFONT gui_font) {
    if (TheBannerStrip) {
        TheBannerStrip->paint(gui_font);
        return;
    }
    const PaintScope paint(banner_static);
    draw_banner_placeholder(paint.dc(), gui_font);
}

void open_banner_link() {
    if (TheBannerStrip)
        TheBannerStrip->open_link();
    else
        open_site_page("/");
}
