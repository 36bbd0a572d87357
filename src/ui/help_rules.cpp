#include "ui/help_rules.h"

#include <cstring>

#include "base/text.h"
#include "ui/window_geometry.h"

namespace {

// The rows of the help table, one line of a text a source line, as the pop-up shows it. The
// control table (ui/main_controls.cpp) gives each control its row.
const char* const HelpTexts[HelpTextCount] = {
    // 1
    "[图片源文件夹]是指需要处理的图片所在的文件夹，由于\n"
    "这是一款批量处理软件，它会对你选择的一个文件夹里所\n"
    "有JPG、PNG、GIF、BMP、TBI格式的图片进行处理。\n"
    "\n"
    "注意：如果是PNG、GIF、BMP图片，处理后生成JPG图片。\n"
    "例如：a.png 处理后生成的图片是 a.png.jpg",
    // 2
    "图片宽是指希望将图片缩小到的新宽度，单位：像素。\n"
    "\n"
    "当原图宽度大于设置的新宽度时，会将原图的宽度缩小到\n"
    "设置的新宽度，图片高度会等比例缩小。\n"
    "\n"
    "注意：如果原图的宽度小于设置的新宽度，由于放大图片\n"
    "会让图片变的模糊，因此不会对原图进行放大处理，原图\n"
    "宽度保持不变。",
    // 3
    "图片品质，指的是图片压缩后的图片质量。\n"
    "\n"
    "图片品质高，图片清晰度就高，图片占用空间会大一些。\n"
    "反之，图片品质低一些，图片清晰度就低一些，但图片占\n"
    "用的空间小，可以节省图片空间。\n"
    "\n"
    "可以从图片清晰度和图片占用的空间之间寻找一个平衡点\n"
    "，图片品质建议设置： 80 至 95。",
    // 4
    "图片按照指定的角度进行顺时针旋转。",
    // 5
    "如果钩选了[同时处理子文件夹里的图片]，处理图片时会\n"
    "对你选中的[图片源文件夹]及其所有子文件夹里的图片同\n"
    "时进行处理。",
    // 6
    "开启或关闭文字水印功能。\n"
    "将一行文字印在图片上，很多淘宝卖家将店铺地址或店铺\n"
    "名印在宝贝图片上，这是常用的宝贝图片防盗方法。",
    // 7
    "印在图片上的文字，一般设置为店铺地址或店铺名。",
    // 8
    "设置文字在图片上显示的位置，例如在图片右下角显示，\n"
    "或在图片中间位置显示文字。",
    // 9
    "设置显示在图片上的文字透明效果，100%表示不透明。",
    // 10
    "设置水印文字的字体和颜色。\n"
    "这里需要注意一点，如果水印文字中含有中文的话，选择\n"
    "字体的时候有可能会遇到一些不支持的字体。 ",
    // 11
    "根据文字水印当前设置，查看图片加文字水印后的效果。",
    // 12
    "开启或关闭图片水印功能。\n"
    "将一张设计好的图片印在你的宝贝图片上。",
    // 13
    "选择一张你设计好的含有水印内容的图片，这张图片将印\n"
    "在宝贝图片上，你可以使用ps软件来设计图片的内容，例\n"
    "如可以设置多行文字显示在宝贝图片上。\n"
    "\n"
    "提示：使用PNG格式的水印图片可以实现水印透明效果。",
    // 14
    "设置水印图片在宝贝图片上的显示的位置，例如在图片右\n"
    "下角显示，或在图片中间位置显示水印图片。",
    // 15
    "根据图片水印当前设置，查看加上图片水印后的效果。",
    // 16
    "[处理后保存到]指的是图片处理后保存到的位置，系统默\n"
    "认将处理后的图片保存到[图片源文件夹]+[_处理后]的位\n"
    "置， 你也可以选择一个自定义的位置。\n"
    "\n"
    "建议：不要将[处理后保存到]的位置和[图片源文件夹]选\n"
    "择为同一个文件夹，如果两者指定为同一个文件夹，处理\n"
    "后的图片会覆盖[图片源文件夹]里的图片。",
    // 17
    "根据当前的图片处理设置，开始对图片进行处理。",
    // 18
    "这是一个进度条，实时显示当前图片处理的进度。",
};

// The rows of the 更多设置 dialog's help, in the same form. The dialog's control table
// (ui/more_settings_dialog.cpp) gives each control its row.
const char* const MoreSettingsHelpTexts[MoreSettingsHelpCount] = {
    // 1
    "图片等比例缩小到宽和高都不超过这个框，单位：像素。\n"
    "\n"
    "比框小的图片保持原样，不会被放大变模糊。",
    // 2
    "把图片放在一张这个大小的画布正中间，四周空出的地方\n"
    "填上画布颜色，例如做成 800×800 的正方形主图。\n"
    "\n"
    "注意：画布不能小于[缩小到框内]的框。",
    // 3
    "画布四周空出的地方的颜色，默认为白色。\n"
    "点击[选择颜色...]可以换一种颜色。",
    // 4
    "按图片宽度的百分比设置水印图片的宽度，大图和小图上\n"
    "的水印看起来一样大。例如 20 表示水印图片的宽度是图\n"
    "片宽度的 20%。",
    // 5
    "按图片宽度的百分比设置水印文字的高度，大图和小图上\n"
    "的文字看起来一样大。例如 5 表示文字的高度是图片宽\n"
    "度的 5%。",
    // 6
    "把很长的图片（例如宝贝详情页的长图）从上到下切成几\n"
    "张，每张的高度不超过这里设置的像素，最后一张可以矮\n"
    "一些。取值范围：100 至 9999。",
    // 7
    "处理后的图片文件超过这个大小时，会降低图片品质重新\n"
    "压缩，让文件尽量不超过这个大小，单位：KB。",
    // 8
    "按规则给处理后的图片起文件名，规则里可以用：\n"
    "{name} 原文件名，{n} 序号，{n:03} 三位序号，\n"
    "{folder} 图片所在文件夹的名字。\n"
    "\n"
    "例如 {folder}-{n:02} 得到 衣服-01.jpg 等。",
    // 9
    "保留照片里的拍摄信息（相机型号、拍摄时间等），但会\n"
    "去掉其中的拍摄位置和缩略图，保护你的隐私。",
    // 10
    "保存这些设置，以后每次处理图片时都会使用。",
    // 11
    "不保存这次的修改，关闭窗口。",
};

// The pop-up's lengths in the 96-DPI layout.
constexpr int LineGap = 3;     // between the lines of a text
constexpr int TextTop = 9;     // above the first line
constexpr int Frame = 22;      // box borders, margins and shadow together
constexpr int ShadowWidth = 6; // below and right of the box

} // namespace

