#include "core/form.h"

#include "settings/text.h"

std::string as_numeric_edit_reads(const std::string& text) {
    return text.substr(0, gbk_prefix_length(text.data(), text.size(), 4));
}

std::string as_text_edit_reads(const std::string& text) {
    return text.substr(0, gbk_prefix_length(text.data(), text.size(), 1023));
}
