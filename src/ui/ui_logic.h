// The window-free rules of the main window and its start-up: texts it shows, names it
// proposes and the arithmetic of its geometry.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "settings/settings.h"

// "字体:%s, 大小:%d, 颜色:%s" and the style suffix, as FontEdit shows the watermark font.
std::string font_description(const FontSpec& font);

// "#rrggbb" in lowercase hexadecimal from a COLORREF (red in the low byte).
std::string html_color(uint32_t rgb);

// The first of source + "_处理后", "_处理后2", "_处理后3", … that is_taken refuses.
std::string propose_target_folder(const std::string& source,
                                  const std::function<bool(const std::string&)>& is_taken);

// The text of the About box: title, version and what the program does.
std::string about_text();

// A program folder with '$' and "\Temp\" lies in the temporary folder of an archive that
// was opened without unpacking it.
bool runs_from_unopened_archive(const std::string& folder);

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

// Equal texts when ASCII letters are compared without case, byte by byte as _strcmpi does:
// the registry value still names the program folder.
bool same_folder_nocase(const std::string& a, const std::string& b);

// "%s\\%s.lnk": the desktop shortcut's path.
std::string shortcut_path(const std::string& desktop_folder);
