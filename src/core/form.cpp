#include "core/form.h"

#include "base/text.h"

namespace {

// CB_SETCURSEL with an index outside the list clears the selection.
template <typename T, int N> int selection_after_set(int index, const T (&)[N]) {
    return (index >= 0 && index < N) ? index : -1;
}

std::string number_edit(int value) {
    return as_numeric_edit_reads(std::to_string(value));
}

} // namespace

std::string as_numeric_edit_reads(const std::string& text) {
    return text.substr(0, cp936_prefix_length(text.data(), text.size(), NumericEditLimit));
}

std::string as_text_edit_reads(const std::string& text) {
    return text.substr(0, cp936_prefix_length(text.data(), text.size(), TextEditLimit));
}

FormSnapshot form_after_startup(const Settings& settings) {
    FormSnapshot form;
    form.width_edit = number_edit(settings.width);
    form.quality_check = true;
    form.quality_combo = selection_after_set(settings.quanlity, quality_labels);
    form.rotate_combo = 0;
    form.text_edit = settings.sy_text;
    form.text_opacity_combo = selection_after_set(settings.sy_text_opacity, opacity_labels);
    form.text_horz_combo = selection_after_set(settings.sy_text_w_direction, horz_direction_labels);
    form.text_horz_edit = number_edit(settings.sy_text_w_value);
    form.text_vert_combo = selection_after_set(settings.sy_text_h_direction, vert_direction_labels);
    form.text_vert_edit = number_edit(settings.sy_text_h_value);
    form.image_edit = settings.sy_image;
    form.image_horz_combo =
        selection_after_set(settings.sy_image_w_direction, horz_direction_labels);
    form.image_horz_edit = number_edit(settings.sy_image_w_value);
    form.image_vert_combo =
        selection_after_set(settings.sy_image_h_direction, vert_direction_labels);
    form.image_vert_edit = number_edit(settings.sy_image_h_value);
    return form;
}
