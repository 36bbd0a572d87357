#include "ui/window_geometry.h"

int scale_to_dpi(int value, int dpi) {
    const long long product = static_cast<long long>(value) * dpi;
    const long long half = product < 0 ? -LayoutDpi / 2 : LayoutDpi / 2;
    return static_cast<int>((product + half) / LayoutDpi); // division truncates towards zero
}

LayoutRect scale_rect(const LayoutRect& rect, int dpi) {
    const int left = scale_to_dpi(rect.x, dpi), top = scale_to_dpi(rect.y, dpi);
    return {left, top, scale_to_dpi(rect.x + rect.width, dpi) - left,
            scale_to_dpi(rect.y + rect.height, dpi) - top};
}

ScreenPoint centered_position(int screen_width, int maximized_height, int client_width,
                              int client_height, int dpi) {
    return {(screen_width - client_width) / 2,
            (maximized_height - client_height) / 2 - scale_to_dpi(26, dpi)};
}

int gui_font_height(int stock_height, int dpi) {
    if (dpi <= 96)
        return stock_height;
    // The scale is held in single precision on purpose: 120 DPI gives 1.25 exactly enough
    // that a stock height of -11 becomes -8.
    const float scale = 1 + (dpi - 96) * 1.041666f / 100;
    return static_cast<int>(stock_height / scale);
}
