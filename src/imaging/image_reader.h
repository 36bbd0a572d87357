// The one way the program reads an image file: source images, watermark images, the
// still-image test and the previews all come through here.
#pragma once
#include <wand/MagickWand.h>

// Reads the file at path (a Windows path in code page 936) into wand. The file's first bytes
// choose the coder (JPEG, PNG, GIF, BMP or WebP) and the read names it, so nothing else
// (SVG, MVG, MSL, PostScript, text, ...) is ever interpreted; an image beyond the library's
// resource limits fails too. False on any failure.
bool read_image(MagickWand* wand, const char* path);
