#include "core/pipeline_options.h"

namespace {

template <typename T, int N> bool in_table(const T (&)[N], int index) {
    return index >= 0 && index < N;
}

AxisPlacement placement(int direction_index, int margin) {
    return {in_table(direction_values, direction_index) ? direction_values[direction_index] : 2,
            margin};
}

} // namespace

PipelineOptions pipeline_options(const FormSnapshot& form, const Settings& s) {
    PipelineOptions o;
    o.rotate = form.rotate_check && in_table(rotation_angles, form.rotate_combo);
    o.angle = o.rotate ? rotation_angles[form.rotate_combo] : 0;
    o.resize = form.width_check;
    o.width = s.width;
    o.set_quality = form.quality_check && in_table(quality_values, s.quanlity);
    o.quality = o.set_quality ? quality_values[s.quanlity] : 0;
    o.text_watermark = form.text_watermark_check;
    o.text_horz = placement(s.sy_text_w_direction, s.sy_text_w_value);
    o.text_vert = placement(s.sy_text_h_direction, s.sy_text_h_value);
    o.opacity =
        in_table(opacity_values, s.sy_text_opacity) ? opacity_values[s.sy_text_opacity] : 1.0;
    o.image_watermark = form.image_watermark_check;
    o.image_horz = placement(s.sy_image_w_direction, s.sy_image_w_value);
    o.image_vert = placement(s.sy_image_h_direction, s.sy_image_h_value);
    return o;
}
