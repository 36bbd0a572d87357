// What the main window calls of the online services.
//
// Start-up, once the main window and all its controls exist (before the settings are loaded):
//     start_online_services(MainWindow, BannerStatic);
// WM_PAINT of the main window with the banner repaint flag set, after
// InvalidateRect(MainWindow, client rectangle of BannerStatic, FALSE):
//     paint_banner_strip(BannerStatic, GuiFont);
// WM_COMMAND from BannerStatic:
//     open_banner_link();
// The menu's pages and "/unzip.html": open_site_page (net/web_page.h).
#pragma once
#include <windows.h>

#include "platform/unique_handle.h"

// Starts update_check_thread, then banner_thread. main_window owns their message boxes and gets
// the strip's repaint requests; banner_static is the strip. When a thread cannot be started,
// "启动线程失败" is shown and the process ends with exit code -1.
void start_online_services(HWND main_window, HWND banner_static);

// BeginPaint on banner_static, the banner on show stretched over it (or the placeholder with
// "加载中..." while there is none), EndPaint.
void paint_banner_strip(HWND banner_static, HFONT gui_font);

// The click on the strip: opens the link of the banner on show, or the site's home page while
// no banner has been shown.
void open_banner_link();

// Starts a thread of the online services; when that fails, tells the user and ends the process
// with exit code -1.
unique_handle start_service_thread(LPTHREAD_START_ROUTINE procedure, void* argument,
                                   HWND main_window);
