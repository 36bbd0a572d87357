#include "ui/window_texts.h"

#include <cstdio>

#include "base/program.h"

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

std::string about_text() {
    char text[512];
    std::snprintf(text, sizeof text,
                  "%s %0.1f\n\n主要功能：缩小图片尺寸、图片压缩、图片旋转、图片加[文字]或[图片]"
                  "水印，一键批量处理。\n\n目前支持处理的图片格式：JPG, PNG, GIF, BMP, TBI。",
                  ProgramTitle, ProgramVersion);
    return text;
}
