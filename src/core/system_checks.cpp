#include "core/system_checks.h"

#include "imaging/text_watermark.h"
#include "platform/file_system.h"

bool SystemCheckEnvironment::is_directory(const std::string& path) const {
    return ::is_directory(full_path_in(program_folder_, path).c_str());
}

bool SystemCheckEnvironment::file_exists(const std::string& path) const {
    return ::file_exists(full_path_in(program_folder_, path).c_str());
}

bool SystemCheckEnvironment::create_directory(const std::string& path) const {
    return make_directory(full_path_in(program_folder_, path).c_str());
}

bool SystemCheckEnvironment::font_shows_chinese(const FontSpec& font) const {
    return ::font_shows_chinese(font);
}

std::optional<CheckRefusal> check_chosen_font(const std::string& text_edit, const FontSpec& font,
                                              BatchHost& host) {
    return check_font_shows_text(trimmed(text_edit), font, host, SystemCheckEnvironment({}),
                                 TextCheckFor::Batch);
}
