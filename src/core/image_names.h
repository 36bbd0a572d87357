// Rules on image file names.
#pragma once
#include <string>

// True when the extension of name (from its last dot, letter case aside) is one of ".jpg",
// ".jpeg", ".png", ".bmp", ".gif" and ".tbi".
bool has_image_extension(const char* name);

// The name of the result: names ending in ".jpg", ".jpeg" or ".tbi" (letter case aside) stay,
// every other name gets ".jpg" appended ("a.png" becomes "a.png.jpg").
std::string output_name(const std::string& name);

// The format the image library chooses for a result of that name: JPEG for ".jpg" and
// ".jpeg", the image's own format otherwise (".tbi" is no format the library knows).
std::string output_format(const std::string& output_name, const std::string& image_format);
