// Conversion of code-page-936 text to UTF-8, in front of every call into the image library.
#pragma once
#include <string>

// Converts src into dst, which the caller has zero-filled; dst_size is its size (1024 for
// texts and paths). The result is always terminated within dst.
void gbk_to_utf8(const char* src, char* dst, std::size_t dst_size = 1024);

// The same conversion for callers that want a string back.
std::string gbk_to_utf8(const std::string& src);

// UTF-8 to code page 936, for text that comes back from the library or the console.
std::string utf8_to_gbk(const std::string& src);
