// Where the parts that are still being built connect to the window: the previews and the
// context help. Each function here is the exact place of the call; until its part lands it
// does nothing.
#pragma once
#include <windows.h>

// Context help: F1 or a click in help mode over the main window.
void show_context_help();

// Watermark previews and the preview window.
void preview_text_watermark();
void preview_image_watermark();
void create_preview_window(HINSTANCE instance, HICON icon);
