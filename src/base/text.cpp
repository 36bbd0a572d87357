#include "base/text.h"

#include <climits>
#include <cstring>

namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// White space as the C library's scanf skips it.
bool is_c_space(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

char ascii_lower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

char* trim_right(char* s) {
    std::size_t n = std::strlen(s);
    while (n > 0 && is_blank(s[n - 1]))
        --n;
    s[n] = '\0';
    return s;
}

char* trim(char* s) {
    trim_right(s);
    while (is_blank(*s))
        ++s;
    return s;
}

int is_digits(const char* s) {
    if (*s == '\0')
        return 0;
    for (; *s; ++s)
        if (*s < '0' || *s > '9')
            return 0;
    return 1;
}

int has_non_ascii(const char* s) {
    for (; *s; ++s)
        if (static_cast<unsigned char>(*s) >= 0x80)
            return 1;
    return 0;
}

int ends_with(const char* s, const char* suffix) {
    const std::size_t n = std::strlen(s), m = std::strlen(suffix);
    if (n == 0 || m == 0)
        return n == 0 && m == 0;
    return n >= m && std::memcmp(s + n - m, suffix, m) == 0;
}

int ends_with_nocase(const char* s, const char* suffix) {
    const std::size_t n = std::strlen(s), m = std::strlen(suffix);
    if (n == 0 || m == 0)
        return n == 0 && m == 0;
    if (n < m)
        return 0;
    for (std::size_t i = 0; i < m; ++i)
        if (ascii_lower(s[n - m + i]) != ascii_lower(suffix[i]))
            return 0;
    return 1;
}

int starts_with(const char* s, const char* prefix) {
    const std::size_t m = std::strlen(prefix);
    if (m == 0)
        return *s == '\0';
    return std::strncmp(s, prefix, m) == 0;
}

bool starts_with_nocase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (ascii_lower(text[i]) != ascii_lower(prefix[i]))
            return false;
    return true;
}

std::optional<int32_t> parse_decimal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && is_c_space(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size() || !is_digit(text[i]))
        return std::nullopt;
    long long value = 0;
    for (; i < text.size() && is_digit(text[i]); ++i)
        if (value <= INT_MAX + 1LL) // past the limit already: only the sign matters
            value = value * 10 + (text[i] - '0');
    if (negative)
        value = -value;
    return static_cast<int32_t>(value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : value);
}

// A broken sequence is cut through where its continuation bytes end, never overrun.
std::size_t utf8_character_length(const char* s, std::size_t len) {
    const auto lead = static_cast<unsigned char>(s[0]);
    std::size_t want = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    std::size_t n = 1;
    while (n < want && n < len && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80)
        ++n;
    return n;
}

namespace {

std::size_t cp936_width(const char* s) {
    return static_cast<unsigned char>(s[0]) < 0x80 ? 1 : 2;
}

} // namespace

std::size_t cp936_length(std::string_view text) {
    std::size_t length = 0;
    for (std::size_t i = 0; i < text.size();
         i += utf8_character_length(text.data() + i, text.size() - i))
        length += cp936_width(text.data() + i);
    return length;
}

std::size_t cp936_prefix_length(const char* s, std::size_t len, std::size_t max_bytes) {
    std::size_t i = 0, counted = 0;
    while (i < len) {
        counted += cp936_width(s + i);
        if (counted > max_bytes)
            break;
        i += utf8_character_length(s + i, len - i);
    }
    return i;
}

bool copy_to_field(char* field, std::size_t field_size, const char* src, std::size_t len) {
    const std::size_t n = cp936_prefix_length(src, len, (field_size - 1) / 2);
    std::memcpy(field, src, n);
    field[n] = '\0';
    return n == len;
}
