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

PipelineOptions pipeline_options(const FormSnapshot& form, const Settings& settings) {
    PipelineOptions options;
    options.rotate = form.rotate_check && in_table(rotation_angles, form.rotate_combo);
    options.angle = options.rotate ? rotation_angles[form.rotate_combo] : 0;
    options.resize = form.width_check;
    options.width = settings.width;
    options.set_quality = form.quality_check && in_table(quality_values, settings.quanlity);
    options.quality = options.set_quality ? quality_values[settings.quanlity] : 0;
    options.text_watermark = form.text_watermark_check;
    options.text_horz = placement(settings.sy_text_w_direction, settings.sy_text_w_value);
    options.text_vert = placement(settings.sy_text_h_direction, settings.sy_text_h_value);
    options.opacity = in_table(opacity_values, settings.sy_text_opacity)
                          ? opacity_values[settings.sy_text_opacity]
                          : 1.0;
    options.image_watermark = form.image_watermark_check;
    options.image_horz = placement(settings.sy_image_w_direction, settings.sy_image_w_value);
    options.image_vert = placement(settings.sy_image_h_direction, settings.sy_image_h_value);
    options.keep_metadata = form.keep_metadata;
    return options;
}
