#include "settings/text.h"

#include <cstring>

namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

char fold(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

} // namespace

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
        if (fold(s[n - m + i]) != fold(suffix[i]))
            return 0;
    return 1;
}

int starts_with(const char* s, const char* prefix) {
    const std::size_t m = std::strlen(prefix);
    if (m == 0)
        return *s == '\0';
    return std::strncmp(s, prefix, m) == 0;
}

bool is_gbk_lead_byte(unsigned char b) {
    return b >= 0x81 && b <= 0xFE;
}

std::size_t gbk_prefix_length(const char* s, std::size_t len, std::size_t max_bytes) {
    std::size_t i = 0;
    while (i < len) {
        const std::size_t step = (is_gbk_lead_byte(s[i]) && i + 1 < len) ? 2 : 1;
        if (i + step > max_bytes)
            break;
        i += step;
    }
    return i;
}

bool copy_to_field(char* field, std::size_t field_size, const char* src, std::size_t len) {
    const std::size_t n = gbk_prefix_length(src, len, field_size - 1);
    std::memcpy(field, src, n);
    field[n] = '\0';
    return n == len;
}
