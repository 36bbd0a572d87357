// config.dat: the stored format that older files rely on, and what a damaged file loads.
#include <cstring>

#include "settings/config_format.h"
#include "base/encoding.h"
#include "base/text_mode.h"
#include "support/check.h"

namespace {

Settings loaded(const std::string& disk, Settings settings = Settings{}) {
    const std::string text = from_text_mode(disk);
    apply_config_text(text.data(), text.size(), settings);
    return settings;
}

// Every key, in its order, as the file on disk holds it (code page 936): read and written back
// unchanged.
void the_stored_format() {
    const std::string disk =
        utf8_to_gbk("width=1024\r\nquanlity=10\r\nsy_text=淘宝 店铺\r\nsy_text_opacity=9\r\n"
                    "sy_text_w_direction=1\r\nsy_text_w_value=-3\r\nsy_text_h_direction=0\r\n"
                    "sy_text_h_value=999\r\nsy_text_fontName=宋体\r\nsy_text_fontSize=72\r\n"
                    "sy_text_isItalic=1\r\nsy_text_isWeight=0\r\nsy_text_htmlColor=#0080ff\r\n"
                    "sy_text_rgbColors=16744448\r\nsy_image=Z:\\嘰\\logo.png\r\n"
                    "sy_image_w_direction=2\r\nsy_image_w_value=5\r\nsy_image_h_direction=0\r\n"
                    "sy_image_h_value=6\r\n");
    const Settings s = loaded(disk);
    check(s.width == 1024 && s.sy_text_w_value == -3 && s.sy_text_h_value == 999 &&
              s.font.rgbColors == 0xFF8000 && s.font.isItalic && !s.font.isWeight &&
              s.sy_image_w_value == 5 && s.sy_image_h_value == 6,
          "the values read");
    check_equal(std::string(s.sy_image), "Z:\\嘰\\logo.png", "the path read");
    check_equal(to_text_mode(compose_config_text(s)), disk, "config.dat written");
}

// Junk lines and unknown keys are passed over; a value too long for its field is cut before a
// character that would not fit whole; a last line without its line end is not applied.
void a_damaged_file_loads_what_it_can() {
    std::string chinese;
    for (int i = 0; i < 200; ++i)
        chinese += "国";
    Settings before{};
    before.sy_image_h_value = 7;
    const Settings s =
        loaded("\x81\xFF junk\r\nWidth=1\r\n=\r\nwidth=640px\r\nsy_text=" + utf8_to_gbk(chinese) +
                   "\r\nsy_text_fontName=" + std::string(40, 'N') +
                   "\nsy_text_fontSize=x\nsy_image_h_value=20",
               before);
    check_equal(s.width, 640, "width");
    check_equal(std::string(s.sy_text), chinese.substr(0, 127 * 3), "the cut text: 127 of them");
    check_equal(std::string(s.font.fontName), std::string(31, 'N'), "the cut font name");
    check_equal(s.font.fontSize, 0, "a size that is no number");
    check_equal(s.sy_image_h_value, 7, "the unfinished last line");
}

// What code page 936 cannot hold is stored as references to exactly those characters, and read
// back; references to characters it holds, or not closed, are text as an older file meant them.
void characters_beyond_code_page_936() {
    const struct {
        const char* typed;
        const char* stored; // UTF-8 here, code page 936 on disk
    } rows[] = {
        {"한국", "&#54620;&#44397;"},
        {"Shop 样品 👍", "Shop 样品 &#128077;"},
        {"naïve Straße 𠀋", "na&#239;ve Stra&#223;e &#131083;"},
        {"&#26679; &#54620", "&#26679; &#54620"},
    };
    for (const auto& row : rows) {
        Settings settings{};
        copy_to_field(settings.sy_text, row.typed, std::strlen(row.typed));
        const std::string line = "sy_text=" + utf8_to_gbk(row.stored) + "\n";
        check(compose_config_text(settings).find(line) != std::string::npos, row.typed);
        check_equal(std::string(loaded(line).sy_text), std::string(row.typed), row.stored);
    }
}

const TestCase cases[] = {
    {"characters beyond code page 936", characters_beyond_code_page_936},
    {"the stored format", the_stored_format},
    {"a damaged file loads what it can", a_damaged_file_loads_what_it_can},
};
const Registration registration(cases);

} // namespace
