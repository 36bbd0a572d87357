#include "settings/shop_options.h"

#include <cstring>
#include <iterator>

#include "base/text.h"
#include "settings/settings.h"

namespace {

// A number of a step: its key, its range and what the program says when it lies outside.
struct NumberRule {
    const char* key;
    bool ShopOptions::*step;
    int ShopOptions::*value;
    int low, high;
    ShopField field;
    const char* refusal;
};

const NumberRule NumberRules[] = {
    {"fit_width", &ShopOptions::fit, &ShopOptions::fit_width, 1, 9999, ShopField::FitWidth,
     "缩小到框内的宽取值范围: 1 - 9999"},
    {"fit_height", &ShopOptions::fit, &ShopOptions::fit_height, 1, 9999, ShopField::FitHeight,
     "缩小到框内的高取值范围: 1 - 9999"},
    {"canvas_width", &ShopOptions::canvas, &ShopOptions::canvas_width, 1, 9999,
     ShopField::CanvasWidth, "画布宽取值范围: 1 - 9999"},
    {"canvas_height", &ShopOptions::canvas, &ShopOptions::canvas_height, 1, 9999,
     ShopField::CanvasHeight, "画布高取值范围: 1 - 9999"},
    {"image_scale_percent", &ShopOptions::image_scale, &ShopOptions::image_scale_percent, 1, 100,
     ShopField::ImageScale, "水印图片宽度占图片宽度的比例取值范围: 1 - 100"},
    {"text_scale_percent", &ShopOptions::text_scale, &ShopOptions::text_scale_percent, 1, 100,
     ShopField::TextScale, "水印文字高度占图片宽度的比例取值范围: 1 - 100"},
    {"slice_height", &ShopOptions::slice, &ShopOptions::slice_height, 100, 9999,
     ShopField::SliceHeight, "切片高度取值范围: 100 - 9999"},
    {"max_kb_value", &ShopOptions::max_kb, &ShopOptions::max_kb_value, 10, 99999, ShopField::MaxKb,
     "文件大小上限取值范围: 10 - 99999 KB"},
};

const std::pair<const char*, bool ShopOptions::*> StepKeys[] = {
    {"fit", &ShopOptions::fit},
    {"canvas", &ShopOptions::canvas},
    {"image_scale", &ShopOptions::image_scale},
    {"text_scale", &ShopOptions::text_scale},
    {"slice", &ShopOptions::slice},
    {"max_kb", &ShopOptions::max_kb},
    {"rename", &ShopOptions::rename},
    {"keep_metadata", &ShopOptions::keep_metadata},
};

// The characters Windows refuses in a file name.
bool forbidden_in_name(char c) {
    return static_cast<unsigned char>(c) < 0x20 || std::strchr("\\/:*?\"<>|", c);
}

// The pattern's placeholders are {name}, {folder}, {n} and {n:0D} (D a digit 1-9); it names each
// image apart only with {n} or {name} in it.
const char* rename_refusal(const std::string& pattern) {
    if (cp936_length(pattern) > RenamePatternLimit)
        return "文件名规则太长，最多只能输入200个字节（100个汉字）";
    bool apart = false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (forbidden_in_name(pattern[i]))
            return "文件名规则中不能含有以下字符: \\ / : * ? \" < > |";
        if (pattern[i] == '}')
            return "文件名规则中的 { } 只能用于 {name}、{n}、{n:03}、{folder}";
        if (pattern[i] != '{')
            continue;
        const std::size_t close = pattern.find('}', i);
        const std::string field =
            close == std::string::npos ? "" : pattern.substr(i + 1, close - i - 1);
        const bool padded_number = field.size() == 4 && field.compare(0, 3, "n:0") == 0 &&
                                   field[3] >= '1' && field[3] <= '9';
        if (field == "name" || field == "n" || padded_number)
            apart = true;
        else if (field != "folder")
            return "文件名规则中的 { } 只能用于 {name}、{n}、{n:03}、{folder}";
        i = close;
    }
    return apart ? nullptr : "文件名规则中必须含有 {n} 或 {name}，否则所有图片都会得到同一个文件名";
}

std::string as_text(int value) {
    return std::to_string(value);
}

void apply_line(std::string_view key, const std::string& value, ShopOptions& options) {
    for (const auto& [name, step] : StepKeys)
        if (key == name && (value == "0" || value == "1"))
            options.*step = value == "1";
    for (const NumberRule& rule : NumberRules) {
        if (key != rule.key || !is_digits(value.c_str()))
            continue;
        const auto number = parse_decimal(value);
        if (number && *number >= rule.low && *number <= rule.high)
            options.*rule.value = *number;
    }
    uint32_t color;
    if (key == "canvas_color" && parse_html_color(value, color))
        options.canvas_color = color;
    if (key == "rename_pattern")
        options.rename_pattern = value;
}

// A step whose values fail their checks together is switched off, its values back to their
// defaults: numbers are taken only within their ranges, so a canvas smaller than the box and a
// pattern are all that can fail.
void switch_off(ShopField field, ShopOptions& options) {
    const ShopOptions defaults;
    if (field == ShopField::RenamePattern) {
        options.rename = false;
        options.rename_pattern = defaults.rename_pattern;
    } else {
        options.canvas = false;
        options.canvas_width = defaults.canvas_width;
        options.canvas_height = defaults.canvas_height;
    }
}

} // namespace

std::optional<ShopRefusal> check_shop_options(const ShopOptions& options) {
    for (const NumberRule& rule : NumberRules) {
        const int value = options.*rule.value;
        if (options.*rule.step && (value < rule.low || value > rule.high))
            return ShopRefusal{rule.field, rule.refusal};
    }
    if (options.fit && options.canvas &&
        (options.canvas_width < options.fit_width || options.canvas_height < options.fit_height))
        return ShopRefusal{options.canvas_width < options.fit_width ? ShopField::CanvasWidth
                                                                    : ShopField::CanvasHeight,
                           "画布不能小于缩小到的框，画布的宽和高不能小于框的宽和高"};
    if (options.rename)
        if (const char* refusal = rename_refusal(options.rename_pattern))
            return ShopRefusal{ShopField::RenamePattern, refusal};
    return std::nullopt;
}

ShopOptions parse_shop_options(std::string_view text) {
    ShopOptions options;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") // the byte-order mark an editor may write first
        text.remove_prefix(3);
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos)
            apply_line(line.substr(0, equals), std::string(line.substr(equals + 1)), options);
    }
    // Each refusal switches a step off: the loop ends within a pass per step.
    for (std::size_t pass = 0; pass < std::size(StepKeys); ++pass)
        if (const auto refusal = check_shop_options(options))
            switch_off(refusal->field, options);
    return options;
}

std::string compose_shop_options(const ShopOptions& options) {
    std::string text;
    const auto line = [&](const char* key, const std::string& value) {
        text += std::string(key) + "=" + value + "\n";
    };
    for (const auto& [name, step] : StepKeys)
        line(name, options.*step ? "1" : "0");
    for (const NumberRule& rule : NumberRules)
        line(rule.key, as_text(options.*rule.value));
    line("canvas_color", html_color(options.canvas_color));
    line("rename_pattern", options.rename_pattern);
    return text;
}
