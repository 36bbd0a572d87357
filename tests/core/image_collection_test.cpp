// The folder walk on the file system through Win32: Chinese names and folder links back into the
// tree (names in other scripts and long paths: the table of ombrel-batch's runs).
#include <algorithm>

#include "core/image_collection.h"
#include "platform/file_system.h"
#include "support/win32_support.h"

namespace {

std::vector<std::string> sorted(const StringList& list) {
    std::vector<std::string> entries;
    for (int i = 0; i < list.count; ++i)
        entries.push_back(string_list_get(list, i));
    std::sort(entries.begin(), entries.end());
    return entries;
}

std::vector<std::string> subfolders(const std::string& folder) {
    auto list = string_list_new();
    list_subfolders(folder.c_str(), *list, true);
    return sorted(*list);
}

void make(const std::string& path) {
    check(path.back() == '\\' ? make_directory(path.substr(0, path.size() - 1))
                              : write_file(path, "x"),
          "cannot make " + path);
}

void images_and_folders_with_chinese_names() {
    TestFolder t;
    const std::string s = t / "嘰图片";
    for (const char* name : {"\\", "\\A.JPG", "\\商品.png", "\\嘰.bmp", "\\c.TBI", "\\d.jpg.txt",
                             "\\x.jpg\\", "\\嘰\\", "\\嘰\\嘰\\", "\\.cache\\", "\\b\\"})
        make(s + name);
    const auto images = list_images(s.c_str());
    check(images != nullptr, "the folder cannot be listed");
    check(sorted(*images) == std::vector<std::string>{"A.JPG", "c.TBI", "商品.png", "嘰.bmp"},
          "the images of the folder");
    check(subfolders(s) ==
              std::vector<std::string>{s + "\\b", s + "\\x.jpg", s + "\\嘰", s + "\\嘰\\嘰"},
          "the subfolders");
}

// The build's test set-up made work\links with a\up and a\up2 leading back to it.
void links_back_into_the_tree_end_the_walk() {
    const std::string t = tests_folder() + "\\work\\links";
    check(subfolders(t) == std::vector<std::string>{t + "\\a", t + "\\a\\up", t + "\\a\\up2"},
          "the subfolders with two links back to the top");
}

const TestCase cases[] = {
    {"images and folders with Chinese names", images_and_folders_with_chinese_names},
    {"links back into the tree end the walk", links_back_into_the_tree_end_the_walk},
};
const Registration registration(cases);

} // namespace
