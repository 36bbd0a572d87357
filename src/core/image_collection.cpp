#include "core/image_collection.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/image_names.h"
#include "platform/file_system.h"

namespace {

// A link that leads back to one of its own ancestors is listed but not entered, so a loop
// in the tree cannot make the walk endless. A folder the system cannot list is left out, and
// with it everything below it; paths of any length are listed.
void walk_subfolders(const std::string& folder, const std::vector<FolderEntry>& entries,
                     StringList& list, bool recursive, StringList* too_long,
                     std::vector<std::optional<FileId>>& ancestors) {
    for (const FolderEntry& entry : entries) {
        if (!entry.is_folder || entry.name[0] == '.')
            continue;
        const std::string child = folder + "\\" + entry.name;
        if (!recursive) {
            string_list_add(list, child.c_str());
            continue;
        }
        const auto id = file_identity(child);
        const bool loop =
            id && std::find(ancestors.begin(), ancestors.end(), id) != ancestors.end();
        const auto child_entries = loop ? std::nullopt : list_folder(child);
        if (!loop && !child_entries) {
            if (too_long)
                string_list_add(*too_long, child.c_str());
            continue;
        }
        string_list_add(list, child.c_str());
        if (loop)
            continue;
        ancestors.push_back(id);
        walk_subfolders(child, *child_entries, list, recursive, too_long, ancestors);
        ancestors.pop_back();
    }
}

} // namespace

void list_subfolders(const char* folder, StringList& list, bool recursive, StringList* too_long) {
    std::vector<std::optional<FileId>> ancestors{file_identity(folder)};
    if (const auto entries = list_folder(folder))
        walk_subfolders(folder, *entries, list, recursive, too_long, ancestors);
}

std::unique_ptr<StringList> list_images(const char* folder) {
    auto images = string_list_new();
    const auto entries = list_folder(folder);
    if (!entries)
        return nullptr;
    for (const FolderEntry& entry : *entries)
        if (!entry.is_folder && has_image_extension(entry.name.c_str()))
            string_list_add(*images, entry.name.c_str());
    return images;
}
