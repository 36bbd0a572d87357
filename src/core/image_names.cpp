#include "core/image_names.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <string>

#include "base/text.h"

namespace {

// The extension of name from its last dot, ASCII letters lower-cased as _strlwr does in the C
// locale; empty without a dot.
std::string lower_extension(const char* name) {
    const char* dot = std::strrchr(name, '.');
    std::string extension = dot ? dot : "";
    for (char& c : extension)
        c = ascii_lower(c);
    return extension;
}

bool extension_is_one_of(const std::string& extension, std::initializer_list<const char*> list) {
    return !extension.empty() && std::any_of(list.begin(), list.end(), [&](const char* accepted) {
        return ends_with(extension.c_str(), accepted);
    });
}

} // namespace

bool has_image_extension(const char* name) {
    return extension_is_one_of(lower_extension(name),
                               {".jpg", ".jpeg", ".png", ".bmp", ".gif", ".tbi"});
}

std::string output_name(const std::string& name) {
    if (extension_is_one_of(lower_extension(name.c_str()), {".jpg", ".jpeg", ".tbi"}))
        return name;
    return name + ".jpg";
}

std::string output_format(const std::string& output_name, const std::string& image_format) {
    if (extension_is_one_of(lower_extension(output_name.c_str()), {".jpg", ".jpeg"}))
        return "JPEG";
    return image_format;
}

const char* source_in_the_way(const char* name, const StringList& folder_images) {
    const std::string output = output_name(name);
    if (output == name)
        return nullptr;
    for (int i = 0; i < folder_images.count; ++i) {
        const char* other = string_list_get(folder_images, i);
        if (output.size() == std::strlen(other) && starts_with_nocase(output, other))
            return other;
    }
    return nullptr;
}
