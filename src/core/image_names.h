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

// The name of the result of name under a rename pattern (checked by check_shop_options):
// {name} is name without its extension, {n} the image's number in its folder's list from 1,
// {n:0D} that number with zeros in front up to D digits, {folder} the folder's name; ".jpg" is
// added.
std::string renamed(const std::string& pattern, const std::string& name, int number,
                    const std::string& folder);

// The name of slice k (from 1) of the result named output: "-k" before its extension
// ("a.jpg" gives "a-1.jpg", "p.png.jpg" gives "p.png-1.jpg").
std::string slice_name(const std::string& output, int k);

// Where results are written beside their sources: the other source among the folder's images
// that the file output, a result of the image name, would replace ("p.png" becomes "p.png.jpg",
// which may be an original of its own), letter case aside as the file system sets it aside; null
// when there is none. name is the entry of folder_images: a result that keeps its source's name
// replaces only its own source.
const char* source_in_the_way(const std::string& output, const char* name,
                              const StringList& folder_images);
