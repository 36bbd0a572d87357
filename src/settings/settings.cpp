#include "settings/settings.h"

#include <cstdio>

#include "base/text.h"

std::string html_color(uint32_t rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", rgb & 0xFF, (rgb >> 8) & 0xFF,
                  (rgb >> 16) & 0xFF);
    return text;
}

void set_font_color(FontSpec& font, uint32_t rgb) {
    font.rgbColors = rgb;
    const std::string text = html_color(rgb);
    copy_to_field(font.htmlColor, text.data(), text.size());
}
