// Window parts on their own: the progress bar of a long run and the scrolling preview window.
#include <windows.h>

#include <commctrl.h>

#include "support/win32_support.h"
#include "ui/preview_window.h"
#include "ui/window_helpers.h"

namespace {

void progress_ranges_above_65535() {
    INITCOMMONCONTROLSEX common{sizeof common, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&common);
    const HWND bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_POPUP, 0, 0, 100, 20, nullptr,
                                     nullptr, nullptr, nullptr);
    for (int maximum : {3, 65536, 2000000}) {
        set_progress_range(bar, maximum);
        check_equal(SendMessageA(bar, PBM_GETRANGE, FALSE, 0), maximum, "the range's end");
    }
    DestroyWindow(bar);
}

// The colour the preview window draws at a point of its client area.
COLORREF drawn_at(int x, int y) {
    RECT client;
    GetClientRect(PreviewWindow, &client);
    return drawn_pixel(
        [](HDC dc) { SendMessageA(PreviewWindow, WM_PRINTCLIENT, WPARAM(dc), PRF_CLIENT); },
        client.right, client.bottom, x, y);
}

const COLORREF Black = RGB(0, 0, 0), Orange = RGB(255, 165, 0);

int position(int bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    GetScrollInfo(PreviewWindow, bar, &info);
    return info.nPos;
}

void scroll(UINT message, int request, int times = 1) {
    for (int i = 0; i < times; ++i)
        SendMessageA(PreviewWindow, message, request, 0);
}

// An orange picture of 2000 x 1500 in its black one-pixel frame, larger than the window: lines,
// pages and the wheel move it, up to the frame's far lines at the last row and column.
void a_large_picture_scrolls_to_its_frame() {
    check(create_preview_window(GetModuleHandleW(nullptr), nullptr, 96), "no preview window");
    show_preview(test_picture_path("large.jpg").c_str());
    ShowWindow(PreviewWindow, SW_RESTORE);
    SetWindowPos(PreviewWindow, nullptr, 0, 0, 800, 600, SWP_NOZORDER);
    RECT client;
    GetClientRect(PreviewWindow, &client);
    check(near_colour(Black, drawn_at(0, 100)) && near_colour(Orange, drawn_at(1, 100)),
          "the frame at the left");
    scroll(WM_VSCROLL, SB_LINEDOWN, 5);
    check_equal(position(SB_VERT), 5, "five lines down");
    SendMessageA(PreviewWindow, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), 0);
    check_equal(position(SB_VERT), 55, "a step of the wheel");
    scroll(WM_VSCROLL, SB_PAGEDOWN);
    check_equal(position(SB_VERT), 55 + client.bottom, "a page down");
    for (int i = 0; i < 40; ++i)
        SendMessageA(PreviewWindow, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), 0);
    scroll(WM_HSCROLL, SB_PAGERIGHT, 5);
    const int right = client.right - 1, bottom = client.bottom - 1;
    check(near_colour(Black, drawn_at(100, bottom)) &&
              near_colour(Orange, drawn_at(100, bottom - 1)),
          "the frame's bottom line at the end");
    check(near_colour(Black, drawn_at(right, 100)) && near_colour(Orange, drawn_at(right - 1, 100)),
          "the frame's right line at the end");
}

const TestCase cases[] = {
    {"progress ranges above 65535", progress_ranges_above_65535},
    {"a large picture scrolls to its frame", a_large_picture_scrolls_to_its_frame},
};
const Registration registration(cases);

} // namespace
