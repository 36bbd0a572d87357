// config.dat in the program folder, and settings files of the same form elsewhere.
#pragma once
#include <string>
#include "settings/settings.h"

// Creates or truncates "config.dat" in the program folder with the default lines.
int write_default_config();

// Fills settings from "config.dat" in the program folder, writing the defaults first when
// it cannot be opened. 0 only when even the defaults cannot be read back.
int load_config(Settings& settings);

// Writes the whole record to config.dat in ProgramFolder.
int save_config(const Settings& settings);

// The record as a new config.dat holds it.
Settings default_settings();

// Fills settings from the settings file at path; false when it cannot be read. Nothing is
// written.
bool read_config_file(const std::string& path, Settings& settings);

// Writes the whole record to the settings file at path.
bool write_config_file(const std::string& path, const Settings& settings);
