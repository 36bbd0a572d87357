// The program's text is UTF-8; Win32 takes UTF-16. These two are the one conversion between
// them, used at every call of a wide ("W") Win32 function. Plain C++: every build has them.
#pragma once
#include <string>
#include <string_view>

// A sequence that is no UTF-8 (a stray byte, an overlong form, a surrogate) becomes U+FFFD.
std::wstring widen(std::string_view utf8);
// An unpaired surrogate becomes U+FFFD.
std::string narrow(std::wstring_view utf16);
