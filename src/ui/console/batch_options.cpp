#include "ui/console/batch_options.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iterator>

#include "base/text.h"

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

// Where the options put what they read.
struct Target {
    FormSnapshot& form;
    FontSpec& font;
    BatchCommand& command;
    std::string (*to_program_path)(const std::string&);
};

// A list index as a list of the window holds it: digits only, at most four.
bool parse_index(const std::string& text, int& out) {
    if (!is_digits(text.c_str()) || text.size() > 4)
        return false;
    out = *parse_decimal(text);
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

// The kinds of value an option takes, one parser each; false for a value it cannot take.
// Edits take what the window's edit box would hold of the value.

template <std::string FormSnapshot::*Edit> bool numeric_edit(const std::string& value, Target& t) {
    t.form.*Edit = as_numeric_edit_reads(value);
    return true;
}

template <std::string FormSnapshot::*Edit> bool text_edit(const std::string& value, Target& t) {
    t.form.*Edit = as_text_edit_reads(value);
    return true;
}

template <std::string FormSnapshot::*Edit> bool path_edit(const std::string& value, Target& t) {
    t.form.*Edit = as_text_edit_reads(t.to_program_path(value));
    return true;
}

template <int FormSnapshot::*List> bool list_index(const std::string& value, Target& t) {
    return parse_index(value, t.form.*List);
}

// "H,V": the horizontal and the vertical position list.
template <int FormSnapshot::*Horz, int FormSnapshot::*Vert>
bool index_pair(const std::string& value, Target& t) {
    std::string horz, vert;
    return split_pair(value, horz, vert) && parse_index(horz, t.form.*Horz) &&
           parse_index(vert, t.form.*Vert);
}

// "X,Y": the horizontal and the vertical margin edit.
template <std::string FormSnapshot::*Horz, std::string FormSnapshot::*Vert>
bool margin_pair(const std::string& value, Target& t) {
    std::string horz, vert;
    if (!split_pair(value, horz, vert))
        return false;
    t.form.*Horz = as_numeric_edit_reads(horz);
    t.form.*Vert = as_numeric_edit_reads(vert);
    return true;
}

// Degrees as the rotation list offers them.
bool rotation(const std::string& value, Target& t) {
    t.form.rotate_combo = value == "90" ? 0 : value == "180" ? 1 : value == "270" ? 2 : -1;
    return t.form.rotate_combo >= 0;
}

bool font_name(const std::string& value, Target& t) {
    return copy_to_field(t.font.fontName, value.data(), value.size());
}

bool font_size(const std::string& value, Target& t) {
    return parse_index(value, t.font.fontSize);
}

bool font_color(const std::string& value, Target& t) {
    uint32_t rgb;
    if (!parse_html_color(value, rgb))
        return false;
    set_font_color(t.font, rgb);
    return true;
}

// Switches without a value, one setter each.

template <bool FormSnapshot::*Check, bool On> void check_box(Target& t) {
    t.form.*Check = On;
}

template <int32_t FontSpec::*Style> void font_style(Target& t) {
    t.font.*Style = 1;
}

void answer_yes(Target& t) {
    t.command.yes = true;
}

void show_help(Target& t) {
    t.command.help = true;
}

// One row per option: an option with a value ticks the check box that switches its group on (if
// any) and reads the value; a switch only sets.
struct Option {
    const char* name;
    bool FormSnapshot::*ticks;
    bool (*read)(const std::string& value, Target& t);
    void (*set)(Target& t);
};

using Form = FormSnapshot;
const Option Options[] = {
    {"--width", &Form::width_check, numeric_edit<&Form::width_edit>, nullptr},
    {"--quality", &Form::quality_check, list_index<&Form::quality_combo>, nullptr},
    {"--no-quality", nullptr, nullptr, check_box<&Form::quality_check, false>},
    {"--rotate", &Form::rotate_check, rotation, nullptr},
    {"--subfolders", nullptr, nullptr, check_box<&Form::subfolders_check, true>},
    {"--text", &Form::text_watermark_check, text_edit<&Form::text_edit>, nullptr},
    {"--text-opacity", nullptr, list_index<&Form::text_opacity_combo>, nullptr},
    {"--text-pos", nullptr, index_pair<&Form::text_horz_combo, &Form::text_vert_combo>, nullptr},
    {"--text-margins", nullptr, margin_pair<&Form::text_horz_edit, &Form::text_vert_edit>, nullptr},
    {"--font", nullptr, font_name, nullptr},
    {"--font-size", nullptr, font_size, nullptr},
    {"--font-color", nullptr, font_color, nullptr},
    {"--bold", nullptr, nullptr, font_style<&FontSpec::isWeight>},
    {"--italic", nullptr, nullptr, font_style<&FontSpec::isItalic>},
    {"--image", &Form::image_watermark_check, path_edit<&Form::image_edit>, nullptr},
    {"--image-pos", nullptr, index_pair<&Form::image_horz_combo, &Form::image_vert_combo>, nullptr},
    {"--image-margins", nullptr, margin_pair<&Form::image_horz_edit, &Form::image_vert_edit>,
     nullptr},
    {"--yes", nullptr, nullptr, answer_yes},
    {"--help", nullptr, nullptr, show_help},
};

const Option* find_option(const std::string& name) {
    const auto* option = std::find_if(std::begin(Options), std::end(Options),
                                      [&](const Option& o) { return name == o.name; });
    return option == std::end(Options) ? nullptr : option;
}

bool is_option(const std::string& arg) {
    return arg.size() >= 2 && arg.compare(0, 2, "--") == 0;
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
    BatchCommand command;
    Target target{form, font, command, to_program_path};
    std::vector<std::string> folders;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!is_option(arg)) {
            folders.push_back(arg);
            continue;
        }
        const Option* option = find_option(arg);
        if (!option) {
            command.error = "unknown option " + arg;
            return command;
        }
        if (option->set) {
            option->set(target);
            continue;
        }
        if (i + 1 == args.size()) {
            command.error = arg + " needs a value";
            return command;
        }
        if (option->ticks)
            form.*option->ticks = true;
        if (!option->read(args[++i], target)) {
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
