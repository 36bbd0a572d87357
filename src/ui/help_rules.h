// The window-free rules of the context help: the help texts, the lines a text is drawn in and
// the geometry of the pop-up that shows it.
#pragma once
#include <string>
#include <vector>

// The help table has one row per group of controls, numbered from 1.
constexpr int HelpTextCount = 18;

// The text of a row (1 to HelpTextCount), or nullptr for any other number.
const char* help_text(int row);

// The 更多设置 dialog's help table: one row per step, then its buttons, numbered from 1.
constexpr int MoreSettingsHelpCount = 11;

// The text of a row of the dialog (1 to MoreSettingsHelpCount), or nullptr for any other number.
const char* more_settings_help_text(int row);

// The longest line the pop-up draws, in bytes.
constexpr int HelpLineLimit = 127;

// The text split at "\n"; a longer line is cut to HelpLineLimit bytes without splitting a
// double-byte character.
std::vector<std::string> help_lines(const char* text);

// The pop-up's geometry is that of the 96-DPI layout scaled to the window's DPI.

// The pop-up's outer width and the width of its box; the rest is the shadow. At 96 DPI.
constexpr int HelpPopupWidth = 326;
constexpr int HelpBoxWidth = 320;
int help_popup_width(int dpi);
int help_box_width(int dpi);

// The pop-up's height for a text of this many lines, text_height being the height the
// interface font measures; always odd.
int help_popup_height(int text_height, int lines, int dpi);

// The top of line k (from 0) inside the pop-up.
int help_line_top(int text_height, int k, int dpi);

// Where the pop-up goes for a help request at the screen point (x, y).
struct HelpPopupPlace {
    int left;
    int top;
};
HelpPopupPlace help_popup_place(int x, int y, int height, int screen_width, int maximized_height,
                                int dpi);

// The pixels of the pop-up's shadow, a checkerboard six pixels wide at 96 DPI below and right
// of the box.
struct ShadowPixel {
    int x;
    int y;
};
std::vector<ShadowPixel> help_shadow_pixels(int height, int dpi);
