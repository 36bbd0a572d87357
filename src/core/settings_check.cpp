#include "core/settings_check.h"

#include <vector>

#include "base/text.h"

namespace {

// The value of a digits-only text; long texts saturate instead of overflowing.
int as_number(const std::string& digits) {
    return parse_decimal(digits).value_or(0);
}

std::optional<CheckRefusal> refuse(BatchHost& host, const char* message, FormControl focus,
                                   MessageIcon icon = MessageIcon::Error) {
    host.show_message(message, NoticeCaption, icon);
    return CheckRefusal{focus};
}

struct AxisTexts {
    const char* watermark; // "文字水印" or "图片水印"
    const char* near_side; // list entry 1
    const char* far_side;  // list entry 2
    FormControl edit;
};

AxisTexts axis_texts(MarginAxis axis) {
    switch (axis) {
    case MarginAxis::TextHorz:
        return {"文字水印", "左", "右", FormControl::TextHorzEdit};
    case MarginAxis::TextVert:
        return {"文字水印", "上", "下", FormControl::TextVertEdit};
    case MarginAxis::ImageHorz:
        return {"图片水印", "左", "右", FormControl::ImageHorzEdit};
    case MarginAxis::ImageVert:
        break;
    }
    return {"图片水印", "上", "下", FormControl::ImageVertEdit};
}

// The checks that every run and every preview begins with; the quality is taken whether its
// box is checked or not.
std::optional<CheckRefusal> check_basics(const FormSnapshot& form, const std::string& source_folder,
                                         Settings& settings, BatchHost& host,
                                         const CheckEnvironment& env) {
    if (auto refusal = check_source_folder(source_folder, host, env))
        return refusal;
    if (auto refusal = check_width(form, settings, host))
        return refusal;
    settings.quanlity = form.quality_combo;
    return std::nullopt;
}

std::optional<CheckRefusal> run_checks(const FormSnapshot& form, const std::string& source_folder,
                                       Settings& settings, BatchHost& host,
                                       const CheckEnvironment& env, std::string& target) {
    if (auto refusal = check_basics(form, source_folder, settings, host, env))
        return refusal;
    if (auto refusal = check_text_watermark(form, settings, host, env, TextCheckFor::Batch))
        return refusal;
    if (auto refusal = check_image_watermark(form, settings, host, env))
        return refusal;
    target = trimmed(form.target_folder_edit);
    if (target.empty())
        return refuse(host, "请选择图片处理后保存到哪个文件夹", FormControl::TargetFolderButton);
    if (!env.is_directory(target) && !env.create_directory(target))
        return refuse(host, "创建图片处理后保存到的文件夹时出错", FormControl::TargetFolderButton);
    return std::nullopt;
}

} // namespace

std::optional<CheckRefusal> check_preview_settings(PreviewKind kind, const FormSnapshot& form,
                                                   const std::string& source_folder,
                                                   Settings& settings, BatchHost& host,
                                                   const CheckEnvironment& env) {
    if (auto refusal = check_basics(form, source_folder, settings, host, env))
        return refusal;
    if (kind == PreviewKind::Text)
        return check_text_watermark(form, settings, host, env, TextCheckFor::Preview);
    return check_image_watermark(form, settings, host, env);
}

std::optional<CheckRefusal> check_source_folder(const std::string& source_folder, BatchHost& host,
                                                const CheckEnvironment& env) {
    if (source_folder.empty())
        return refuse(host, "请选择图片源文件夹", FormControl::SourceFolderButton);
    if (!env.is_directory(source_folder))
        return refuse(host, "图片源文件夹不存在，请重新选择", FormControl::SourceFolderButton);
    return std::nullopt;
}

// A text too long for the record is refused while it is to be drawn; switched off, the text
// is only kept for the next run, and what does not fit is cut.
std::optional<CheckRefusal> check_text_watermark(const FormSnapshot& form, Settings& settings,
                                                 BatchHost& host, const CheckEnvironment& env,
                                                 TextCheckFor purpose) {
    const std::string text = trimmed(form.text_edit);
    if (form.text_watermark_check || purpose == TextCheckFor::Preview) {
        if (text.empty())
            return refuse(host, "请输入水印文字内容", FormControl::TextEdit);
        if (cp936_length(text) > WatermarkTextLimit)
            return refuse(host, "水印文字太长，最多只能输入255个字节（127个汉字）",
                          FormControl::TextEdit);
        if (auto refusal = check_font_shows_text(text, settings.font, host, env, purpose))
            return refusal;
    }
    copy_to_field(settings.sy_text, text.data(), text.size());
    settings.sy_text_opacity = form.text_opacity_combo;
    settings.sy_text_w_direction = form.text_horz_combo;
    if (auto refusal = check_margin(MarginAxis::TextHorz, form.text_horz_combo, form.text_horz_edit,
                                    settings.sy_text_w_value, host))
        return refusal;
    settings.sy_text_h_direction = form.text_vert_combo;
    return check_margin(MarginAxis::TextVert, form.text_vert_combo, form.text_vert_edit,
                        settings.sy_text_h_value, host);
}

