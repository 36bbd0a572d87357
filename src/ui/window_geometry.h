// The arithmetic of the main window's size and place and of its interface font.
#pragma once

// The height change that gives a window of the given outer height a client area of
// outer height minus 44, given the client bottom it has now.
int client_height_correction(int height, int client_bottom);

// Where the main window's top-left corner goes so that it sits in the middle of the screen.
struct ScreenPoint {
    int x;
    int y;
};
ScreenPoint centered_position(int screen_width, int maximized_height, int client_width,
                              int client_height);

// The interface font's height: above 96 DPI the stock height shrinks by the display's scale.
int gui_font_height(int stock_height, int dpi);
