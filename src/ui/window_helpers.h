// Small window operations that start-up and the main window share, and the program's text
// (UTF-8) in and out of windows, which hold UTF-16.
#pragma once
#include <string>
#include <string_view>

#include <windows.h>

#include "platform/unique_handle.h"
#include "ui/window_geometry.h"

// How a child control of a window's table is made: its class, its text, its identifier, its
// style on top of WS_CHILD | WS_VISIBLE, whether it has a client edge, and its rectangle in the
// 96-DPI layout.
struct ChildLayout {
    const wchar_t* class_name;
    const char* text;
    int id;
    DWORD style;
    bool client_edge;
    LayoutRect rect;
};

// The control made in parent, at its rectangle scaled to dpi.
HWND create_child(const ChildLayout& layout, HWND parent, HINSTANCE instance, int dpi);
// The control moved to its rectangle scaled to dpi.
void place_child(HWND control, const ChildLayout& layout, int dpi);

void set_window_text(HWND window, std::string_view text);

// The window's whole text.
std::string window_text(HWND window);

// The window's text as a read through a buffer of buffer_size UTF-16 units sees it.
std::string window_text(HWND window, int buffer_size);

int message_box(HWND owner, std::string_view text, std::string_view caption, UINT style);

// The DPI of the window's monitor; the desktop's where the system has no DPI per window
// (Windows 7, or a program the system scales itself).
int window_dpi(HWND window);

// Leaves a dialog's layout and fonts to the dialog itself when it moves to a display of another
// DPI, where the system would otherwise scale them too.
void lay_out_dialog_on_dpi_change_itself(HWND dialog);

// Sizes the window to width x height of the 96-DPI layout at dpi, then corrects its outer
// height so that its client area is height - 44 of that layout high; returns the correction
// (0 when none was needed).
int fit_client_height(HWND window, int width, int height, int dpi);

void center_on_screen(HWND window, int dpi);

// Makes the window layered with the given colour key.
void set_layered_color_key(HWND window, COLORREF key, int alpha, DWORD flags);

// The interface font at dpi: "宋体" at the stock GUI font's height, scaled for the display.
unique_font create_gui_font(int dpi);

// Gives the window the font and redraws it.
void set_window_font(HWND window, HFONT font);

// Gives every child of parent the font.
void set_children_font(HWND parent, HFONT font);

// Enables or disables every child of parent except one.
void enable_children_except(HWND parent, HWND spared, bool enable);

// Sets the progress bar's range 0 .. maximum; above 65,535 through the 32-bit message, so
// that very large runs still show their true progress.
void set_progress_range(HWND progress_bar, int maximum);

// Registers a window class with the styles every window of the program has (redrawn when
// sized, double clicks), the arrow pointer and icon as its large and small icon.
bool register_window_class(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, HICON icon,
                           int background_colour);

// The system's pointer IDC_...: a number, alike for the narrow and the wide call.
HCURSOR system_cursor(LPCSTR id);

// Moves a window to the rectangle that WM_DPICHANGED suggests (its lParam).
void move_to_suggested_rect(HWND window, LPARAM suggested);
