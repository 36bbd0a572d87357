#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include "platform/library_path.h"
#include "support/temp_folder.h"

// The library opens files by the name library_path gives; a file made through Win32 under a
// Chinese name must be found there.
TEST(LibraryPath, NamesTheSameFileForTheLibrary) {
    TempFolder t;
    const std::string path = t / "嘰图.png";
    make_file(path, "abcd");
    const std::string unix_name = library_path(path.c_str());
    EXPECT_NE(unix_name.find("\xE5\x98\xB0\xE5\x9B\xBE.png"), std::string::npos) << unix_name;
    const int fd = open(unix_name.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0) << unix_name;
    char buffer[8];
    EXPECT_EQ(read(fd, buffer, sizeof buffer), 4);
    close(fd);
}
