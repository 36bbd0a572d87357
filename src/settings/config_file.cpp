#include "settings/config_file.h"

#include <cstring>
#include <string>

#include "base/program.h"
#include "platform/file_io.h"
#include "settings/config_format.h"

namespace {
const char ConfigName[] = "config.dat";
const char ShopOptionsName[] = "options.ini";
} // namespace

int write_default_config() {
    // Failure shows when loading reads the file back.
    write_text_file(program_file_path(ConfigName), default_config_text());
    return 1;
}

int load_config(Settings& settings) {
    const std::string path = program_file_path(ConfigName);
    if (read_config_file(path, settings))
        return 1;
    write_default_config();
    return read_config_file(path, settings) ? 1 : 0;
}

int save_config(const Settings& settings) {
    // Nobody is told when the file cannot be written; the next run falls back on what is there.
    write_config_file(program_file_path(ConfigName), settings);
    return 1;
}

Settings default_settings() {
    Settings settings{};
    apply_config_text(default_config_text(), std::strlen(default_config_text()), settings);
    return settings;
}

bool read_config_file(const std::string& path, Settings& settings) {
    const auto text = read_text_file(path);
    if (!text)
        return false;
    apply_config_text(text->data(), text->size(), settings);
    return true;
}

bool write_config_file(const std::string& path, const Settings& settings) {
    return write_text_file(path, compose_config_text(settings));
}

std::string shop_options_path() {
    return program_file_path(ShopOptionsName);
}

std::string shop_options_path_beside(const std::string& settings_path) {
    const std::size_t slash = settings_path.find_last_of("\\/");
    return (slash == std::string::npos ? std::string() : settings_path.substr(0, slash + 1)) +
           ShopOptionsName;
}

ShopOptions read_shop_options_file(const std::string& path) {
    const auto text = read_text_file(path);
    return text ? parse_shop_options(*text) : ShopOptions();
}

bool write_shop_options_file(const std::string& path, const ShopOptions& options) {
    return write_text_file(path, compose_shop_options(options));
}
