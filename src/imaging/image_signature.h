// Which image coder a file's first bytes call for. Only these raster formats are ever decoded:
// the library would otherwise guess the format itself and interpret SVG, MVG, MSL, PostScript
// or text files, which can name other files, run delegates or draw without end.
#pragma once
#include <cstddef>

// How many leading bytes coder_for_signature needs to see.
constexpr std::size_t image_signature_length = 12;

// "JPEG", "PNG", "GIF", "BMP" or "WEBP" (the library's coder names), or nullptr when the bytes
// open none of them. length may be shorter than image_signature_length for a short file.
const char* coder_for_signature(const unsigned char* head, std::size_t length);
