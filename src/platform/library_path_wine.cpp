#include "platform/library_path.h"

#include <vector>

#include <windows.h>

#include <fontconfig/fontconfig.h>

#include "base/encoding.h"
#include "platform/unique_handle.h"

namespace {

void destroy_pattern(FcPattern* pattern) {
    FcPatternDestroy(pattern);
}
using unique_pattern = unique_any<FcPattern*, destroy_pattern, 0>;

const FcChar8* fc_text(const std::string& s) {
    return reinterpret_cast<const FcChar8*>(s.c_str());
}

// fontconfig always answers with some font, substituting a fallback for an unknown name.
unique_pattern best_match(const std::string& family, const char* lang, bool bold, bool italic) {
    const unique_pattern pattern(FcPatternCreate());
    if (!pattern)
        return {};
    FcPatternAddString(pattern.get(), FC_FAMILY, fc_text(family));
    if (lang)
        FcPatternAddString(pattern.get(), FC_LANG, reinterpret_cast<const FcChar8*>(lang));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result;
    return unique_pattern(FcFontMatch(nullptr, pattern.get(), &result));
}

// A font lists all its family names, the localised ones included.
bool has_family(FcPattern* font, const std::string& family) {
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &name) == FcResultMatch; ++i)
        if (FcStrCmpIgnoreCase(name, fc_text(family)) == 0)
            return true;
    return false;
}

std::string file_of(FcPattern* font) {
    FcChar8* file = nullptr;
    if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch)
        return {};
    return reinterpret_cast<const char*>(file);
}

} // namespace

std::string library_path(const char* path) {
    const int wide_len = MultiByteToWideChar(936, 0, path, -1, nullptr, 0);
    if (wide_len <= 0)
        return {};
    std::vector<WCHAR> wide(wide_len);
    MultiByteToWideChar(936, 0, path, -1, wide.data(), wide_len);
    const unique_process_heap<char> unix_name(wine_get_unix_file_name(wide.data()));
    return unix_name ? std::string(unix_name.get()) : std::string();
}

std::string program_path(const char* argument) {
    if (argument[0] != '/')
        return argument;
    const unique_process_heap<WCHAR> dos_name(
        wine_get_dos_file_name(gbk_to_utf8(std::string(argument)).c_str()));
    if (!dos_name)
        return argument;
    const int len = WideCharToMultiByte(936, 0, dos_name.get(), -1, nullptr, 0, nullptr, nullptr);
    std::string path(len > 0 ? len - 1 : 0, '\0');
    WideCharToMultiByte(936, 0, dos_name.get(), -1, path.data(), len, nullptr, nullptr);
    return path;
}

// A font collection is used from its first face, as the program's own font table does.
std::string system_font_file(const std::string& family, bool bold, bool italic) {
    if (family.empty())
        return {};
    const unique_pattern font = best_match(family, nullptr, bold, italic);
    if (!font || !has_family(font.get(), family))
        return {};
    return file_of(font.get());
}

// The library's own default font (Helvetica) is missing on Linux, so a face it does not know
// would draw nothing. English is asked for so that the Chinese locale does not turn the choice
// into a CJK font.
std::string fallback_font_file() {
    const unique_pattern font = best_match("sans-serif", "en", false, false);
    return font ? file_of(font.get()) : std::string();
}
