// The one-line text watermark and the test whether a font can show Chinese.
#pragma once
#include <wand/MagickWand.h>

#include "settings/settings.h"

// The font files of the five Chinese face names the program knows, in the fonts folder.
extern char FontFilePaths[5][260];

void build_font_paths();
void select_watermark_font(DrawingWand* drawing, const char* face_name);
int draw_text_watermark(MagickWand* image, int h_direction, int h_margin, int v_direction,
                        int v_margin, const FontSpec& font, double opacity, const char* text);
int font_shows_chinese(const FontSpec& font);

// Where the text starts (x) and where its baseline lies (y), from the image size and the
// font metrics: m1 character height, m3 descender, m11 advance width.
struct TextPlacement {
    double x;
    double y;
};
TextPlacement place_text(double image_width, double image_height, double m1, double m3,
                         double m11, int h_direction, int h_margin, int v_direction,
                         int v_margin);
