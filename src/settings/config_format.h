// The text of config.dat: 19 key=value lines in a fixed order, in code page 936 (the record
// holds UTF-8).
#pragma once
#include <string>

#include "settings/settings.h"

// The file written when none exists, with LF line ends (the file on disk has CR LF).
const char* default_config_text();

// Applies every complete line of text (line ends LF, a CR before the LF is dropped) to
// settings. A last line without a line break is not applied; unknown keys are ignored;
// a key that occurs twice keeps the value of its last line.
void apply_config_text(const char* text, std::size_t len, Settings& settings);

// The whole record as the 19 lines of config.dat, LF line ends.
std::string compose_config_text(const Settings& settings);
