#include <gtest/gtest.h>

#include "base/program.h"

TEST(FolderOfModulePath, CutsAtTheLastBackslash) {
    EXPECT_EQ(folder_of_module_path("D:\\tools\\ombrel.exe"), "D:\\tools");
    EXPECT_EQ(folder_of_module_path("D:\\ombrel.exe"), "D:\\"); // a drive root keeps it
    EXPECT_EQ(folder_of_module_path("ombrel.exe"), "ombrel.exe");
    // The trail byte of 嘰 is 0x5C and must not be taken for the separator.
    EXPECT_EQ(folder_of_module_path("Z:\\嘰\\嘰.exe"), "Z:\\嘰");
    EXPECT_EQ(folder_of_module_path("Z:\\a\\嘰"), "Z:\\a");
}
