#include "imaging/text_watermark.h"

#include <cstring>
#include <string>

#include <windows.h>
#include <shlobj.h>

#include "imaging/magick.h"
#include "imaging/system_fonts.h"
#include "platform/file_system.h"
#include "platform/library_path.h"

namespace {

// The Chinese face names whose font files the program knows, matched in this order, with the
// files of each row in the system's fonts folder, tried in order.
struct ChineseFace {
    const char* names[2];
    const char* files[2];
};
// clang-format off
constexpr ChineseFace chinese_faces[5] = {
    {{"宋体", "新宋体"}, {"SIMSUN.TTC", nullptr}}, // one collection serves both names
    {{"楷体_GB2312", "楷体"}, {"SIMKAI.TTF", nullptr}},
    {{"仿宋_GB2312", "仿宋"}, {"SIMFANG.TTF", nullptr}},
    {{"黑体", nullptr}, {"simhei.ttf", nullptr}},
    {{"微软雅黑", nullptr}, {"msyh.ttf", "msyh_00.ttf"}},
};
// clang-format on

constexpr double bold_weight = 700;

// The entries of the library's font metrics that the watermark uses.
enum FontMetric : int {
    CharacterHeight = 1,
    Descender = 3, // negative: below the baseline
    InkRight = 9,  // the right edge of the ink's bounding box
    AdvanceWidth = 11,
};

// The row of the font table for face_name (compared whole and case-sensitively), or -1.
int chinese_face_row(const char* face_name) {
    for (int row = 0; row < 5; ++row)
        for (const char* name : chinese_faces[row].names)
            if (name && std::strcmp(name, face_name) == 0)
                return row;
    return -1;
}

// The font file of a row of the table that the fonts folder holds, or empty. Asked for each
// text prepared, never kept: a font installed while the program runs counts from then on.
std::string chinese_face_file(int row) {
    const std::string fonts_folder = special_folder_path(CSIDL_FONTS);
    if (fonts_folder.empty())
        return {};
    const std::string folder = fonts_folder + "\\";
    for (const char* file : chinese_faces[row].files)
        if (file && file_exists(folder + file))
            return folder + file;
    return {};
}

// A one-pixel picture to measure text against: the library measures only on a picture, and the
// measures depend on the font, its size and the text, not on the picture.
unique_magick_wand measuring_canvas() {
    auto canvas = new_magick_wand();
    const auto background = new_pixel_wand();
    if (!canvas || !background ||
        MagickNewImage(canvas.get(), 1, 1, background.get()) != MagickTrue)
        return {};
    return canvas;
}

unique_magick_memory<double> query_metrics(MagickWand* image, DrawingWand* drawing,
                                           const std::string& text) {
    return unique_magick_memory<double>(MagickQueryFontMetrics(image, drawing, text.c_str()));
}

// The font file of face_name in the library's form, or (empty file) the family the library is
// to look up. Each step falls through to the next: the program's table of Chinese font files,
// then the system's face of that name through GDI (in its bold or italic file, where it has one),
// then the library's own lookup by family name.
void find_font(const char* face_name, bool bold, bool italic, std::string& file,
               std::string& family) {
    const int row = chinese_face_row(face_name);
    const std::string chinese_file = row >= 0 ? chinese_face_file(row) : std::string();
    if (!chinese_file.empty()) {
        file = library_font_path(chinese_file);
        return;
    }
    const std::string system_file = system_font_file(face_name, bold, italic);
    if (!system_file.empty())
        file = library_font_path(system_file);
    else
        family = face_name;
}

void set_font(DrawingWand* drawing, const std::string& file, const std::string& family) {
    if (!file.empty())
        DrawSetFont(drawing, file.c_str());
    else
        DrawSetFontFamily(drawing, family.c_str());
}

// The library gets the style and weight too, for the faces it looks up itself.
void set_text_font(DrawingWand* drawing, const WatermarkText& text) {
    DrawSetTextEncoding(drawing, "UTF-8");
    if (text.italic)
        DrawSetFontStyle(drawing, ItalicStyle);
    if (text.bold)
        DrawSetFontWeight(drawing, bold_weight);
    set_font(drawing, text.font_file, text.family);
    DrawSetFontSize(drawing, text.size);
}

// The text's measures, in the chosen font or, when the library cannot use that font at all, in
// the fallback font, which text then names; unmeasured when neither serves. They depend on
// neither the picture nor the colour.
void measure_text(WatermarkText& text) {
    const auto canvas = measuring_canvas();
    const auto drawing = new_drawing_wand();
    if (!canvas || !drawing)
        return;
    set_text_font(drawing.get(), text);
    auto metrics = query_metrics(canvas.get(), drawing.get(), text.text);
    const std::string fallback = metrics ? std::string() : fallback_font_file();
    if (!fallback.empty()) {
        text.font_file = library_font_path(fallback);
        text.family.clear();
        DrawSetFont(drawing.get(), text.font_file.c_str());
        metrics = query_metrics(canvas.get(), drawing.get(), text.text);
    }
    if (!metrics)
        return;
    text.measured = true;
    text.character_height = metrics.get()[CharacterHeight];
    text.descender = metrics.get()[Descender];
    text.advance_width = metrics.get()[AdvanceWidth];
}

} // namespace

