// Conversion between code page 936 and UTF-8, the program's text, for the stored files and the
// requests that fix code page 936 (config.dat, the web site's request texts), and for nothing
// else. A conversion stops at the first sequence that is invalid or has no counterpart in the
// other encoding: the text up to it is converted, the rest is dropped. One implementation per
// platform: encoding_win32.cpp in the product, encoding_iconv.cpp in the host builds.
#pragma once
#include <string>

std::string gbk_to_utf8(const std::string& src);
std::string utf8_to_gbk(const std::string& src);