const char* help_text(int row) {
    return row >= 1 && row <= HelpTextCount ? HelpTexts[row - 1] : nullptr;
}

const char* more_settings_help_text(int row) {
    return row >= 1 && row <= MoreSettingsHelpCount ? MoreSettingsHelpTexts[row - 1] : nullptr;
}

std::vector<std::string> help_lines(const char* text) {
    std::vector<std::string> lines;
    for (const char* start = text;; ++start) {
        const char* end = std::strchr(start, '\n');
        const std::size_t length = end ? std::size_t(end - start) : std::strlen(start);
        lines.emplace_back(start, cp936_prefix_length(start, length, HelpLineLimit));
        if (!end)
            return lines;
        start = end;
    }
}

// An odd height puts the shadow's checkerboard in step with the box's bottom corner.
int help_popup_height(int text_height, int lines, int dpi) {
    const int height =
        (text_height + scale_to_dpi(LineGap, dpi)) * lines + scale_to_dpi(Frame, dpi);
    return height % 2 == 0 ? height + 1 : height;
}

int help_line_top(int text_height, int k, int dpi) {
    return (text_height + scale_to_dpi(LineGap, dpi)) * k + scale_to_dpi(TextTop, dpi);
}

// Centred below the pointer; moved inside the screen at the left, right and top edges, and
// above the pointer where it would reach the bottom.
HelpPopupPlace help_popup_place(int x, int y, int height, int screen_width, int maximized_height,
                                int dpi) {
    const auto s = [dpi](int length) { return scale_to_dpi(length, dpi); };
    HelpPopupPlace place{x - s(160), y + s(16)};
    if (place.left < 0)
        place.left = s(6);
    else if (screen_width <= x + s(165))
        place.left = screen_width - s(332);
    if (place.top < 0)
        place.top = s(6);
    else if (maximized_height <= y + s(16) + height + s(15))
        place.top = y - height - s(16);
    return place;
}

// Every other pixel, so that what lies beneath shows through: in a band below the box and one
// right of it, the pixels whose coordinates add up to an odd number.
std::vector<ShadowPixel> help_shadow_pixels(int height, int dpi) {
    const int shadow = scale_to_dpi(ShadowWidth, dpi), box = help_box_width(dpi);
    std::vector<ShadowPixel> pixels;
    for (int y = height - shadow; y < height; ++y)
        for (int x = scale_to_dpi(5, dpi); x < box; ++x)
            if ((x + y) % 2 != 0)
                pixels.push_back({x, y});
    if (height > shadow)
        for (int x = box; x < box + shadow; ++x)
            for (int y = shadow; y < height; ++y)
                if ((x + y) % 2 != 0)
                    pixels.push_back({x, y});
    return pixels;
}

int help_popup_width(int dpi) {
    return scale_to_dpi(HelpPopupWidth, dpi);
}

int help_box_width(int dpi) {
    return scale_to_dpi(HelpBoxWidth, dpi);
}
