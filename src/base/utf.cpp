#include "base/utf.h"

namespace {

constexpr char32_t Replacement = 0xFFFD;

bool is_continuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// The code point that begins at text[at]; at moves past it. A sequence that is cut short or
// malformed yields the replacement character and moves past its first byte only, so the bytes
// after it are read afresh.
char32_t decode(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80)
        return lead;
    const int length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || text.size() - at < std::size_t(length - 1))
        return Replacement;
    char32_t code = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i - 1]);
        if (!is_continuation(next))
            return Replacement;
        code = code << 6 | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are no characters.
    static constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
        return Replacement;
    at += length - 1;
    return code;
}

void encode(char32_t code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

} // namespace

std::wstring widen(std::string_view utf8) {
    std::wstring out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const char32_t code = decode(utf8, at);
        if (code < 0x10000) {
            out += static_cast<wchar_t>(code);
        } else {
            out += static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10));
            out += static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        }
    }
    return out;
}

std::string narrow(std::wstring_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t at = 0; at < utf16.size(); ++at) {
        const char32_t unit = static_cast<char16_t>(utf16[at]);
        char32_t code = unit;
        if (unit >= 0xD800 && unit <= 0xDBFF && at + 1 < utf16.size() && utf16[at + 1] >= 0xDC00 &&
            utf16[at + 1] <= 0xDFFF)
            code = 0x10000 + ((unit - 0xD800) << 10) + (char16_t(utf16[++at]) - 0xDC00);
        else if (unit >= 0xD800 && unit <= 0xDFFF)
            code = Replacement;
        encode(code, out);
    }
    return out;
}

std::string utf8_of(char32_t code) {
    std::string out;
    encode((code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF ? Replacement : code, out);
    return out;
}

char32_t first_code_point(std::string_view utf8) {
    std::size_t at = 0;
    return utf8.empty() ? Replacement : decode(utf8, at);
}
