// The program's text is UTF-8; Win32 takes UTF-16. These two are the one conversion between
// them, used at every call of a wide ("W") Win32 function. Plain C++: every build has them.
#pragma once
#include <string>
#include <string_view>

// A sequence that is no UTF-8 (a stray byte, an overlong form, a surrogate) becomes U+FFFD.
std::wstring widen(std::string_view utf8);
// An unpaired surrogate becomes U+FFFD.
std::string narrow(std::wstring_view utf16);

// One code point as UTF-8; a surrogate or a value past U+10FFFF becomes U+FFFD.
std::string utf8_of(char32_t code);
// The code point utf8 begins with; U+FFFD for an empty text or one that begins with no UTF-8.
char32_t first_code_point(std::string_view utf8);
