#include "ui/window_geometry.h"

int client_height_correction(int height, int client_bottom) {
    return height - client_bottom - 44;
}

ScreenPoint centered_position(int screen_width, int maximized_height, int client_width,
                              int client_height) {
    return {(screen_width - client_width) / 2, (maximized_height - client_height) / 2 - 26};
}

int gui_font_height(int stock_height, int dpi) {
    if (dpi <= 96)
        return stock_height;
    // The scale is held in single precision on purpose: 120 DPI gives 1.25 exactly enough
    // that a stock height of -11 becomes -8.
    const float scale = 1 + (dpi - 96) * 1.041666f / 100;
    return static_cast<int>(stock_height / scale);
}
