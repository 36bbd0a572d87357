// The geometry of resizing and of watermark placement: pure arithmetic on sizes, shared by the
// batch and the previews. Directions are the placement codes 1 (left or top), 2 (centred) and
// 3 (right or bottom); any other value acts as 3.
#pragma once

// A picture's width and height in pixels.
struct ImageSize {
    int width = 0;
    int height = 0;
};

// The height of a width x height image shrunk to target_width, truncated, at least 1.
int resized_height(int width, int height, int target_width);

// The size of a picture shrunk, never enlarged, to fit inside box with its aspect kept: the side
// that binds takes the box's length, the other is truncated, at least 1.
ImageSize fitted_size(ImageSize size, ImageSize box);

// The slices a picture height tall is cut into, each slice_height tall but the last: 1 when it
// is no taller.
int slice_count(int height, int slice_height);

// How much smaller a JPEG of that width may be decoded when it is then shrunk to target_width:
// the largest whole factor, at most 8, that leaves at least 4/3 of the target width, so the final
// resize still has the detail it needs (a camera's 4000 pixels shrunk to 750 are decoded at 1/4,
// over 42 dB from a full decode). 1 means a decode at full size.
int jpeg_decode_scale(int width, int target_width);

// The top-left corner of a watermark on an image; it may lie outside the image.
struct Placement {
    int x;
    int y;
};
Placement place_watermark(int image_width, int image_height, int watermark_width,
                          int watermark_height, int h_direction, int h_margin, int v_direction,
                          int v_margin);

// Where the text starts (x) and where its baseline lies (y), from the image size and the
// text's font metrics (the descender is negative, below the baseline).
struct TextPlacement {
    double x;
    double y;
};
TextPlacement place_text(double image_width, double image_height, double character_height,
                         double descender, double advance_width, int h_direction, int h_margin,
                         int v_direction, int v_margin);
