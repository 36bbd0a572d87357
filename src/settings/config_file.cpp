#include "settings/config_file.h"

#include <string>

#include "base/program.h"
#include "platform/file_io.h"
#include "settings/config_format.h"

namespace {
const char ConfigName[] = "config.dat";
}

int write_default_config() {
    // Failure shows when loading reads the file back.
    write_text_file(ConfigName, default_config_text());
    return 1;
}

int load_config(Settings& settings) {
    auto text = read_text_file(ConfigName);
    if (!text) {
        write_default_config();
        text = read_text_file(ConfigName);
        if (!text)
            return 0;
    }
    apply_config_text(text->data(), text->size(), settings);
    return 1;
}

int save_config(const Settings& settings) {
    // Nobody is told when the file cannot be written; the next run falls back on what is there.
    write_text_file(program_file_path(ConfigName).c_str(), compose_config_text(settings));
    return 1;
}
