// The one-line text watermark and the test whether a font can show Chinese.
#pragma once
#include <string>

#include <wand/MagickWand.h>

#include "imaging/geometry.h"
#include "settings/settings.h"

// A text watermark as the library draws it: the text in UTF-8, its font found and the text
// measured in it once, for every picture it goes on.
struct WatermarkText {
    std::string text;
    std::string font_file; // in the library's form; empty when the library is to look up...
    std::string family;    // ...this family (UTF-8) itself
    double size = 0;
    bool bold = false, italic = false;
    std::string colour; // "#rrggbb"
    double opacity = 1.0;
    bool measured = false; // false when the library can use no font for it
    double character_height = 0, descender = 0, advance_width = 0;
};
// text and the face, size, style and colour of font. Asks the system for font files and
// measures the text, with the library running: call it once, not for every picture.
WatermarkText prepare_text_watermark(const FontSpec& font, double opacity, const char* text);

// The text at the size that makes its character height character_height pixels: the font's
// measures grow with its size, so it needs no new measure.
WatermarkText scaled_text(const WatermarkText& text, double character_height);

// False when nothing was drawn: no drawing wand, no font the library can use, or the library
// refused the text.
bool draw_text_watermark(MagickWand* image, const WatermarkText& text, int h_direction,
                         int h_margin, int v_direction, int v_margin);
int font_shows_chinese(const FontSpec& font);
