#include "core/form.h"

#include "settings/text.h"

namespace {

// CB_SETCURSEL with an index outside the list clears the selection.
int selection_after_set(int index, int count) {
    return (index >= 0 && index < count) ? index : -1;
}

std::string number_edit(int value) {
    return as_numeric_edit_reads(std::to_string(value));
}

} // namespace

std::string as_numeric_edit_reads(const std::string& text) {
    return text.substr(0, gbk_prefix_length(text.data(), text.size(), 4));
}

std::string as_text_edit_reads(const std::string& text) {
    return text.substr(0, gbk_prefix_length(text.data(), text.size(), 1023));
}

FormSnapshot form_after_startup(const Settings& s) {
    FormSnapshot f;
    f.width_edit = number_edit(s.width);
    f.quality_check = true;
    f.quality_combo = selection_after_set(s.quanlity, 11);
    f.rotate_combo = 0;
    f.text_edit = s.sy_text;
    f.text_opacity_combo = selection_after_set(s.sy_text_opacity, 10);
    f.text_horz_combo = selection_after_set(s.sy_text_w_direction, 3);
    f.text_horz_edit = number_edit(s.sy_text_w_value);
    f.text_vert_combo = selection_after_set(s.sy_text_h_direction, 3);
    f.text_vert_edit = number_edit(s.sy_text_h_value);
    f.image_edit = s.sy_image;
    f.image_horz_combo = selection_after_set(s.sy_image_w_direction, 3);
    f.image_horz_edit = number_edit(s.sy_image_w_value);
    f.image_vert_combo = selection_after_set(s.sy_image_h_direction, 3);
    f.image_vert_edit = number_edit(s.sy_image_h_value);
    return f;
}
