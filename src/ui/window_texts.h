// Texts the main window composes: the watermark font's description and the About box.
#pragma once
#include <string>

#include "settings/settings.h"

// "字体:%s, 大小:%d, 颜色:%s" and the style suffix, as FontEdit shows the watermark font.
std::string font_description(const FontSpec& font);

// The text of the About box: title, version and what the program does.
std::string about_text();
