// Operations on an image held by the library. Directions are the placement codes 1 (left or
// top), 2 (centred) and 3 (right or bottom; any other value acts as 3).
#pragma once
#include <wand/MagickWand.h>

#include "imaging/geometry.h"

int to_srgb(MagickWand* image);
// Shrinks to target_width keeping the aspect ratio; never enlarges.
int resize_to_width(MagickWand* image, int target_width);
// Blends watermark over image at the placed position; watermark stays unchanged.
int composite_watermark(MagickWand* image, MagickWand* watermark, int h_direction, int h_margin,
                        int v_direction, int v_margin);
// 1 for a readable image with one frame and no delay, 0 otherwise.
int is_still_image(const char* path);
