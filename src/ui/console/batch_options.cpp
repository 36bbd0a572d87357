#include "ui/console/batch_options.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <functional>

#include "settings/text.h"

const char batch_usage[] =
    "Usage: ombrel-batch [options] SOURCE TARGET\n"
    "\n"
    "Processes the images of the folder SOURCE into the folder TARGET exactly as the Ombrel\n"
    "window does, starting from the settings in config.dat of the program folder.\n"
    "List choices are given as the lists' indexes, margins as their edit boxes hold them.\n"
    "\n"
    "  --width N              shrink to N pixels wide (1-9999)\n"
    "  --quality INDEX        JPEG quality list index: 0=100 1=95 2=90 ... 10=50\n"
    "  --no-quality           keep the images' own quality\n"
    "  --rotate 90|180|270    rotate clockwise\n"
    "  --subfolders           process the whole folder tree, mirrored in TARGET\n"
    "  --text TEXT            stamp a text watermark\n"
    "  --text-opacity INDEX   opacity list index: 0=100% 1=90% ... 9=10%\n"
    "  --text-pos H,V         position list indexes: 0 centred, 1 left/top, 2 right/bottom\n"
    "  --text-margins X,Y     margins in pixels\n"
    "  --font NAME            font face name\n"
    "  --font-size N          font size in points\n"
    "  --font-color #rrggbb   text colour\n"
    "  --bold, --italic       font style\n"
    "  --image PATH           stamp a watermark image\n"
    "  --image-pos H,V        as --text-pos\n"
    "  --image-margins X,Y    as --text-margins\n"
    "  --yes                  answer Yes to the questions (overwrite existing results);\n"
    "                         without it the answer is No\n"
    "  --help                 this text\n"
    "\n"
    "Paths may be Unix or Windows paths. Exit status: 0 the run completed, 1 a setting was\n"
    "refused, 2 the run was cancelled, 3 a folder could not be read or created, 64 usage.\n";

namespace {

bool parse_index(const std::string& text, int& out) {
    if (!is_digits(text.c_str()) || text.size() > 4)
        return false;
    out = std::stoi(text);
    return true;
}

// "A,B" into two parts.
bool split_pair(const std::string& text, std::string& a, std::string& b) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos)
        return false;
    a = text.substr(0, comma);
    b = text.substr(comma + 1);
    return true;
}

bool parse_index_pair(const std::string& text, int& a, int& b) {
    std::string first, second;
    return split_pair(text, first, second) && parse_index(first, a) && parse_index(second, b);
}

bool parse_margin_pair(const std::string& text, std::string& a, std::string& b) {
    if (!split_pair(text, a, b))
        return false;
    a = as_numeric_edit_reads(a);
    b = as_numeric_edit_reads(b);
    return true;
}

} // namespace

bool parse_html_color(const std::string& text, uint32_t& rgb) {
    if (text.size() != 7 || text[0] != '#')
        return false;
    unsigned r, g, b;
    char end;
    if (std::sscanf(text.c_str() + 1, "%2x%2x%2x%c", &r, &g, &b, &end) != 3)
        return false;
    for (std::size_t i = 1; i < 7; ++i)
        if (!std::isxdigit(static_cast<unsigned char>(text[i])))
            return false;
    rgb = r | (g << 8) | (b << 16);
    return true;
}

BatchCommand apply_batch_arguments(const std::vector<std::string>& args, FormSnapshot& form,
                                   FontSpec& font,
                                   std::string (*to_program_path)(const std::string&)) {
    using Apply = std::function<bool(const std::string&)>;
    BatchCommand command;
    const struct {
        const char* name;
        Apply apply; // null for a switch without value
        std::function<void()> set;
    } options[] = {
        {"--width",
         [&](auto& v) {
             form.width_check = true;
             form.width_edit = as_numeric_edit_reads(v);
             return true;
         },
         {}},
        {"--quality",
         [&](auto& v) {
             form.quality_check = true;
             return parse_index(v, form.quality_combo);
         },
         {}},
        {"--no-quality", {}, [&] { form.quality_check = false; }},
        {"--rotate",
         [&](auto& v) {
             form.rotate_check = true;
             form.rotate_combo = v == "90" ? 0 : v == "180" ? 1 : v == "270" ? 2 : -1;
             return form.rotate_combo >= 0;
         },
         {}},
        {"--subfolders", {}, [&] { form.subfolders_check = true; }},
        {"--text",
         [&](auto& v) {
             form.text_watermark_check = true;
             form.text_edit = as_text_edit_reads(v);
             return true;
         },
         {}},
        {"--text-opacity", [&](auto& v) { return parse_index(v, form.text_opacity_combo); }, {}},
        {"--text-pos",
         [&](auto& v) { return parse_index_pair(v, form.text_horz_combo, form.text_vert_combo); },
         {}},
        {"--text-margins",
         [&](auto& v) { return parse_margin_pair(v, form.text_horz_edit, form.text_vert_edit); },
         {}},
        {"--font", [&](auto& v) { return copy_to_field(font.fontName, v.data(), v.size()); }, {}},
        {"--font-size", [&](auto& v) { return parse_index(v, font.fontSize); }, {}},
        {"--font-color",
         [&](auto& v) {
             if (!parse_html_color(v, font.rgbColors))
                 return false;
             std::snprintf(font.htmlColor, sizeof font.htmlColor, "#%02x%02x%02x",
                           font.rgbColors & 0xFF, (font.rgbColors >> 8) & 0xFF,
                           (font.rgbColors >> 16) & 0xFF);
             return true;
         },
         {}},
        {"--bold", {}, [&] { font.isWeight = 1; }},
        {"--italic", {}, [&] { font.isItalic = 1; }},
        {"--image",
         [&](auto& v) {
             form.image_watermark_check = true;
             form.image_edit = as_text_edit_reads(to_program_path(v));
             return true;
         },
         {}},
        {"--image-pos",
         [&](auto& v) { return parse_index_pair(v, form.image_horz_combo, form.image_vert_combo); },
         {}},
        {"--image-margins",
         [&](auto& v) { return parse_margin_pair(v, form.image_horz_edit, form.image_vert_edit); },
         {}},
        {"--yes", {}, [&] { command.yes = true; }},
        {"--help", {}, [&] { command.help = true; }},
    };

    std::vector<std::string> folders;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            folders.push_back(arg);
            continue;
        }
        const auto* option = std::find_if(std::begin(options), std::end(options),
                                          [&](const auto& o) { return arg == o.name; });
        if (option == std::end(options)) {
            command.error = "unknown option " + arg;
            return command;
        }
        if (option->set) {
            option->set();
        } else if (i + 1 == args.size()) {
            command.error = arg + " needs a value";
            return command;
        } else if (!option->apply(args[++i])) {
            command.error = "bad value for " + arg + ": " + args[i];
            return command;
        }
    }
    if (command.help)
        return command;
    if (folders.size() != 2) {
        command.error = "give SOURCE and TARGET";
        return command;
    }
    form.source_folder_edit = as_text_edit_reads(to_program_path(folders[0]));
    form.target_folder_edit = as_text_edit_reads(to_program_path(folders[1]));
    return command;
}
