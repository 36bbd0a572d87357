#include "core/pipeline_options.h"

namespace {

AxisPlacement placement(int direction_index, int margin) {
    return {table_value(direction_values, direction_index, 2), margin};
}

} // namespace

PipelineOptions pipeline_options(const FormSnapshot& form, const Settings& settings) {
    PipelineOptions options;
    options.angle = form.rotate_check ? table_value(rotation_angles, form.rotate_combo, 0) : 0;
    options.rotate = options.angle != 0;
    options.resize = form.width_check;
    options.width = settings.width;
    options.quality = form.quality_check ? table_value(quality_values, settings.quanlity, 0) : 0;
    options.set_quality = options.quality != 0;
    options.text_watermark = form.text_watermark_check;
    options.text_horz = placement(settings.sy_text_w_direction, settings.sy_text_w_value);
    options.text_vert = placement(settings.sy_text_h_direction, settings.sy_text_h_value);
    options.opacity = table_value(opacity_values, settings.sy_text_opacity, 1.0f);
    options.image_watermark = form.image_watermark_check;
    options.image_horz = placement(settings.sy_image_w_direction, settings.sy_image_w_value);
    options.image_vert = placement(settings.sy_image_h_direction, settings.sy_image_h_value);
    const ShopOptions& shop = form.shop;
    options.keep_metadata = shop.keep_metadata;
    if (shop.canvas) {
        options.canvas = ImageSize{shop.canvas_width, shop.canvas_height};
        options.canvas_colour = html_color(shop.canvas_color);
        options.box = options.canvas;
    }
    // The checks keep the fit box inside the canvas.
    if (shop.fit)
        options.box = ImageSize{shop.fit_width, shop.fit_height};
    options.image_scale_percent = shop.image_scale ? shop.image_scale_percent : 0;
    options.text_scale_percent = shop.text_scale ? shop.text_scale_percent : 0;
    options.slice_height = shop.slice ? shop.slice_height : 0;
    options.max_kb = shop.max_kb ? shop.max_kb_value : 0;
    return options;
}
