#include "ui/ui_logic.h"

#include <cstdio>

#include "settings/program_folder.h"

std::string font_description(const FontSpec& font) {
    char text[160];
    std::snprintf(text, sizeof text, "字体:%.32s, 大小:%d, 颜色:%.8s", font.fontName,
                  static_cast<int>(font.fontSize), font.htmlColor);
    std::string description = text;
    if (font.isItalic && font.isWeight)
        description += ", 粗斜体";
    else if (font.isItalic)
        description += ", 斜体";
    else if (font.isWeight)
        description += ", 粗体";
    return description;
}

std::string html_color(uint32_t rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", rgb & 0xFF, (rgb >> 8) & 0xFF,
                  (rgb >> 16) & 0xFF);
    return text;
}

std::string propose_target_folder(const std::string& source,
                                  const std::function<bool(const std::string&)>& is_taken) {
    std::string candidate = source + "_处理后";
    for (int n = 2; is_taken(candidate); ++n)
        candidate = source + "_处理后" + std::to_string(n);
    return candidate;
}

std::string about_text() {
    char text[512];
    std::snprintf(text, sizeof text,
                  "%s %0.1f\n\n主要功能：缩小图片尺寸、图片压缩、图片旋转、图片加[文字]或[图片]"
                  "水印，一键批量处理。\n\n目前支持处理的图片格式：JPG, PNG, GIF, BMP, TBI。",
                  ProgramTitle, ProgramVersion);
    return text;
}

bool runs_from_unopened_archive(const std::string& folder) {
    return folder.find('$') != std::string::npos && folder.find("\\Temp\\") != std::string::npos;
}

int client_height_correction(int height, int client_bottom) {
    return height - client_bottom - 44;
}

ScreenPoint centered_position(int screen_width, int maximized_height, int client_width,
                              int client_height) {
    return {(screen_width - client_width) / 2, (maximized_height - client_height) / 2 - 26};
}

int gui_font_height(int stock_height, int dpi) {
    if (dpi <= 96)
        return stock_height;
    // The scale is held in single precision on purpose: 120 DPI gives 1.25 exactly enough
    // that a stock height of -11 becomes -8.
    const float scale = 1 + (dpi - 96) * 1.041666f / 100;
    return static_cast<int>(stock_height / scale);
}

bool same_folder_nocase(const std::string& a, const std::string& b) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

std::string shortcut_path(const std::string& desktop_folder) {
    return desktop_folder + "\\" + ProgramTitle + ".lnk";
}
