// The settings that persist between runs, and the tables that give stored list indexes
// their meaning.
#pragma once
#include <cstdint>
#include <string>

#include "base/text.h"

// The limits of the record's texts, in bytes of code page 936 (see cp936_length).
constexpr std::size_t FaceNameLimit = 31;
constexpr std::size_t WatermarkTextLimit = 255;
constexpr std::size_t WatermarkImageLimit = 1023;

struct FontSpec {
    char fontName[text_field_size(FaceNameLimit)]; // face name as the font dialog names it
    int32_t fontSize;                              // points, used unchanged as the drawing size
    uint32_t rgbColors;                            // 0x00BBGGRR
    char htmlColor[text_field_size(7)];            // "#rrggbb", lowercase
    int32_t isItalic;                              // 0 or 1
    int32_t isWeight;                              // 0 or 1 (bold)
};

// "#rrggbb" in lowercase hexadecimal from a COLORREF (red in the low byte): the one formatter
// of the colour's text.
std::string html_color(uint32_t rgb);
// "#rrggbb" (any letter case) as a 0x00BBGGRR colour; false when malformed.
bool parse_html_color(const std::string& text, uint32_t& rgb);

// Sets the colour both ways the record keeps it: the number and its "#rrggbb" text.
void set_font_color(FontSpec& font, uint32_t rgb);

// Each field is named after its config.dat key (the font's keys add "sy_text_"), spelling and
// all, so that a field and its stored line read alike: hence quanlity for the quality, the
// "sy_" (水印, watermark) of the watermark fields and "isWeight" for bold. List choices are
// stored as indexes into the tables below.
struct Settings {
    int32_t width;
    int32_t quanlity; // index into quality_values
    char sy_text[text_field_size(WatermarkTextLimit)];
    int32_t sy_text_opacity;     // index into opacity_values
    int32_t sy_text_w_direction; // index into direction_values
    int32_t sy_text_w_value;
    int32_t sy_text_h_direction;
    int32_t sy_text_h_value;
    FontSpec font;
    char sy_image[text_field_size(WatermarkImageLimit)];
    int32_t sy_image_w_direction;
    int32_t sy_image_w_value;
    int32_t sy_image_h_direction;
    int32_t sy_image_h_value;
};

// The lists of the main window: index -> value, and the entry the list shows for it. The
// command line of ombrel-batch takes the values.
constexpr int quality_values[11] = {100, 95, 90, 85, 80, 75, 70, 65, 60, 55, 50};
constexpr const char* quality_labels[11] = {"100",     "95", "90 - 高", "85", "80",     "75",
                                            "70 - 中", "65", "60",      "55", "50 - 低"};
constexpr float opacity_values[10] = {1.0f, 0.9f, 0.8f, 0.7f, 0.6f, 0.5f, 0.4f, 0.3f, 0.2f, 0.1f};
constexpr const char* opacity_labels[10] = {"100%", "90%", "80%", "70%", "60%",
                                            "50%",  "40%", "30%", "20%", "10%"};
// Clockwise degrees; the list is not stored, a run starts at its first entry.
constexpr int rotation_angles[3] = {90, 180, 270};
constexpr const char* rotation_labels[3] = {" 90度", "180度", "270度"};
// 1 near edge (left/top), 2 centred, 3 far edge (right/bottom); the lists show "centred" first.
constexpr int direction_values[3] = {2, 1, 3};
constexpr const char* horz_direction_labels[3] = {"水平距中", "左边距", "右边距"};
constexpr const char* vert_direction_labels[3] = {"垂直距中", "上边距", "下边距"};

// The value at index, or fallback for an index outside the table (a list without selection
// reads as -1).
template <typename T, int N> T table_value(const T (&table)[N], int index, T fallback) {
    return (index >= 0 && index < N) ? table[index] : fallback;
}
