#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <windows.h>
#include <shlobj.h>

#include "core/image_collection.h"
#include "platform/file_system.h"
#include "platform/library_path.h"
#include "support/temp_folder.h"

namespace {

std::vector<std::string> entries(const StringList& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.count; ++i)
        out.push_back(string_list_get(list, i));
    return out;
}

std::vector<std::string> sorted(std::vector<std::string> v) {
    std::sort(v.begin(), v.end());
    return v;
}

std::vector<std::string> subfolders(const std::string& folder, bool recursive) {
    auto list = string_list_new();
    list_subfolders(folder.c_str(), *list, recursive);
    return entries(*list);
}

// Each folder of a pre-order listing is followed directly by everything below it.
void expect_pre_order(const std::vector<std::string>& listing) {
    for (std::size_t i = 0; i < listing.size(); ++i) {
        const std::string below = listing[i] + "\\";
        std::size_t j = i + 1;
        while (j < listing.size() && listing[j].compare(0, below.size(), below) == 0)
            ++j;
        for (std::size_t k = j; k < listing.size(); ++k)
            EXPECT_NE(listing[k].compare(0, below.size(), below), 0)
                << listing[k] << " is separated from " << listing[i];
    }
}

} // namespace

TEST(ListImages, TakesImageFilesByExtensionOnly) {
    TempFolder t;
    for (const char* name : {"A.JPG", "b.Jpeg", "c.TBI", "g.png.jpg", ".jpg", "d.jpg.txt", "e",
                             "f.tiff", "商品.png", "嘰.bmp"})
        make_file(t / name);
    make_folder(t / "x.jpg"); // a folder is never an image
    const auto images = list_images(t.path().c_str());
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(sorted(entries(*images)),
              sorted({"A.JPG", "b.Jpeg", "c.TBI", "g.png.jpg", ".jpg", "商品.png", "嘰.bmp"}));
}

TEST(ListImages, EmptyFolderGivesEmptyListAndMissingFolderGivesNone) {
    TempFolder t;
    const auto empty = list_images(t.path().c_str());
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->count, 0);
    EXPECT_EQ(list_images((t / "missing").c_str()), nullptr);
}

TEST(ListImages, ManyImagesAndAChineseFolderWhoseBytesHoldABackslash) {
    TempFolder t;
    const std::string folder = t / "嘰图片";
    make_folder(folder);
    for (int i = 0; i < 25; ++i)
        make_file(folder + "\\" + std::to_string(i) + ".jpg");
    const auto images = list_images(folder.c_str());
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(images->count, 25);
    EXPECT_EQ(images->capacity, 30);
}

TEST(ListSubfolders, PreOrderWithoutDotFolders) {
    TempFolder t;
    const std::string s = t.path();
    for (const char* f : {"a", "a\\c", "a\\c\\d", "b", "b\\嘰", ".cache", "a\\.git"})
        make_folder(s + "\\" + f);
    make_file(s + "\\file.jpg");

    const auto flat = subfolders(s, false);
    EXPECT_EQ(sorted(flat), sorted({s + "\\a", s + "\\b"}));

    const auto deep = subfolders(s, true);
    EXPECT_EQ(sorted(deep),
              sorted({s + "\\a", s + "\\a\\c", s + "\\a\\c\\d", s + "\\b", s + "\\b\\嘰"}));
    expect_pre_order(deep);
    for (const auto& path : deep)
        EXPECT_EQ(path.compare(0, s.size(), s), 0); // the caller's text starts every path
}

TEST(ListSubfolders, AMissingFolderAppendsNothing) {
    TempFolder t;
    auto list = string_list_new();
    string_list_add(*list, "kept");
    list_subfolders((t / "missing").c_str(), *list, true);
    EXPECT_EQ(entries(*list), std::vector<std::string>{"kept"});
}

TEST(ListSubfolders, AFolderLinkBackIntoItsOwnTreeDoesNotLoop) {
    TempFolder t;
    const std::string s = t.path();
    make_folder(s + "\\a");
    make_folder(s + "\\b");
    // Two links back to the top: without protection the walk would branch without end.
    for (const char* link : {"\\a\\up", "\\a\\up2"})
        std::filesystem::create_directory_symlink(library_path(s.c_str()),
                                                  library_path((s + link).c_str()));
    const auto deep = subfolders(s, true);
    EXPECT_EQ(sorted(deep), sorted({s + "\\a", s + "\\a\\up", s + "\\a\\up2", s + "\\b"}));
}

TEST(ListSubfolders, PathsBeyondTheLimitsAreSkipped) {
    TempFolder t;
    // A chain of folders whose paths grow past 259 bytes.
    std::string unix_path = library_path(t.path().c_str());
    std::string windows_path = t.path();
    std::vector<std::string> expected;
    while (windows_path.size() < 300) {
        unix_path += "/folder-of-a-long-name";
        windows_path += "\\folder-of-a-long-name";
        std::filesystem::create_directory(unix_path);
        if (windows_path.size() <= 259)
            expected.push_back(windows_path);
    }
    EXPECT_EQ(subfolders(t.path(), true), expected);
    EXPECT_TRUE(subfolders(windows_path, true).empty());
    EXPECT_EQ(list_images(windows_path.c_str()), nullptr);
}

TEST(PathTests, FilesFoldersAndSizes) {
    TempFolder t;
    make_file(t / "三.jpg", "abc");
    make_folder(t / "嘰");
    EXPECT_TRUE(is_directory(t.path().c_str()));
    EXPECT_TRUE(is_directory((t / "嘰").c_str()));
    EXPECT_FALSE(is_directory((t / "三.jpg").c_str()));
    EXPECT_FALSE(is_directory((t / "missing").c_str()));
    EXPECT_TRUE(file_exists((t / "三.jpg").c_str()));
    EXPECT_FALSE(file_exists((t / "嘰").c_str()));
    EXPECT_FALSE(file_exists((t / "missing").c_str()));
    EXPECT_EQ(file_size((t / "三.jpg").c_str()), 3);
    EXPECT_EQ(file_size((t / "missing").c_str()), -1);
}

TEST(PathTests, SpecialFolderPathNamesAFolder) {
    char fonts[MAX_PATH] = {};
    ASSERT_EQ(special_folder_path(CSIDL_FONTS, fonts), 1);
    EXPECT_TRUE(is_directory(fonts)) << fonts;
}
