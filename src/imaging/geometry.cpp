#include "imaging/geometry.h"

#include <cstdint>

int resized_height(int width, int height, int target_width) {
    // The product is taken in 64 bits: a tall image times a wide target leaves 32 bits.
    const int64_t scaled = int64_t{height} * target_width / width;
    return scaled > 0 ? static_cast<int>(scaled) : 1;
}

ImageSize fitted_size(ImageSize size, ImageSize box) {
    if (size.width <= box.width && size.height <= box.height)
        return size;
    // The width binds when the picture is the wider of the two shapes: w/h >= W/H.
    if (int64_t{size.width} * box.height >= int64_t{size.height} * box.width)
        return {box.width, resized_height(size.width, size.height, box.width)};
    return {resized_height(size.height, size.width, box.height), box.height};
}

int slice_count(int height, int slice_height) {
    return height <= slice_height ? 1 : (height + slice_height - 1) / slice_height;
}

int jpeg_decode_scale(int width, int target_width) {
    if (target_width < 1)
        return 1;
    const int64_t scale = int64_t{3} * width / (int64_t{4} * target_width);
    return scale < 1 ? 1 : scale > 8 ? 8 : static_cast<int>(scale);
}

// Integer division truncates toward zero, so a watermark wider than the image is centred
// with a negative offset and clipped evenly on both sides.
Placement place_watermark(int image_width, int image_height, int watermark_width,
                          int watermark_height, int h_direction, int h_margin, int v_direction,
                          int v_margin) {
    Placement at{};
    if (h_direction == 1)
        at.x = h_margin;
    else if (h_direction == 2)
        at.x = (image_width - watermark_width) / 2;
    else
        at.x = image_width - watermark_width - h_margin;
    if (v_direction == 1)
        at.y = v_margin;
    else if (v_direction == 2)
        at.y = (image_height - watermark_height) / 2;
    else
        at.y = image_height - v_margin - watermark_height;
    return at;
}

// The vertical coordinate is the baseline: character height plus descender is the height above
// it, so a top text starts about the margin below the edge and a centred text has its body on
// the middle line, while at the bottom the baseline, not the descenders, keeps the margin.
TextPlacement place_text(double image_width, double image_height, double character_height,
                         double descender, double advance_width, int h_direction, int h_margin,
                         int v_direction, int v_margin) {
    const double above_baseline = character_height + descender;
    TextPlacement at{};
    if (h_direction == 1)
        at.x = h_margin;
    else if (h_direction == 2)
        at.x = (image_width - advance_width) * 0.5;
    else
        at.x = image_width - advance_width - h_margin;
    if (v_direction == 1)
        at.y = above_baseline + v_margin;
    else if (v_direction == 2)
        at.y = (above_baseline + image_height) * 0.5;
    else
        at.y = image_height - v_margin;
    return at;
}
