// The work of a batch: the subfolders of a folder and the image files directly inside one.
#pragma once
#include <memory>

#include "core/string_list.h"

// Appends the full path of every subfolder of folder, depth first and pre-order when
// recursive; folders whose name begins with "." are left out. Appends nothing when the
// folder cannot be enumerated. When recursive, a subfolder the system cannot list is left out
// too, with its own subfolders, and appended to too_long when given.
void list_subfolders(const char* folder, StringList& list, bool recursive,
                     StringList* too_long = nullptr);

// The names (no folder part) of the JPG, JPEG, PNG, BMP, GIF and TBI files directly inside
// folder, in the file system's order; null when the folder cannot be enumerated.
std::unique_ptr<StringList> list_images(const char* folder);
