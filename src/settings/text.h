// Small helpers on NUL-terminated code-page-936 byte strings.
#pragma once
#include <cstddef>

char* trim_right(char* s);
char* trim(char* s);
int is_digits(const char* s);
int has_non_ascii(const char* s);
int ends_with(const char* s, const char* suffix);
int ends_with_nocase(const char* s, const char* suffix);
int starts_with(const char* s, const char* prefix);

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
