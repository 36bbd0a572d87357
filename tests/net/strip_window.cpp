#include "net/strip_window.h"

#include <cstdlib>
#include <stdexcept>

#include "net/banner_rotation.h"
#include "net/net_test_support.h"
#include "platform/win32_scopes.h"
#include "ui/online_window.h"

namespace {

const char ClassName[] = "OmbrelBannerTest";

struct Colour {
    int r, g, b;
};

Colour colour_at(HDC dc, int x, int y) {
    const COLORREF c = GetPixel(dc, x, y);
    return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

// Within the tolerance that JPEG leaves on flat colours.
bool close_to(Colour c, int r, int g, int b) {
    return std::abs(c.r - r) < 60 && std::abs(c.g - g) < 60 && std::abs(c.b - b) < 60;
}

// Dark pixels where "加载中..." is written.
bool has_text_at_top_left(HDC dc) {
    for (int y = 8; y < 24; ++y)
        for (int x = 8; x < 70; ++x)
            if (close_to(colour_at(dc, x, y), 0, 0, 0))
                return true;
    return false;
}

} // namespace

const char* look_name(Look look) {
    switch (look) {
    case Look::placeholder:
        return "placeholder";
    case Look::red:
        return "red";
    case Look::green:
        return "green";
    case Look::blue:
        return "blue";
    case Look::yellow:
        return "yellow";
    case Look::red_over_blue:
        return "red over blue";
    case Look::other:
        break;
    }
    return "other";
}

Look look_of(HDC dc) {
    const Colour top = colour_at(dc, 340, 3), middle = colour_at(dc, 340, 40),
                 bottom = colour_at(dc, 340, 76);
    if (close_to(middle, 255, 255, 255) && close_to(colour_at(dc, 0, 40), 0, 0, 0) &&
        close_to(colour_at(dc, 680, 40), 0, 0, 0) && has_text_at_top_left(dc))
        return Look::placeholder;
    if (close_to(top, 255, 0, 0) && close_to(bottom, 0, 0, 255))
        return Look::red_over_blue;
    const struct {
        Look look;
        int r, g, b;
    } solids[] = {{Look::red, 255, 0, 0},
                  {Look::green, 0, 128, 0},
                  {Look::blue, 0, 0, 255},
                  {Look::yellow, 255, 255, 0}};
    for (const auto& s : solids)
        if (close_to(top, s.r, s.g, s.b) && close_to(middle, s.r, s.g, s.b) &&
            close_to(bottom, s.r, s.g, s.b))
            return s.look;
    return Look::other;
}

StripWindow::StripWindow() {
    WNDCLASSEXA window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = window_proc;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = ClassName;
    RegisterClassExA(&window_class); // fails harmlessly when a test before registered it
    main_ = CreateWindowExA(0, ClassName, "Ombrel", WS_POPUP | WS_VISIBLE, 0, 0, 681, 80, nullptr,
                            nullptr, GetModuleHandleA(nullptr), this);
    if (!main_)
        throw std::runtime_error(
            "cannot create a window: the tests need a display, and the Wine session's desktop "
            "process must have one too (run scripts/test, or end the test prefix's session "
            "with wineserver -k first)");
    strip_ = CreateWindowExA(0, "STATIC", "图片", WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_NOTIFY, 0,
                             0, 681, 80, main_, nullptr, GetModuleHandleA(nullptr), nullptr);
}

StripWindow::~StripWindow() {
    if (main_)
        DestroyWindow(main_);
}

LRESULT CALLBACK StripWindow::window_proc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(l)->lpCreateParams));
    auto* self = reinterpret_cast<StripWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_PAINT && self) {
        self->on_paint();
        return 0;
    }
    return DefWindowProcA(window, message, w, l);
}

// Draws the watched strip into a bitmap of the strip's size and tells what it shows.
void StripWindow::on_paint() {
    const PaintScope paint(main_);
    if (!watched_)
        return;
    const HDC memory = CreateCompatibleDC(paint.dc());
    const HBITMAP bitmap = CreateCompatibleBitmap(paint.dc(), 681, 80);
    {
        const SelectScope selected(memory, bitmap);
        draw_banner_strip(memory, 681, 80, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)),
                          watched_);
        paints_.push_back({now_ms(), look_of(memory)});
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
}

unsigned long StripWindow::wait_for_look(Look look, unsigned timeout_ms, std::size_t after) {
    unsigned long at = 0;
    pump_messages_until(
        [&] {
            for (std::size_t i = after; i < paints_.size(); ++i)
                if (paints_[i].look == look) {
                    at = paints_[i].at;
                    return true;
                }
            return false;
        },
        timeout_ms);
    return at;
}

bool StripWindow::wait_for_paints(std::size_t count, unsigned timeout_ms) {
    return pump_messages_until([&] { return paints_.size() >= count; }, timeout_ms);
}
