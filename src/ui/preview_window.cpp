#include "ui/preview_window.h"

#include "core/captions.h"
#include "platform/ole_picture.h"
#include "platform/win32_scopes.h"
#include "ui/preview_geometry.h"
#include "ui/window_geometry.h"
#include "ui/window_helpers.h"

HWND PreviewWindow;

namespace {

constexpr wchar_t PreviewClass[] = L"Preview";
constexpr int PictureSurfaceId = 38000;

// What the window shows, owned by the window (its user data): made with it, deleted with it.
struct PreviewView {
    HWND surface = nullptr;
    OlePicture picture;
    SIZE pixels{}; // the picture's natural size on this display
};

PreviewView* view_of(HWND window) {
    return reinterpret_cast<PreviewView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void release_picture(PreviewView& view) {
    view.picture = OlePicture{};
    view.pixels = {};
}

// The natural size is the picture's HIMETRIC size at the display's resolution.
void load_preview_picture(PreviewView& view, const char* path) {
    release_picture(view);
    if (load_ole_picture(path, view.picture) == PictureLoad::undecodable) {
        message_box(nullptr, "Call OleLoadPicture Fail", PictureErrorCaption, MB_OK);
        return;
    }
    if (!view.picture)
        return; // a missing or unreadable file shows an empty window, without a word
    const WindowDC surface(view.surface);
    view.pixels.cx = MulDiv(view.picture.width, GetDeviceCaps(surface.get(), LOGPIXELSX), 2540);
    view.pixels.cy = MulDiv(view.picture.height, GetDeviceCaps(surface.get(), LOGPIXELSY), 2540);
}

SCROLLINFO scroll_info_with(UINT mask) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = mask;
    return info;
}

SIZE client_size() {
    RECT client;
    GetClientRect(PreviewWindow, &client);
    return {client.right, client.bottom};
}

void set_scroll_range(int bar, int client_extent, int picture_extent) {
    const PreviewScrollRange range = preview_scroll_range(client_extent, picture_extent);
    SCROLLINFO info = scroll_info_with(SIF_RANGE | SIF_PAGE);
    info.nMin = range.minimum;
    info.nMax = range.maximum;
    info.nPage = range.page;
    SetScrollInfo(PreviewWindow, bar, &info, TRUE);
}

// The vertical bar is set with the client height measured after the horizontal bar has come
// or gone; the platform keeps each position within its new range.
void update_preview_scrollbars(const PreviewView& view) {
    set_scroll_range(SB_HORZ, client_size().cx, view.pixels.cx);
    set_scroll_range(SB_VERT, client_size().cy, view.pixels.cy);
}

SCROLLINFO scroll_info(int bar) {
    SCROLLINFO info = scroll_info_with(SIF_ALL);
    GetScrollInfo(PreviewWindow, bar, &info);
    return info;
}

void set_scroll_position(int bar, int position) {
    SCROLLINFO info = scroll_info_with(SIF_POS);
    info.nPos = position;
    SetScrollInfo(PreviewWindow, bar, &info, TRUE);
}

void redraw() {
    InvalidateRect(PreviewWindow, nullptr, FALSE);
}

// Everything is drawn here, background included, so that neither a scroll nor a smaller
// picture after a larger one leaves anything of the earlier view behind, and nothing flickers.
void paint_preview(const PreviewView& view, HDC dc) {
    const SIZE client = client_size();
    const RECT all{0, 0, client.cx, client.cy};
    if (!view.picture) {
        FillRect(dc, &all, GetSysColorBrush(COLOR_WINDOW));
        return;
    }
    const int pw = view.pixels.cx, ph = view.pixels.cy;
    const int x = preview_frame_offset(client.cx, pw, scroll_info(SB_HORZ).nPos);
    const int y = preview_frame_offset(client.cy, ph, scroll_info(SB_VERT).nPos);

    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, x, y, x + pw + 2, y + ph + 2);
    FillRect(dc, &all, GetSysColorBrush(COLOR_WINDOW));
    RestoreDC(dc, saved);

    // Each line stops short of its end point, hence the + 2 of the last one.
    const SelectScope pen(dc, GetStockObject(BLACK_PEN));
    MoveToEx(dc, x, y, nullptr);
    LineTo(dc, x, y + ph + 1);
    MoveToEx(dc, x, y, nullptr);
    LineTo(dc, x + pw + 1, y);
    MoveToEx(dc, x + pw + 1, y, nullptr);
    LineTo(dc, x + pw + 1, y + ph + 1);
    MoveToEx(dc, x, y + ph + 1, nullptr);
    LineTo(dc, x + pw + 2, y + ph + 1);
    render_ole_picture(view.picture, dc, x + 1, y + 1, pw, ph);
}