std::optional<CheckRefusal> check_font_shows_text(const std::string& text, const FontSpec& font,
                                                  BatchHost& host, const CheckEnvironment& env,
                                                  TextCheckFor purpose) {
    if (!has_non_ascii(text.c_str()) || env.font_shows_chinese(font))
        return std::nullopt;
    return refuse(host,
                  purpose == TextCheckFor::Batch
                      ? "当前选择的字体无法正常显示水印文字里的中文，请重新选择一个中文字体。"
                      : "水印文字中含有中文，你需要选择一个中文字体，否则中文会显示乱码。",
                  FormControl::FontButton, MessageIcon::Warning);
}

std::optional<CheckRefusal> check_image_watermark(const FormSnapshot& form, Settings& settings,
                                                  BatchHost& host, const CheckEnvironment& env) {
    const std::string path = trimmed(form.image_edit);
    if (form.image_watermark_check) {
        if (path.empty())
            return refuse(host, "请选择一张水印图片", FormControl::ImageButton);
        if (!env.file_exists(path))
            return refuse(host, "水印图片不存在，请重新选择", FormControl::ImageButton);
    }
    copy_to_field(settings.sy_image, path.data(), path.size());
    settings.sy_image_w_direction = form.image_horz_combo;
    if (auto refusal = check_margin(MarginAxis::ImageHorz, form.image_horz_combo,
                                    form.image_horz_edit, settings.sy_image_w_value, host))
        return refusal;
    settings.sy_image_h_direction = form.image_vert_combo;
    return check_margin(MarginAxis::ImageVert, form.image_vert_combo, form.image_vert_edit,
                        settings.sy_image_h_value, host);
}

std::string trimmed(const std::string& text) {
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    return trim(buffer.data());
}

std::optional<CheckRefusal> check_width(const FormSnapshot& form, Settings& settings,
                                        BatchHost& host) {
    const std::string width = trimmed(form.width_edit);
    if (!form.width_check) {
        if (!is_digits(width.c_str()))
            settings.width = 750;
        return std::nullopt;
    }
    if (width.empty())
        return refuse(host, "图片宽不能为空", FormControl::WidthEdit);
    if (!is_digits(width.c_str()))
        return refuse(host, "图片宽必须为整数,取值范围: 1 - 9999", FormControl::WidthEdit);
    const int value = as_number(width);
    if (value < 1 || value > 9999)
        return refuse(host, "图片宽取值范围: 1 - 9999", FormControl::WidthEdit);
    settings.width = value;
    return std::nullopt;
}

std::optional<CheckRefusal> check_margin(MarginAxis axis, int selection, const std::string& text,
                                         int32_t& margin, BatchHost& host) {
    const std::string digits = trimmed(text);
    if (selection <= 0) {
        margin = is_digits(digits.c_str()) ? as_number(digits) : 16;
        return std::nullopt;
    }
    const AxisTexts texts = axis_texts(axis);
    const std::string subject = std::string(texts.watermark) + "的" +
                                (selection == 1 ? texts.near_side : texts.far_side) + "边距";
    if (digits.empty())
        return refuse(host, (subject + "不能为空").c_str(), texts.edit);
    if (!is_digits(digits.c_str()))
        return refuse(host, (subject + "必须为整数,取值范围: 0 - 999").c_str(), texts.edit);
    const int value = as_number(digits);
    if (value > 999)
        return refuse(host, (subject + "取值范围: 1 - 999").c_str(), texts.edit);
    margin = value;
    return std::nullopt;
}

CheckResult check_settings(const FormSnapshot& form, const std::string& source_folder,
                           Settings& settings, BatchHost& host, const CheckEnvironment& env) {
    CheckResult result;
    result.refusal = run_checks(form, source_folder, settings, host, env, result.target_folder);
    return result;
}
