// Context help: F1 or a click in help mode shows the help text of the control under the mouse
// pointer in HelpPopup, beside the pointer.
#pragma once
#include <windows.h>

#include "ui/app.h"

// The help request of the main window: the pointer's position decides, not the request's data.
void show_context_help(App& app);

// The "?" of the menu bar: the pointer becomes the help pointer, and the next click on the main
// window asks for help on what lies under it instead of working the control.
void enter_help_mode(App& app);
// A left click on the main window; true when it was the click of the help mode, which it ends.
bool help_mode_click(App& app);
// The main window lost the mouse: the help mode, if on, ends without help.
void end_help_mode(App& app);

// The help text of the main window's control at a point of its client area, or nullptr where
// there is none. A group box's caption gives the help of the check box that lies on it.
const char* help_text_at(const App& app, POINT client_point);

// Places, shows and draws HelpPopup with the text for the screen point (x, y).
void show_help_popup(App& app, const char* text, int x, int y);

// Draws the pop-up's box, shadow and text in the interface font on dc, height pixels high, laid
// out for dpi.
void draw_help_popup(HDC dc, HFONT gui_font, const char* text, int height, int dpi);

// WM_PAINT of HelpPopup: draws the text it shows.
void paint_help_popup(const App& app);