ScrollRequest scroll_request(int code) {
    switch (code) {
    case SB_LINEUP: // SB_LINELEFT
        return ScrollRequest::LineBack;
    case SB_LINEDOWN: // SB_LINERIGHT
        return ScrollRequest::LineForward;
    case SB_PAGEUP: // SB_PAGELEFT
        return ScrollRequest::PageBack;
    case SB_PAGEDOWN: // SB_PAGERIGHT
        return ScrollRequest::PageForward;
    case SB_THUMBTRACK:
        return ScrollRequest::Track;
    default:
        return ScrollRequest::Other;
    }
}

void on_scroll(int bar, int code) {
    const SCROLLINFO info = scroll_info(bar);
    if (const auto position = scrolled_position(scroll_request(code), info.nPos,
                                                static_cast<int>(info.nPage), info.nTrackPos))
        set_scroll_position(bar, *position);
    redraw();
}

void on_mouse_wheel(int delta) {
    const SCROLLINFO info = scroll_info(SB_VERT);
    if (info.nMax <= 0)
        return; // nothing to scroll
    set_scroll_position(SB_VERT, wheel_position(delta, info.nPos, info.nMin, info.nMax));
    redraw();
}

// A picture that fits after the resize is centred again.
void on_size(const PreviewView& view) {
    update_preview_scrollbars(view);
    redraw();
}

void on_paint(const PreviewView& view) {
    const PaintScope paint(PreviewWindow);
    paint_preview(view, paint.dc());
}

// The window is never destroyed: the next preview brings it back.
void on_close(PreviewView& view) {
    release_picture(view);
    ShowWindow(PreviewWindow, SW_HIDE);
}

// Messages that come before the view is attached (during creation) get the default handling.
LRESULT dispatch(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    PreviewView* view = view_of(window);
    if (!view)
        return DefWindowProcW(window, message, wparam, lparam);
    switch (message) {
    case WM_SIZE:
        on_size(*view);
        return 0;
    case WM_ERASEBKGND:
        return 1; // paint_preview draws the background itself
    case WM_PAINT:
        on_paint(*view);
        return 0;
    case WM_PRINTCLIENT:
        paint_preview(*view, reinterpret_cast<HDC>(wparam));
        return 0;
    case WM_CLOSE:
        on_close(*view);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        delete view;
        return DefWindowProcW(window, message, wparam, lparam);
    case WM_HSCROLL:
        on_scroll(SB_HORZ, LOWORD(wparam));
        return 0;
    case WM_VSCROLL:
        on_scroll(SB_VERT, LOWORD(wparam));
        return 0;
    case WM_MOUSEWHEEL:
        on_mouse_wheel(GET_WHEEL_DELTA_WPARAM(wparam));
        return 0;
    case WM_DPICHANGED:
        move_to_suggested_rect(window, lparam);
        return 0;
    default:
        return DefWindowProcW(window, message, wparam, lparam);
    }
}

} // namespace

HWND create_preview_window(HINSTANCE instance, HICON icon, int dpi) {
    if (!register_window_class(instance, PreviewClass, preview_wnd_proc, icon, COLOR_WINDOW))
        return nullptr;
    PreviewWindow = CreateWindowExW(0, PreviewClass, L"预览",
                                    WS_OVERLAPPED | WS_HSCROLL | WS_VSCROLL | WS_SYSMENU |
                                        WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
                                    CW_USEDEFAULT, CW_USEDEFAULT, scale_to_dpi(760, dpi),
                                    scale_to_dpi(580, dpi), nullptr, nullptr, instance, nullptr);
    if (!PreviewWindow)
        return nullptr;
    auto* view = new PreviewView; // the window owns it from here on
    view->surface = CreateWindowExW(
        0, L"static", L"图片", WS_CHILD | WS_VISIBLE | SS_BITMAP, 0, 0, 2, 2, PreviewWindow,
        reinterpret_cast<HMENU>(INT_PTR(PictureSurfaceId)), instance, nullptr);
    SetWindowLongPtrW(PreviewWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
    return view->surface;
}

void show_preview(const char* path) {
    PreviewView* view = view_of(PreviewWindow);
    if (!view)
        return;
    load_preview_picture(*view, path);
    update_preview_scrollbars(*view);
    set_scroll_position(SB_VERT, 0);
    set_scroll_position(SB_HORZ, 0);
    if (IsWindowVisible(PreviewWindow)) {
        if (!IsZoomed(PreviewWindow) && IsIconic(PreviewWindow))
            ShowWindow(PreviewWindow, SW_RESTORE);
        redraw();
    } else {
        ShowWindow(PreviewWindow, SW_SHOWMAXIMIZED);
    }
    SetActiveWindow(PreviewWindow);
}

LRESULT CALLBACK preview_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    try {
        return dispatch(window, message, wparam, lparam);
    } catch (...) {
        return 0; // nothing unwinds into the system's message dispatch
    }
}
