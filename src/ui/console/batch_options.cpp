#include "ui/console/batch_options.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <iterator>

#include "base/text.h"

const char batch_usage[] =
    "Usage: ombrel-batch [options] SOURCE TARGET\n"
    "\n"
    "Processes the images of the folder SOURCE into the folder TARGET exactly as the Ombrel\n"
    "window does. The run starts from the window's settings, config.dat and options.ini in the\n"
    "program folder, and leaves those files as they are unless --save is given.\n"
    "\n"
    "  --width N              shrink to N pixels wide (1-9999)\n"
    "  --quality Q            JPEG quality 100, 95, 90, ... 50 (lowered to it, never raised)\n"
    "  --no-quality           keep the images' own quality\n"
    "  --rotate 90|180|270    rotate clockwise\n"
    "  --subfolders           process the whole folder tree, mirrored in TARGET\n"
    "  --text TEXT            stamp a text watermark\n"
    "  --text-opacity P       its opacity in percent: 100, 90, ... 10\n"
    "  --text-pos H,V         position: 0 centred, 1 left/top, 2 right/bottom\n"
    "  --text-margins X,Y     margins in pixels (0-999 from a side)\n"
    "  --font NAME            font face, as the font dialog names it\n"
    "  --font-size N          font size in points (8-72)\n"
    "  --font-color #rrggbb   text colour\n"
    "  --bold, --italic       font style\n"
    "  --image PATH           stamp a watermark image\n"
    "  --image-pos H,V        as --text-pos\n"
    "  --image-margins X,Y    as --text-margins\n"
    "  --keep-metadata        keep the photos' EXIF data (camera, time), without location and\n"
    "                         thumbnail; without it a result keeps only its colour profile\n"
    "\n"
    "Shop-ready steps, after the ones above, in this order:\n"
    "  --fit WxH              shrink (never enlarge) to fit inside W x H\n"
    "  --canvas WxH[,#rrggbb] centre on a canvas of exactly W x H (default white), shrunk to fit\n"
    "  --image-scale P        the watermark image P % as wide as the result (1-100)\n"
    "  --text-scale P         the watermark text P % of the result's width high (1-100)\n"
    "  --slice H              cut a result taller than H (100-9999) into NAME-1.jpg, "
    "NAME-2.jpg...\n"
    "  --max-kb N             encode again at a lower quality (not below 30) to stay within N KB\n"
    "  --rename PATTERN       name results by PATTERN: {name} the source's name, {n} or {n:03}\n"
    "                         its number in the folder, {folder} the folder's name; .jpg added\n"
    "\n"
    "  --defaults             start from the program's default settings\n"
    "  --settings FILE        start from the settings file FILE (written as config.dat is) and\n"
    "                         the options.ini beside it\n"
    "  --save                 keep the run's settings: in FILE and the options.ini beside it with\n"
    "                         --settings, else in config.dat and options.ini, where the window\n"
    "                         finds them\n"
    "  --yes                  overwrite existing results; without it the run stops at the first\n"
    "                         result that exists\n"
    "  --jobs N               process N images at once (1-64; default: one per processor)\n"
    "  --help                 this text\n"
    "\n"
    "Paths may be relative, Unix or Windows paths. The last line sums the run up.\n"
    "Exit status: 0 every image processed (animated GIFs are skipped), 1 a setting was\n"
    "refused, 2 the run was cancelled, 3 a folder could not be read or created, 4 an image\n"
    "could not be read, processed or written, 64 usage.\n";

