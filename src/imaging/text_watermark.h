// The one-line text watermark and the test whether a font can show Chinese.
#pragma once
#include <wand/MagickWand.h>

#include "imaging/geometry.h"
#include "settings/settings.h"

// The font files of the five Chinese face names the program knows, in the fonts folder.
extern char FontFilePaths[5][260];

void build_font_paths();
// Set the drawing's weight and style first: a face the system has is taken in its bold or italic
// file.
void select_watermark_font(DrawingWand* drawing, const char* face_name);
// False when nothing was drawn: no drawing wand, no font the library can use, or the library
// refused the text.
bool draw_text_watermark(MagickWand* image, int h_direction, int h_margin, int v_direction,
                         int v_margin, const FontSpec& font, double opacity, const char* text);
int font_shows_chinese(const FontSpec& font);
