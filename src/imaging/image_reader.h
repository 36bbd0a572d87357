// The one way the program reads an image file: source images, watermark images, the
// still-image test and the previews all come through here.
#pragma once
#include <wand/MagickWand.h>

// Reads the file at path (a Windows path in code page 936) into wand. The file's first bytes
// choose the coder (JPEG, PNG, GIF, BMP or WebP) and the read names it, so nothing else
// (SVG, MVG, MSL, PostScript, text, ...) is ever interpreted; an image beyond the library's
// resource limits fails too, and so does a picture whose data ends before the picture does.
// The picture comes out upright, as its orientation tag says it is to be shown. False on any
// failure.
// A JPEG is decoded straight at about 1/scale of its size (the JPEG decoder's own scaling, at
// least 1/scale); other formats ignore the scale.
bool read_image(MagickWand* wand, const char* path, int scale = 1);

// The size of the upright picture the file declares (its orientation tag applied), from its
// header alone; 0 x 0 when it cannot be read.
struct ImageSize {
    int width = 0;
    int height = 0;
};
ImageSize stored_image_size(const char* path);
