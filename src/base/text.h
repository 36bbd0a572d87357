// Small helpers on the program's text: UTF-8, NUL-terminated where a char pointer is taken.
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

// Whether text begins with prefix, ASCII letters compared without case, every other character
// exactly (no byte of a UTF-8 sequence is an ASCII letter).
bool starts_with_nocase(std::string_view text, std::string_view prefix);

// The one decimal parser: reads an integer the way "%d" does (leading white space, a sign,
// digits up to the first other byte). Values beyond 32 bits saturate. Nothing when no digit
// follows.
std::optional<int32_t> parse_decimal(std::string_view text);

// The bytes of the UTF-8 character that begins at s[0] (of len bytes, len > 0).
std::size_t utf8_character_length(const char* s, std::size_t len);

// The limits the program promises in bytes (a 1023-byte path or text edit, 4-character numeric
// edits, a 255-byte watermark text, a 31-byte face name) are bytes of code page 936, and keep
// that meaning whatever script the text is in: an ASCII character counts 1, every other
// character 2, as a Chinese character does there; a character code page 936 cannot hold (an
// emoji, Hangul, an accented letter it lacks) counts 2 as well, so the rule needs no table.
std::size_t cp936_length(std::string_view text);

// The longest prefix of s (of len bytes of UTF-8) whose code-page-936 length is at most
// max_bytes, never ending inside a UTF-8 sequence. In bytes of s.
std::size_t cp936_prefix_length(const char* s, std::size_t len, std::size_t max_bytes);

// A char field for text of at most limit bytes of code page 936, in UTF-8, where no character
// takes more than twice the bytes it counts there (4 for an emoji that counts 2).
constexpr std::size_t text_field_size(std::size_t limit) {
    return 2 * limit + 1;
}

// Copies src into a field of field_size bytes (text_field_size of its limit), cut to the limit
// without splitting a character; the field is always terminated. Returns false when src had to
// be cut.
bool copy_to_field(char* field, std::size_t field_size, const char* src, std::size_t len);

template <std::size_t N> bool copy_to_field(char (&field)[N], const char* src, std::size_t len) {
    return copy_to_field(field, N, src, len);
}
