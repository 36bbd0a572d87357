#include "settings/config_format.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "settings/text.h"

const char default_config_text[] = "width=750\n"
                                   "quanlity=2\n"
                                   "sy_text=\n"
                                   "sy_text_opacity=0\n"
                                   "sy_text_w_direction=2\n"
                                   "sy_text_w_value=16\n"
                                   "sy_text_h_direction=2\n"
                                   "sy_text_h_value=16\n"
                                   "sy_text_fontName=Arial\n"
                                   "sy_text_fontSize=26\n"
                                   "sy_text_isItalic=0\n"
                                   "sy_text_isWeight=0\n"
                                   "sy_text_htmlColor=#000000\n"
                                   "sy_text_rgbColors=0\n"
                                   "sy_image=\n"
                                   "sy_image_w_direction=2\n"
                                   "sy_image_w_value=16\n"
                                   "sy_image_h_direction=2\n"
                                   "sy_image_h_value=16\n";

namespace {

bool is_c_space(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Reads a decimal integer the way "%d" does: leading white space, optional sign, digits up
// to the first other byte. Values beyond 32 bits saturate. False when no digit follows.
bool parse_int(std::string_view v, int32_t& out) {
    std::size_t i = 0;
    while (i < v.size() && is_c_space(v[i]))
        ++i;
    bool negative = false;
    if (i < v.size() && (v[i] == '+' || v[i] == '-'))
        negative = v[i++] == '-';
    if (i == v.size() || v[i] < '0' || v[i] > '9')
        return false;
    long long n = 0;
    for (; i < v.size() && v[i] >= '0' && v[i] <= '9'; ++i)
        if (n <= INT_MAX + 1LL)
            n = n * 10 + (v[i] - '0');
    if (negative)
        n = -n;
    out = static_cast<int32_t>(n < INT_MIN ? INT_MIN : n > INT_MAX ? INT_MAX : n);
    return true;
}

template <std::size_t N> void set_text(char (&field)[N], std::string_view v) {
    copy_to_field(field, v.data(), v.size());
}

void set_int(int32_t& field, std::string_view v) {
    parse_int(v, field);
}

void set_unsigned(uint32_t& field, std::string_view v) {
    int32_t n;
    if (parse_int(v, n))
        field = static_cast<uint32_t>(n);
}

// The key and the value of a line, split the way a tokenizer over "=" splits it: the key is
// the first run of bytes that are not "=", the value the next such run.
void split_line(std::string_view line, std::string_view& key, std::string_view& value) {
    auto next_token = [&line](std::size_t& pos) {
        while (pos < line.size() && line[pos] == '=')
            ++pos;
        const std::size_t start = pos;
        while (pos < line.size() && line[pos] != '=')
            ++pos;
        return line.substr(start, pos - start);
    };
    std::size_t pos = 0;
    key = next_token(pos);
    value = next_token(pos);
}

void apply_line(std::string_view line, Settings& s) {
    line = line.substr(0, line.find('\0')); // the line ends at a NUL byte, as a C string does
    std::string_view key, v;
    split_line(line, key, v);
    FontSpec& f = s.font;
    if (key == "width")
        set_int(s.width, v);
    else if (key == "quanlity")
        set_int(s.quanlity, v);
    else if (key == "sy_text")
        set_text(s.sy_text, v);
    else if (key == "sy_text_opacity")
        set_int(s.sy_text_opacity, v);
    else if (key == "sy_text_w_direction")
        set_int(s.sy_text_w_direction, v);
    else if (key == "sy_text_w_value")
        set_int(s.sy_text_w_value, v);
    else if (key == "sy_text_h_direction")
        set_int(s.sy_text_h_direction, v);
    else if (key == "sy_text_h_value")
        set_int(s.sy_text_h_value, v);
    else if (key == "sy_text_fontName")
        set_text(f.fontName, v);
    else if (key == "sy_text_fontSize")
        set_int(f.fontSize, v);
    else if (key == "sy_text_isItalic")
        set_int(f.isItalic, v);
    else if (key == "sy_text_isWeight")
        set_int(f.isWeight, v);
    else if (key == "sy_text_htmlColor")
        set_text(f.htmlColor, v);
    else if (key == "sy_text_rgbColors")
        set_unsigned(f.rgbColors, v);
    else if (key == "sy_image")
        set_text(s.sy_image, v);
    else if (key == "sy_image_w_direction")
        set_int(s.sy_image_w_direction, v);
    else if (key == "sy_image_w_value")
        set_int(s.sy_image_w_value, v);
    else if (key == "sy_image_h_direction")
        set_int(s.sy_image_h_direction, v);
    else if (key == "sy_image_h_value")
        set_int(s.sy_image_h_value, v);
}

void add_line(std::string& out, const char* key, const char* value) {
    out += key;
    out += '=';
    out += value;
    out += '\n';
}

void add_line(std::string& out, const char* key, long long value) {
    char digits[24];
    std::snprintf(digits, sizeof digits, "%lld", value);
    add_line(out, key, digits);
}

} // namespace

void apply_config_text(const char* text, std::size_t len, Settings& settings) {
    const std::string_view all(text, len);
    std::size_t start = 0;
    for (std::size_t end; (end = all.find('\n', start)) != std::string_view::npos; start = end + 1)
        apply_line(all.substr(start, end - start), settings);
}

std::string compose_config_text(const Settings& s) {
    const FontSpec& f = s.font;
    std::string out;
    add_line(out, "width", s.width);
    add_line(out, "quanlity", s.quanlity);
    add_line(out, "sy_text", s.sy_text);
    add_line(out, "sy_text_opacity", s.sy_text_opacity);
    add_line(out, "sy_text_w_direction", s.sy_text_w_direction);
    add_line(out, "sy_text_w_value", s.sy_text_w_value);
    add_line(out, "sy_text_h_direction", s.sy_text_h_direction);
    add_line(out, "sy_text_h_value", s.sy_text_h_value);
    add_line(out, "sy_text_fontName", f.fontName);
    add_line(out, "sy_text_fontSize", f.fontSize);
    add_line(out, "sy_text_isItalic", f.isItalic);
    add_line(out, "sy_text_isWeight", f.isWeight);
    add_line(out, "sy_text_htmlColor", f.htmlColor);
    // The colour is a 32-bit value written as a signed number, as "%ld" writes it.
    add_line(out, "sy_text_rgbColors", static_cast<int32_t>(f.rgbColors));
    add_line(out, "sy_image", s.sy_image);
    add_line(out, "sy_image_w_direction", s.sy_image_w_direction);
    add_line(out, "sy_image_w_value", s.sy_image_w_value);
    add_line(out, "sy_image_h_direction", s.sy_image_h_direction);
    add_line(out, "sy_image_h_value", s.sy_image_h_value);
    return out;
}
