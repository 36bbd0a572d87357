// The questions of the settings checks answered by this machine: its file system and the image
// library's font test.
#pragma once
#include <optional>
#include <string>

#include "core/batch_host.h"
#include "core/settings_check.h"

// A relative path of the form is taken from the program folder, as a run takes it.
class SystemCheckEnvironment : public CheckEnvironment {
  public:
    explicit SystemCheckEnvironment(std::string program_folder)
        : program_folder_(std::move(program_folder)) {}
    bool is_directory(const std::string& path) const override;
    bool file_exists(const std::string& path) const override;
    bool create_directory(const std::string& path) const override;
    bool font_shows_chinese(const FontSpec& font) const override;

  private:
    std::string program_folder_;
};

// The font rule of a run on its own, for a font just chosen: the watermark text (the text edit
// as read) is judged against it and host shows the warning.
std::optional<CheckRefusal> check_chosen_font(const std::string& text_edit, const FontSpec& font,
                                              BatchHost& host);
