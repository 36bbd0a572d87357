// Small window operations that start-up and the main window share.
#pragma once
#include <windows.h>

// Corrects the window's outer height so that its client area is height - 44 pixels high;
// returns the change (0 when none was needed).
int fit_client_height(HWND window, int width, int height);

void center_on_screen(HWND window);

// Makes the window layered with the given colour key; SetLayeredWindowAttributes is looked
// up at run time, since older systems lack it.
void set_layered_color_key(HWND window, COLORREF key, int alpha, DWORD flags);

// The interface font: "宋体" at the stock GUI font's height, scaled for the display.
HFONT create_gui_font();

// Gives the window the font and redraws it.
void set_window_font(HWND window, HFONT font);

// Enables or disables every child of parent except one.
void enable_children_except(HWND parent, HWND spared, bool enable);

// Sets the progress bar's range 0 .. maximum; above 65,535 through the 32-bit message, so
// that very large runs still show their true progress.
void set_progress_range(HWND progress_bar, int maximum);

// Registers a window class with the styles every window of the program has (redrawn when
// sized, double clicks), the arrow pointer and icon as its large and small icon.
bool register_window_class(HINSTANCE instance, const char* name, WNDPROC procedure, HICON icon,
                           int background_colour);
