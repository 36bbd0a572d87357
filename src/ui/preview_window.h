// The preview window: one picture file at its natural size, centred in a one-pixel frame when
// it fits, scrollable when it does not. Closing it only hides it.
#pragma once
#include <windows.h>

// The top-level window of class "Preview"; null until create_preview_window.
extern HWND PreviewWindow;

// Registers the class and creates the window hidden, sized for dpi, with its picture surface
// (a 2 x 2 static child whose device context gives the resolution); returns the surface, or
// null when the class cannot be registered.
HWND create_preview_window(HINSTANCE instance, HICON icon, int dpi);

// Loads the picture file (a program path) into memory, so that no handle on the file is kept,
// and brings the window up scrolled to the top left: maximised when it was hidden, restored
// when minimised. A file that cannot be read leaves the window empty; one that cannot be decoded
// is reported first.
void show_preview(const char* path);

LRESULT CALLBACK preview_wnd_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
