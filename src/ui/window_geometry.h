// The arithmetic of the main window's size and place and of its interface font.
#pragma once

// The layout is drawn at 96 DPI; every length of it is scaled to the window's DPI.
constexpr int LayoutDpi = 96;

// A length or coordinate of the 96-DPI layout at dpi: value * dpi / 96 rounded to the nearest
// integer, halves away from zero (as MulDiv rounds). Exact at 96 DPI.
int scale_to_dpi(int value, int dpi);

// A rectangle: left, top, width and height.
struct LayoutRect {
    int x;
    int y;
    int width;
    int height;
};

// A rectangle of the 96-DPI layout at dpi. Its edges are scaled, not its size, so that
// rectangles that touch at 96 DPI still touch, and the size is what lies between the edges.
LayoutRect scale_rect(const LayoutRect& rect, int dpi);

// Where the main window's top-left corner goes so that it sits in the middle of the screen.
struct ScreenPoint {
    int x;
    int y;
};
ScreenPoint centered_position(int screen_width, int maximized_height, int client_width,
                              int client_height, int dpi);

// The interface font's height in the 96-DPI layout: above 96 DPI the stock height, which the
// system gives at its own DPI, shrinks by the display's scale.
int gui_font_height(int stock_height, int dpi);
