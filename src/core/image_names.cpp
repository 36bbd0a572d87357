#include "core/image_names.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

#include "settings/text.h"

namespace {
const char* const ImageExtensions[] = {".jpg", ".jpeg", ".png", ".bmp", ".gif", ".tbi"};
}

bool has_image_extension(const char* name) {
    const char* dot = std::strrchr(name, '.');
    if (!dot)
        return false;
    std::string extension(dot);
    for (char& c : extension) // ASCII letters only, as _strlwr in the C locale
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return std::any_of(std::begin(ImageExtensions), std::end(ImageExtensions),
                       [&](const char* accepted) { return ends_with(extension.c_str(), accepted); });
}
