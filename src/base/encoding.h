// Conversion between code page 936, the program's text, and UTF-8, the image library's and the
// console's. A conversion stops at the first sequence that is invalid or has no counterpart in
// the other encoding: the text up to it is converted, the rest is dropped. One implementation
// per platform: encoding_win32.cpp in the product, encoding_iconv.cpp in the host builds.
#pragma once
#include <string>

std::string gbk_to_utf8(const std::string& src);
std::string utf8_to_gbk(const std::string& src);

// Code page 936 as UTF-16, for a Windows console, which shows that whatever its own code page.
// Only for display: a bad byte shows as a replacement character. The product's alone.
std::wstring gbk_to_wide(const std::string& src);
