// A watermark preview: the first still image of the source folder, made as a run would make it
// with the settings of the form and the one watermark of the preview, written as a JPEG file
// into the program's temporary folder.
#pragma once
#include <optional>
#include <string>

#include "core/batch_host.h"
#include "core/form.h"
#include "core/settings_check.h"
#include "settings/settings.h"

// "sy_text.jpg" or "sy_image.jpg": each preview overwrites its own file.
const char* preview_file_name(PreviewKind kind);

// What a preview leaves behind.
struct PreviewOutcome {
    std::string picture;              // the file written, empty when none was
    std::optional<FormControl> focus; // the control a refusal named
};

// Checks the form as the preview's kind needs (storing what passes into settings), finds the
// sample and writes the preview into program_folder\temp, which is made when missing. Every
// refusal and failure has been shown through host when the outcome holds no picture.
PreviewOutcome make_watermark_preview(PreviewKind kind, const FormSnapshot& form,
                                      Settings& settings, BatchHost& host,
                                      const std::string& program_folder);