namespace {

// What the window's boxes hold.
constexpr std::size_t NumericBox = NumericEditLimit;
constexpr std::size_t TextBox = TextEditLimit;

// Where the options put what they read.
struct Target {
    FormSnapshot& form;
    FontSpec& font;
    const ArgumentEnvironment& env;
};

// Each reader takes an option's value or says why it cannot: empty when taken.
using Reason = std::string;

Reason fits_box(const std::string& text, std::size_t box) {
    return cp936_length(text) <= box ? Reason()
                                     : "longer than its box holds (" + std::to_string(box) +
                                           (box == NumericBox ? " characters)" : " bytes)");
}

// The list entry whose value is value, or -1.
template <typename T, int N, typename Show>
int entry_of(const T (&table)[N], const std::string& value, Show show) {
    for (int i = 0; i < N; ++i)
        if (value == std::to_string(show(table[i])))
            return i;
    return -1;
}

template <typename T, int N, typename Show> Reason not_one_of(const T (&table)[N], Show show) {
    Reason reason = "not one of";
    for (int i = 0; i < N; ++i)
        reason += (i ? ", " : " ") + std::to_string(show(table[i]));
    return reason;
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

// A position list's index (centred, left or top, right or bottom), one digit.
bool position_index(const std::string& text, int& index) {
    const int digit = text.size() == 1 ? text[0] - '0' : -1;
    if (digit < 0 || digit >= int(std::size(direction_values)))
        return false;
    index = digit;
    return true;
}

// The kinds of value an option takes, one reader each. An edit takes the text as typed (the
// checks of a run judge it, as they judge the window's); a list takes one of its entries.

template <std::string FormSnapshot::*Edit>
Reason numeric_edit(const std::string& value, Target& t) {
    t.form.*Edit = value;
    return fits_box(value, NumericBox);
}

template <std::string FormSnapshot::*Edit> Reason text_edit(const std::string& value, Target& t) {
    t.form.*Edit = value;
    return fits_box(value, TextBox);
}

Reason image_file(const std::string& value, Target& t) {
    t.form.image_edit = t.env.program_path(value);
    if (Reason reason = fits_box(t.form.image_edit, TextBox); !reason.empty())
        return reason;
    return t.env.file_exists(t.form.image_edit) ? Reason() : "no such file";
}

// A whole number shows as it is.
int as_shown(int value) {
    return value;
}
int percent_shown(float opacity) {
    return static_cast<int>(std::lround(opacity * 100));
}

Reason quality(const std::string& value, Target& t) {
    t.form.quality_combo = entry_of(quality_values, value, as_shown);
    return t.form.quality_combo >= 0 ? Reason() : not_one_of(quality_values, as_shown);
}

Reason opacity(const std::string& value, Target& t) {
    t.form.text_opacity_combo = entry_of(opacity_values, value, percent_shown);
    return t.form.text_opacity_combo >= 0 ? Reason() : not_one_of(opacity_values, percent_shown);
}

// "H,V": the horizontal and the vertical position list.
template <int FormSnapshot::*Horz, int FormSnapshot::*Vert>
Reason position_pair(const std::string& value, Target& t) {
    std::string horz, vert;
    if (split_pair(value, horz, vert) && position_index(horz, t.form.*Horz) &&
        position_index(vert, t.form.*Vert))
        return {};
    return "not H,V with each 0, 1 or 2";
}

// "X,Y": the horizontal and the vertical margin edit.
template <std::string FormSnapshot::*Horz, std::string FormSnapshot::*Vert>
Reason margin_pair(const std::string& value, Target& t) {
    std::string horz, vert;
    if (!split_pair(value, horz, vert))
        return "not X,Y";
    t.form.*Horz = horz;
    t.form.*Vert = vert;
    return fits_box(horz.size() > vert.size() ? horz : vert, NumericBox);
}

// The shop-ready steps: an option switches its step on and takes its values as given; the run's
// checks judge their ranges, as they judge the dialog's.

bool read_number(const std::string& text, int& number) {
    const auto parsed = is_digits(text.c_str()) ? parse_decimal(text) : std::nullopt;
    if (parsed)
        number = *parsed;
    return parsed.has_value();
}

// "WxH".
bool read_size(const std::string& text, int& width, int& height) {
    const std::size_t x = text.find('x');
    return x != std::string::npos && read_number(text.substr(0, x), width) &&
           read_number(text.substr(x + 1), height);
}

template <bool ShopOptions::*Step, int ShopOptions::*Value>
Reason shop_number(const std::string& value, Target& t) {
    t.form.shop.*Step = true;
    return read_number(value, t.form.shop.*Value) ? Reason() : "not a number";
}

Reason fit_box(const std::string& value, Target& t) {
    ShopOptions& shop = t.form.shop;
    shop.fit = true;
    return read_size(value, shop.fit_width, shop.fit_height) ? Reason() : "not WxH";
}

// "WxH" or "WxH,#rrggbb".
Reason canvas(const std::string& value, Target& t) {
    ShopOptions& shop = t.form.shop;
    shop.canvas = true;
    std::string size = value, color;
    split_pair(value, size, color);
    if (!read_size(size, shop.canvas_width, shop.canvas_height))
        return "not WxH or WxH,#rrggbb";
    return color.empty() || parse_html_color(color, shop.canvas_color) ? Reason() : "not #rrggbb";
}

Reason rename_pattern(const std::string& value, Target& t) {
    t.form.shop.rename = true;
    t.form.shop.rename_pattern = value;
    return {};
}

// Degrees as the rotation list offers them.
Reason rotation(const std::string& value, Target& t) {
    t.form.rotate_combo = entry_of(rotation_angles, value, as_shown);
    return t.form.rotate_combo >= 0 ? Reason() : not_one_of(rotation_angles, as_shown);
}

Reason font_name(const std::string& value, Target& t) {
    if (!copy_to_field(t.font.fontName, value.data(), value.size()))
        return "longer than a face name (31 bytes)";
    return t.env.font_installed(value) ? Reason() : "no such font";
}

// The sizes the font dialog offers.
Reason font_size(const std::string& value, Target& t) {
    const auto size = is_digits(value.c_str()) ? parse_decimal(value) : std::nullopt;
    if (!size || *size < 8 || *size > 72)
        return "not a size from 8 to 72";
    t.font.fontSize = *size;
    return {};
}

Reason font_color(const std::string& value, Target& t) {
    uint32_t rgb;
    if (!parse_html_color(value, rgb))
        return "not #rrggbb";
    set_font_color(t.font, rgb);
    return {};
}

template <bool FormSnapshot::*Check, bool On> void check_box(Target& t) {
    t.form.*Check = On;
}

void keep_metadata(Target& t) {
    t.form.shop.keep_metadata = true;
}

template <int32_t FontSpec::*Style> void font_style(Target& t) {
    t.font.*Style = 1;
}

// One row per option that sets a value: an option with a value ticks the check box that
// switches its group on (if any) and reads the value; a switch only sets.
struct Option {
    const char* name;
    bool FormSnapshot::*ticks;
    Reason (*read)(const std::string& value, Target& t);
    void (*set)(Target& t);
};

using Form = FormSnapshot;
using Shop = ShopOptions;
const Option Options[] = {
    {"--width", &Form::width_check, numeric_edit<&Form::width_edit>, nullptr},
    {"--quality", &Form::quality_check, quality, nullptr},
    {"--no-quality", nullptr, nullptr, check_box<&Form::quality_check, false>},
    {"--rotate", &Form::rotate_check, rotation, nullptr},
    {"--subfolders", nullptr, nullptr, check_box<&Form::subfolders_check, true>},
    {"--text", &Form::text_watermark_check, text_edit<&Form::text_edit>, nullptr},
    {"--text-opacity", nullptr, opacity, nullptr},
    {"--text-pos", nullptr, position_pair<&Form::text_horz_combo, &Form::text_vert_combo>, nullptr},
    {"--text-margins", nullptr, margin_pair<&Form::text_horz_edit, &Form::text_vert_edit>, nullptr},
    {"--font", nullptr, font_name, nullptr},
    {"--font-size", nullptr, font_size, nullptr},
    {"--font-color", nullptr, font_color, nullptr},
    {"--bold", nullptr, nullptr, font_style<&FontSpec::isWeight>},
    {"--italic", nullptr, nullptr, font_style<&FontSpec::isItalic>},
    {"--image", &Form::image_watermark_check, image_file, nullptr},
    {"--image-pos", nullptr, position_pair<&Form::image_horz_combo, &Form::image_vert_combo>,
     nullptr},
    {"--image-margins", nullptr, margin_pair<&Form::image_horz_edit, &Form::image_vert_edit>,
     nullptr},
    {"--keep-metadata", nullptr, nullptr, keep_metadata},
    {"--fit", nullptr, fit_box, nullptr},
    {"--canvas", nullptr, canvas, nullptr},
    {"--image-scale", nullptr, shop_number<&Shop::image_scale, &Shop::image_scale_percent>,
     nullptr},
    {"--text-scale", nullptr, shop_number<&Shop::text_scale, &Shop::text_scale_percent>, nullptr},
    {"--slice", nullptr, shop_number<&Shop::slice, &Shop::slice_height>, nullptr},
    {"--max-kb", nullptr, shop_number<&Shop::max_kb, &Shop::max_kb_value>, nullptr},
    {"--rename", nullptr, rename_pattern, nullptr},
};

const Option* find_option(const std::string& name) {
    const auto* option = std::find_if(std::begin(Options), std::end(Options),
                                      [&](const Option& o) { return name == o.name; });
    return option == std::end(Options) ? nullptr : option;
}

// More threads than that only take memory.
constexpr int MaxJobs = 64;

// The switches that shape the run rather than set a value; --settings takes the file, --jobs
// its number.
bool read_run_switch(const std::string& arg, const std::vector<std::string>& args, std::size_t& i,
                     BatchCommand& command, const ArgumentEnvironment& env) {
    if (arg == "--jobs") {
        const auto jobs = i + 1 < args.size() && is_digits(args[i + 1].c_str())
                              ? parse_decimal(args[i + 1])
                              : std::nullopt;
        if (!jobs || *jobs < 1 || *jobs > MaxJobs) {
            command.error = "--jobs needs a number from 1 to " + std::to_string(MaxJobs);
        } else {
            command.jobs = *jobs;
            ++i;
        }
    } else if (arg == "--help")
        command.help = true;
    else if (arg == "--yes")
        command.yes = true;
    else if (arg == "--save")
        command.save = true;
    else if (arg == "--defaults" || arg == "--settings") {
        if (command.start != StartingSettings::ConfigDat)
            command.error = "--defaults and --settings exclude each other";
        else if (arg == "--defaults")
            command.start = StartingSettings::Defaults;
        else if (i + 1 == args.size())
            command.error = arg + " needs a value";
        else {
            command.start = StartingSettings::File;
            command.settings_file = env.program_path(args[++i]);
        }
    } else
        return false;
    return true;
}

bool is_option(const std::string& arg) {
    return arg.size() >= 2 && arg.compare(0, 2, "--") == 0;
}

} // namespace

BatchCommand parse_batch_command(const std::vector<std::string>& args,
                                 const ArgumentEnvironment& env) {
    BatchCommand command;
    for (std::size_t i = 0; i < args.size() && command.error.empty(); ++i) {
        const std::string& arg = args[i];
        if (!is_option(arg))
            command.folders.push_back(arg);
        else if (read_run_switch(arg, args, i, command, env))
            continue;
        else if (const Option* option = find_option(arg); !option)
            command.error = "unknown option " + arg;
        else if (option->set)
            command.options.push_back({arg, {}});
        else if (i + 1 == args.size())
            command.error = arg + " needs a value";
        else
            command.options.push_back({arg, args[++i]});
    }
    if (command.error.empty() && !command.help && command.folders.size() != 2)
        command.error = "give SOURCE and TARGET";
    return command;
}

std::string apply_batch_options(const BatchCommand& command, FormSnapshot& form, FontSpec& font,
                                const ArgumentEnvironment& env) {
    Target target{form, font, env};
    for (const OptionArgument& given : command.options) {
        const Option& option = *find_option(given.name);
        if (option.set) {
            option.set(target);
            continue;
        }
        if (option.ticks)
            form.*option.ticks = true;
        if (const Reason reason = option.read(given.value, target); !reason.empty())
            return given.name + " " + given.value + ": " + reason;
    }
    std::string* folders[] = {&form.source_folder_edit, &form.target_folder_edit};
    for (int i = 0; i < 2; ++i) {
        *folders[i] = env.program_path(command.folders[i]);
        if (const Reason reason = fits_box(*folders[i], TextBox); !reason.empty())
            return command.folders[i] + ": " + reason;
    }
    return {};
}
