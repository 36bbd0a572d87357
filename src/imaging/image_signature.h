// Which image coder a file's first bytes call for. Only these raster formats are ever decoded:
// the library would otherwise guess the format itself and interpret SVG, MVG, MSL, PostScript
// or text files, which can name other files, run delegates or draw without end.
#pragma once
#include <cstddef>

#include "imaging/geometry.h"

// How many leading bytes coder_for_signature and webp_claimed_size need to see.
constexpr std::size_t image_signature_length = 30;

// "JPEG", "PNG", "GIF", "BMP" or "WEBP" (the library's coder names), or nullptr when the bytes
// open none of them. length may be shorter than image_signature_length for a short file.
const char* coder_for_signature(const unsigned char* head, std::size_t length);

// The picture size that a WebP file's first chunk claims (VP8, VP8L, or the canvas of VP8X);
// 0 x 0 when the bytes hold none of them.
ImageSize webp_claimed_size(const unsigned char* head, std::size_t length);
