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

std::string renamed(const std::string& pattern, const std::string& name, int number,
                    const std::string& folder) {
    std::string result;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const std::size_t close = pattern[i] == '{' ? pattern.find('}', i) : std::string::npos;
        if (close == std::string::npos) {
            result += pattern[i];
            continue;
        }
        const std::string field = pattern.substr(i + 1, close - i - 1);
        if (field == "name")
            result += name.substr(0, name.rfind('.'));
        else if (field == "folder")
            result += folder;
        else {
            std::string digits = std::to_string(number);
            const std::size_t width = field.size() == 4 ? field[3] - '0' : 0; // "n:0D"
            result += std::string(width > digits.size() ? width - digits.size() : 0, '0') + digits;
        }
        i = close;
    }
    return result + ".jpg";
}

std::string slice_name(const std::string& output, int k) {
    const std::size_t dot = std::min(output.rfind('.'), output.size());
    return output.substr(0, dot) + "-" + std::to_string(k) + output.substr(dot);
}

const char* source_in_the_way(const std::string& output, const char* name,
                              const StringList& folder_images) {
    if (output == name)
        return nullptr;
    for (int i = 0; i < folder_images.count; ++i) {
        const char* other = string_list_get(folder_images, i);
        if (other != name && output.size() == std::strlen(other) &&
            starts_with_nocase(output, other))
            return other;
    }
    return nullptr;
}
