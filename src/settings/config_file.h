// config.dat in the program folder.
#pragma once
#include "settings/settings.h"

// Creates or truncates "config.dat" in the current directory with the default lines.
int write_default_config();

// Fills settings from "config.dat" in the current directory, writing the defaults first when
// it cannot be opened. 0 only when even the defaults cannot be read back.
int load_config(Settings& settings);

// Writes the whole record to config.dat in ProgramFolder.
int save_config(const Settings& settings);
