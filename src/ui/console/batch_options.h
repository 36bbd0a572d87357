// The command line of ombrel-batch.
#pragma once
#include <string>
#include <vector>

#include "core/form.h"
#include "settings/settings.h"

extern const char batch_usage[];

// What the command line asks for. Paths and texts are as given (code page 936).
struct BatchCommand {
    bool help = false;
    bool yes = false;  // answer Yes to the questions
    std::string error; // not empty when the command line is wrong
};

// Applies the options and the two folder arguments to form (as start-up left it) and to the
// font of settings. to_program_path turns a path argument into the program's form of it.
BatchCommand apply_batch_arguments(const std::vector<std::string>& args, FormSnapshot& form,
                                   FontSpec& font,
                                   std::string (*to_program_path)(const std::string&));

// "#rrggbb" (any letter case) as the font dialog's 0x00BBGGRR colour; false when malformed.
bool parse_html_color(const std::string& text, uint32_t& rgb);
