// Rules on image file names.
#pragma once
#include <string>

#include "core/string_list.h"

// True when the extension of name (from its last dot, letter case aside) is one of ".jpg",
// ".jpeg", ".png", ".bmp", ".gif" and ".tbi".
bool has_image_extension(const char* name);

// The name of the result: names ending in ".jpg", ".jpeg" or ".tbi" (letter case aside) stay,
// every other name gets ".jpg" appended ("a.png" becomes "a.png.jpg").
std::string output_name(const std::string& name);

// The format the image library chooses for a result of that name: JPEG for ".jpg" and
// ".jpeg", the image's own format otherwise (".tbi" is no format the library knows).
std::string output_format(const std::string& output_name, const std::string& image_format);

// Where results are written beside their sources: the other source among the folder's images
// that the result of name would replace ("p.png" becomes "p.png.jpg", which may be an original
// of its own), letter case aside as the file system sets it aside; null when there is none. A
// name that the result keeps replaces only its own source.
const char* source_in_the_way(const char* name, const StringList& folder_images);
