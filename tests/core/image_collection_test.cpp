// The folder walk on the file system through Win32: Chinese names, a trail byte 0x5C, folder
// links back into the tree and paths near the limit.
#include <algorithm>

#include <sys/stat.h>
#include <unistd.h>

#include "core/image_collection.h"
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
    check(path.back() == '\\' ? CreateDirectoryA(path.substr(0, path.size() - 1).c_str(), nullptr)
                              : write_file(path.c_str(), "x"),
          "cannot make " + path);
}

// 嘰 is 87 5C: its trail byte is the backslash's code.
void images_and_folders_with_chinese_names() {
    TestFolder t;
    const std::string s = t / "嘰图片";
    for (const char* name : {"\\", "\\A.JPG", "\\商品.png", "\\嘰.bmp", "\\c.TBI", "\\d.jpg.txt",
                             "\\x.jpg\\", "\\嘰\\", "\\嘰\\嘰\\", "\\.cache\\", "\\b\\"})
        make(s + name);
    const auto images = list_images(s.c_str());
    check(images != nullptr, "the folder cannot be listed");
    check(sorted(*images) == std::vector<std::string>{"A.JPG", "c.TBI", "嘰.bmp", "商品.png"},
          "the images of the folder");
    check(subfolders(s) ==
              std::vector<std::string>{s + "\\b", s + "\\x.jpg", s + "\\嘰", s + "\\嘰\\嘰"},
          "the subfolders");
}

// The links and the deep folders are made on the Unix side: Win32 makes neither.
void links_back_into_the_tree_end_the_walk() {
    TestFolder t;
    make(t / "a\\");
    for (const char* link : {"a\\up", "a\\up2"})
        check(symlink(library_path(t.path().c_str()).c_str(),
                      library_path((t / link).c_str()).c_str()) == 0,
              "cannot link");
    check(subfolders(t.path()) == std::vector<std::string>{t / "a", t / "a\\up", t / "a\\up2"},
          "the subfolders with two links back to the top");
}

// A folder whose path would pass 259 bytes is left out of the walk.
void folders_beyond_the_path_limit_are_left_out() {
    TestFolder t;
    const std::string inside = t / std::string(238 - t.path().size(), 'n'); // 239 bytes
    const std::string beyond = std::string(20, 'b');                        // 260 bytes
    check(CreateDirectoryA(inside.c_str(), nullptr), "cannot make " + inside);
    check(mkdir((library_path(inside.c_str()) + "/" + beyond).c_str(), 0755) == 0, "cannot make");
    check(subfolders(t.path()) == std::vector<std::string>{inside}, "the folders up to 259 bytes");
}

const TestCase cases[] = {
    {"images and folders with Chinese names", images_and_folders_with_chinese_names},
    {"links back into the tree end the walk", links_back_into_the_tree_end_the_walk},
    {"folders beyond the path limit are left out", folders_beyond_the_path_limit_are_left_out},
};
const Registration registration(cases);

} // namespace