WatermarkText prepare_text_watermark(const FontSpec& font, double opacity, const char* text) {
    WatermarkText prepared;
    prepared.text = text;
    prepared.bold = font.isWeight != 0;
    prepared.italic = font.isItalic != 0;
    find_font(font.fontName, prepared.bold, prepared.italic, prepared.font_file, prepared.family);
    prepared.size = font.fontSize;
    prepared.colour = font.htmlColor;
    prepared.opacity = opacity;
    measure_text(prepared);
    return prepared;
}

bool draw_text_watermark(MagickWand* image, const WatermarkText& text, int h_direction,
                         int h_margin, int v_direction, int v_margin) {
    const auto drawing = new_drawing_wand();
    const auto colour = new_pixel_wand();
    if (!text.measured || !drawing || !colour)
        return false;
    set_text_font(drawing.get(), text);
    // A colour text the library cannot read leaves the fill at its default, black, as it
    // always has: the text is drawn all the same.
    PixelSetColor(colour.get(), text.colour.c_str());
    DrawSetFillColor(drawing.get(), colour.get());
    if (text.opacity < 1.0)
        DrawSetFillOpacity(drawing.get(), text.opacity);
    const TextPlacement at = place_text(static_cast<double>(MagickGetImageWidth(image)),
                                        static_cast<double>(MagickGetImageHeight(image)),
                                        text.character_height, text.descender, text.advance_width,
                                        h_direction, h_margin, v_direction, v_margin);
    return MagickAnnotateImage(image, drawing.get(), at.x, at.y, 0.0, text.text.c_str()) ==
           MagickTrue;
}

// A font that really has the glyph draws "国" wider than "a"; a font without it draws nothing
// or a narrow placeholder. A face the library cannot use at all shows no Chinese either.
int font_shows_chinese(const FontSpec& font) {
    const MagickSession session;
    const auto canvas = measuring_canvas();
    const auto drawing = new_drawing_wand();
    if (!canvas || !drawing)
        return 0;
    DrawSetTextEncoding(drawing.get(), "UTF-8");
    std::string file, family;
    find_font(font.fontName, false, false, file, family);
    set_font(drawing.get(), file, family);

    const auto latin = query_metrics(canvas.get(), drawing.get(), "a");
    const auto chinese = query_metrics(canvas.get(), drawing.get(), "国");
    return latin && chinese && latin.get()[InkRight] < chinese.get()[InkRight] ? 1 : 0;
}

WatermarkText scaled_text(const WatermarkText& text, double character_height) {
    WatermarkText scaled = text;
    if (!text.measured || text.character_height <= 0)
        return scaled;
    const double factor = character_height / text.character_height;
    scaled.size *= factor;
    scaled.character_height = character_height;
    scaled.descender *= factor;
    scaled.advance_width *= factor;
    return scaled;
}
