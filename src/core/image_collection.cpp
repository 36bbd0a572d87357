#include "core/image_collection.h"

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/image_names.h"
#include "platform/file_system.h"

namespace {

// The enumerations build their paths in MAX_PATH buffers: a folder leaves room for "\*.*".
constexpr std::size_t MaxFolderPath = 255;

// Calls visit(entry) for every entry of folder; false when it cannot be enumerated.
template <typename Visit> bool for_each_entry(const std::string& folder, Visit visit) {
    const auto entries = folder.size() > MaxFolderPath ? std::nullopt : list_folder(folder);
    if (!entries)
        return false;
    for (const FolderEntry& entry : *entries)
        visit(entry);
    return true;
}

// A link that leads back to one of its own ancestors is listed but not entered, so a loop
// in the tree cannot make the walk endless. A folder whose path is too long for list_images is
// left out, and with it everything below it, whose paths are longer still.
void walk_subfolders(const std::string& folder, StringList& list, bool recursive,
                     StringList* too_long, std::vector<std::optional<FileId>>& ancestors) {
    for_each_entry(folder, [&](const FolderEntry& entry) {
        if (!entry.is_folder || entry.name[0] == '.')
            return;
        const std::string child = folder + "\\" + entry.name;
        if (child.size() > MaxFolderPath) {
            if (too_long)
                string_list_add(*too_long, child.c_str());
            return;
        }
        string_list_add(list, child.c_str());
        if (!recursive)
            return;
        const auto id = file_identity(child.c_str());
        if (id && std::find(ancestors.begin(), ancestors.end(), id) != ancestors.end())
            return;
        ancestors.push_back(id);
        walk_subfolders(child, list, recursive, too_long, ancestors);
        ancestors.pop_back();
    });
}

} // namespace

void list_subfolders(const char* folder, StringList& list, bool recursive, StringList* too_long) {
    std::vector<std::optional<FileId>> ancestors{file_identity(folder)};
    walk_subfolders(folder, list, recursive, too_long, ancestors);
}

std::unique_ptr<StringList> list_images(const char* folder) {
    auto images = string_list_new();
    const bool listed = for_each_entry(folder, [&](const FolderEntry& entry) {
        if (!entry.is_folder && has_image_extension(entry.name.c_str()))
            string_list_add(*images, entry.name.c_str());
    });
    return listed ? std::move(images) : nullptr;
}
