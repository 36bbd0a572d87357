// Paths taken from a folder, not from the current directory, and folders made with their
// parents, through names whose trail byte is the backslash's code.
#include "platform/file_system.h"
#include "support/win32_support.h"

namespace {

void a_relative_path_is_taken_from_the_folder() {
    const struct {
        const char* path;
        const char* full;
    } rows[] = {
        {"a.png", "C:\\程序\\a.png"},
        {"图片/a.png", "C:\\程序\\图片\\a.png"},
        {"..\\a.png", "C:\\a.png"},
        {"D:\\b\\a.png", "D:\\b\\a.png"},
        {"\\\\server\\share\\a.png", "\\\\server\\share\\a.png"},
    };
    for (const auto& row : rows)
        check_equal(full_path_in("C:\\程序", row.path), std::string(row.full), row.path);
}

// 嘰 is 87 5C: split at that byte, the levels would be named wrongly.
void folders_are_made_with_their_parents() {
    TestFolder t;
    const std::string deep = t / "嘰\\嘰\\fonts";
    check(make_directories(deep), "not made: " + deep);
    check(is_directory(deep.c_str()), "no folder " + deep);
    check(make_directories(deep) && make_directory(deep.c_str()), "an existing folder refused");
    check(!make_directory((t / "missing\\below").c_str()), "made without its parent");
}

const TestCase cases[] = {
    {"a relative path is taken from the folder", a_relative_path_is_taken_from_the_folder},
    {"folders are made with their parents", folders_are_made_with_their_parents},
};
const Registration registration(cases);

} // namespace
