// config.dat in the program folder, and settings files of the same form elsewhere.
#pragma once
#include <string>
#include "settings/settings.h"
#include "settings/shop_options.h"

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

// options.ini, the file of the shop-ready steps: in the program folder, or beside the settings
// file settings_path.
std::string shop_options_path();
std::string shop_options_path_beside(const std::string& settings_path);

// The steps as the file at path holds them; the defaults, all off, when it cannot be read.
ShopOptions read_shop_options_file(const std::string& path);
bool write_shop_options_file(const std::string& path, const ShopOptions& options);
