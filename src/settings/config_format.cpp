#include "settings/config_format.h"

#include <cstddef>
#include <optional>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "base/encoding.h"
#include "base/text.h"
#include "base/utf.h"

namespace {

// How a key's value is held in the record, which also sets its limits.
enum class FieldKind {
    Number, // int32_t, read as "%d" reads it: values beyond 32 bits saturate
    Colour, // uint32_t 0x00BBGGRR, read and written as a signed 32-bit number ("%ld")
    Text,   // a char field of UTF-8: cut to its limit in code page 936, no character split
};

// One line of config.dat: the key, the field that holds its value (offset in the record, and
// for a text the field's size), its kind and the value of a new file.
struct ConfigKey {
    const char* name;
    FieldKind kind;
    std::size_t offset;
    std::size_t text_size;
    const char* default_value;
};

constexpr std::size_t FontOffset = offsetof(Settings, font);

// The 19 keys in the order of the file; a stored file relies on these names and this order.
constexpr ConfigKey config_keys[] = {
    {"width", FieldKind::Number, offsetof(Settings, width), 0, "750"},
    {"quanlity", FieldKind::Number, offsetof(Settings, quanlity), 0, "2"},
    {"sy_text", FieldKind::Text, offsetof(Settings, sy_text), sizeof Settings::sy_text, ""},
    {"sy_text_opacity", FieldKind::Number, offsetof(Settings, sy_text_opacity), 0, "0"},
    {"sy_text_w_direction", FieldKind::Number, offsetof(Settings, sy_text_w_direction), 0, "2"},
    {"sy_text_w_value", FieldKind::Number, offsetof(Settings, sy_text_w_value), 0, "16"},
    {"sy_text_h_direction", FieldKind::Number, offsetof(Settings, sy_text_h_direction), 0, "2"},
    {"sy_text_h_value", FieldKind::Number, offsetof(Settings, sy_text_h_value), 0, "16"},
    {"sy_text_fontName", FieldKind::Text, FontOffset + offsetof(FontSpec, fontName),
     sizeof FontSpec::fontName, "Arial"},
    {"sy_text_fontSize", FieldKind::Number, FontOffset + offsetof(FontSpec, fontSize), 0, "26"},
    {"sy_text_isItalic", FieldKind::Number, FontOffset + offsetof(FontSpec, isItalic), 0, "0"},
    {"sy_text_isWeight", FieldKind::Number, FontOffset + offsetof(FontSpec, isWeight), 0, "0"},
    {"sy_text_htmlColor", FieldKind::Text, FontOffset + offsetof(FontSpec, htmlColor),
     sizeof FontSpec::htmlColor, "#000000"},
    {"sy_text_rgbColors", FieldKind::Colour, FontOffset + offsetof(FontSpec, rgbColors), 0, "0"},
    {"sy_image", FieldKind::Text, offsetof(Settings, sy_image), sizeof Settings::sy_image, ""},
    {"sy_image_w_direction", FieldKind::Number, offsetof(Settings, sy_image_w_direction), 0, "2"},
    {"sy_image_w_value", FieldKind::Number, offsetof(Settings, sy_image_w_value), 0, "16"},
    {"sy_image_h_direction", FieldKind::Number, offsetof(Settings, sy_image_h_direction), 0, "2"},
    {"sy_image_h_value", FieldKind::Number, offsetof(Settings, sy_image_h_value), 0, "16"},
};

char* field_of(Settings& settings, const ConfigKey& key) {
    return reinterpret_cast<char*>(&settings) + key.offset;
}
const char* field_of(const Settings& settings, const ConfigKey& key) {
    return reinterpret_cast<const char*>(&settings) + key.offset;
}

// config.dat is code page 936 on disk, so a file whose values it can hold is byte for byte the
// file older versions wrote and read. A character it cannot hold (Hangul, an emoji) is stored
// as an HTML-style reference, "&#54620;", rather than lost as "?"; loading turns back only
// references to such characters, so the text of an older file, which can hold none, reads as
// it always did unless it spells one out literally. References hold no "=", which ends a value.
bool cp936_holds(std::string_view character) {
    return !utf8_to_gbk(std::string(character)).empty();
}

std::string stored_text(std::string_view utf8) {
    std::string disk;
    for (std::size_t at = 0, n; at < utf8.size(); at += n) {
        n = utf8_character_length(utf8.data() + at, utf8.size() - at);
        const std::string_view character = utf8.substr(at, n);
        const std::string gbk = utf8_to_gbk(std::string(character));
        if (!gbk.empty()) {
            disk += gbk;
        } else {
            const char32_t code = first_code_point(character);
            disk += "&#" + std::to_string(static_cast<unsigned long>(code)) + ";";
        }
    }
    return disk;
}

// The character a reference "&#N;" at text[at] names, when it is one code page 936 cannot hold;
// end is set past it.
std::optional<std::string> referenced_character(std::string_view text, std::size_t at,
                                                std::size_t& end) {
    if (text.compare(at, 2, "&#") != 0)
        return std::nullopt;
    std::size_t i = at + 2;
    unsigned long code = 0;
    while (i < text.size() && i < at + 9 && text[i] >= '0' && text[i] <= '9')
        code = code * 10 + (text[i++] - '0');
    if (i == at + 2 || i >= text.size() || text[i] != ';' || code == 0 || code > 0x10FFFF ||
        (code >= 0xD800 && code <= 0xDFFF))
        return std::nullopt;
    std::string character = utf8_of(code);
    if (cp936_holds(character))
        return std::nullopt;
    end = i + 1;
    return character;
}

std::string loaded_text(std::string_view disk) {
    const std::string utf8 = gbk_to_utf8(std::string(disk));
    std::string text;
    for (std::size_t at = 0; at < utf8.size();) {
        std::size_t end = 0;
        if (auto character = referenced_character(utf8, at, end)) {
            text += *character;
            at = end;
        } else {
            text += utf8[at++];
        }
    }
    return text;
}

// A number that does not start with digits leaves the field as it was.
void set_field(Settings& settings, const ConfigKey& key, std::string_view value) {
    char* field = field_of(settings, key);
    if (key.kind == FieldKind::Text) {
        const std::string text = loaded_text(value);
        copy_to_field(field, key.text_size, text.data(), text.size());
        return;
    }
    const auto number = parse_decimal(value);
    if (!number)
        return;
    if (key.kind == FieldKind::Number)
        *reinterpret_cast<int32_t*>(field) = *number;
    else
        *reinterpret_cast<uint32_t*>(field) = static_cast<uint32_t>(*number);
}

std::string field_text(const Settings& settings, const ConfigKey& key) {
    const char* field = field_of(settings, key);
    switch (key.kind) {
    case FieldKind::Number:
        return std::to_string(*reinterpret_cast<const int32_t*>(field));
    case FieldKind::Colour:
        return std::to_string(static_cast<int32_t>(*reinterpret_cast<const uint32_t*>(field)));
    case FieldKind::Text:
        break;
    }
    return stored_text(std::string_view(field, strnlen(field, key.text_size)));
}

// The key and the value of a line, split the way a tokenizer over "=" splits it: the key is
// the first run of bytes that are not "=", the value the next such run.
void split_line(std::string_view line, std::string_view& key, std::string_view& value) {
    auto next_token = [&line](std::size_t& pos) {
        while (pos < line.size() && line[pos] == '=')
            ++pos;
        const std::size_t start = pos;
        while (pos < line.size() && line[pos] != '=')
            ++pos;
        return line.substr(start, pos - start);
    };
    std::size_t pos = 0;
    key = next_token(pos);
    value = next_token(pos);
}

void apply_line(std::string_view line, Settings& settings) {
    line = line.substr(0, line.find('\0')); // the line ends at a NUL byte, as a C string does
    std::string_view name, value;
    split_line(line, name, value);
    for (const ConfigKey& key : config_keys)
        if (name == key.name) {
            set_field(settings, key, value);
            return;
        }
}

void add_line(std::string& out, const char* key, const std::string& value) {
    out += key;
    out += '=';
    out += value;
    out += '\n';
}

} // namespace

const char* default_config_text() {
    static const std::string text = [] {
        std::string lines;
        for (const ConfigKey& key : config_keys)
            add_line(lines, key.name, key.default_value);
        return lines;
    }();
    return text.c_str();
}

void apply_config_text(const char* text, std::size_t len, Settings& settings) {
    const std::string_view all(text, len);
    std::size_t start = 0;
    for (std::size_t end; (end = all.find('\n', start)) != std::string_view::npos; start = end + 1)
        apply_line(all.substr(start, end - start), settings);
}

std::string compose_config_text(const Settings& settings) {
    std::string out;
    for (const ConfigKey& key : config_keys)
        add_line(out, key.name, field_text(settings, key));
    return out;
}
