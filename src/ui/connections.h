// Where the parts that other work builds connect to the window. Each function here is the
// exact place of the call; until its part lands it does nothing, and says so.
#pragma once
#include <windows.h>

// Online services: opens a page of the product web site ("/", "/help.html", ...) in the
// browser through open_web_page.
void open_site_page(const char* page);

// Online services: starts update_check_thread and then banner_thread; false when either
// could not be started.
bool start_online_threads();

// Online services: draws the current banner picture stretched over the strip; false while
// there is none, so that the strip shows its placeholder.
bool render_banner_picture(HDC dc, int width, int height);

// Online services: a click on the banner strip opens the shown banner's link, or the home
// page while no banner has been shown.
void open_banner_link();

// Context help: F1 or a click in help mode over the main window.
void show_context_help();

// Watermark previews and the preview window.
void preview_text_watermark();
void preview_image_watermark();
void create_preview_window(HINSTANCE instance, HICON icon);

