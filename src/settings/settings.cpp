#include "settings/settings.h"

#include <cctype>
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

bool parse_html_color(const std::string& text, uint32_t& rgb) {
    if (text.size() != 7 || text[0] != '#')
        return false;
    unsigned r, g, b;
    char end;
    if (std::sscanf(text.c_str() + 1, "%2x%2x%2x%c", &r, &g, &b, &end) != 3)
        return false;
    for (std::size_t i = 1; i < 7; ++i)
        if (!std::isxdigit(static_cast<unsigned char>(text[i])))
            return false;
    rgb = r | (g << 8) | (b << 16);
    return true;
}
