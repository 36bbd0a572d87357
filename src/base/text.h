// Small helpers on NUL-terminated code-page-936 byte strings.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

char* trim_right(char* s);
char* trim(char* s);
int is_digits(const char* s);
int has_non_ascii(const char* s);
int ends_with(const char* s, const char* suffix);
int ends_with_nocase(const char* s, const char* suffix);
int starts_with(const char* s, const char* prefix);

// The one case fold of the program: ASCII letters only, as the C locale folds them.
char ascii_lower(char c);

// Whether text begins with prefix, ASCII letters compared without case; the bytes of a
// double-byte character are compared exactly (a trail byte may look like a letter).
bool starts_with_nocase(std::string_view text, std::string_view prefix);

// The one decimal parser: reads an integer the way "%d" does (leading white space, a sign,
// digits up to the first other byte). Values beyond 32 bits saturate. Nothing when no digit
// follows.
std::optional<int32_t> parse_decimal(std::string_view text);

// True for a byte that opens a double-byte character of code page 936.
bool is_gbk_lead_byte(unsigned char b);

// The longest prefix of s (of length len) that is at most max_bytes long and does not end
// inside a double-byte character.
std::size_t gbk_prefix_length(const char* s, std::size_t len, std::size_t max_bytes);

// Copies src into a field of field_size bytes, cut so that no double-byte character is split;
// the field is always terminated. Returns false when src had to be cut.
bool copy_to_field(char* field, std::size_t field_size, const char* src, std::size_t len);

template <std::size_t N> bool copy_to_field(char (&field)[N], const char* src, std::size_t len) {
    return copy_to_field(field, N, src, len);
}
