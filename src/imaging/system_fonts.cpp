#include "imaging/system_fonts.h"

#ifdef __WINE__
#include <memory>

#include <fontconfig/fontconfig.h>

namespace {

struct PatternDestroy {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using unique_pattern = std::unique_ptr<FcPattern, PatternDestroy>;

const FcChar8* fc_text(const std::string& s) {
    return reinterpret_cast<const FcChar8*>(s.c_str());
}

// fontconfig always answers with some font, substituting a fallback for an unknown name.
unique_pattern best_match(const std::string& family, const char* lang, bool bold, bool italic) {
    const unique_pattern pattern(FcPatternCreate());
    if (!pattern)
        return nullptr;
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

#else

std::string system_font_file(const std::string&, bool, bool) {
    return {};
}
std::string fallback_font_file() {
    return {};
}

#endif
