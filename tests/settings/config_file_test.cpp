#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include <windows.h>

#include "base/program.h"
#include "settings/config_file.h"
#include "settings/config_format.h"
#include "support/temp_folder.h"

namespace {

// Runs each test with a fresh program folder as the current directory.
class ConfigFile : public testing::Test {
  protected:
    void SetUp() override {
        GetCurrentDirectoryA(MAX_PATH, previous_);
        ASSERT_TRUE(SetCurrentDirectoryA(folder_.path().c_str()));
        lstrcpynA(ProgramFolder, folder_.path().c_str(), MAX_PATH);
    }
    void TearDown() override { SetCurrentDirectoryA(previous_); }

    TempFolder folder_;
    char previous_[MAX_PATH];
};

} // namespace

TEST_F(ConfigFile, AMissingFileIsCreatedWithTheDefaultsByteForByte) {
    Settings s{};
    ASSERT_EQ(load_config(s), 1);
    const std::string disk = read_whole_file(folder_ / "config.dat");
    EXPECT_EQ(disk.size(), 372u);
    EXPECT_EQ(disk.substr(0, 22), "width=750\r\nquanlity=2\r");
    EXPECT_EQ(disk.substr(disk.size() - 21), "sy_image_h_value=16\r\n");
    EXPECT_EQ(s.width, 750);
    EXPECT_STREQ(s.font.fontName, "Arial");
    EXPECT_EQ(s.sy_image_w_value, 16);
}

TEST_F(ConfigFile, AnEmptyFileLoadsAndChangesNothing) {
    make_file(folder_ / "config.dat", "");
    Settings s{};
    ASSERT_EQ(load_config(s), 1);
    EXPECT_EQ(s.width, 0);
    EXPECT_STREQ(s.font.fontName, "");
    EXPECT_EQ(read_whole_file(folder_ / "config.dat"), ""); // not replaced by the defaults
}

TEST_F(ConfigFile, SaveWritesIntoTheProgramFolderAndLoadsBack) {
    // Saving does not depend on the current directory.
    TempFolder elsewhere;
    ASSERT_TRUE(SetCurrentDirectoryA(elsewhere.path().c_str()));
    Settings s{};
    apply_config_text(default_config_text(), std::strlen(default_config_text()), s);
    s.width = 800;
    std::strcpy(s.sy_text, "水印");
    std::strcpy(s.sy_image, "Z:\\嘰\\logo.png");
    ASSERT_EQ(save_config(s), 1);
    const std::string disk = read_whole_file(folder_ / "config.dat");
    EXPECT_NE(disk.find("width=800\r\n"), std::string::npos);
    EXPECT_EQ(disk.substr(disk.size() - 21), "sy_image_h_value=16\r\n");

    ASSERT_TRUE(SetCurrentDirectoryA(folder_.path().c_str()));
    Settings back{};
    ASSERT_EQ(load_config(back), 1);
    EXPECT_EQ(std::memcmp(&back, &s, sizeof s), 0);
}

TEST_F(ConfigFile, LoadingFailsOnlyWhenTheDefaultsCannotBeWrittenEither) {
    make_folder(folder_ / "config.dat"); // a folder of that name blocks the file
    Settings s{};
    EXPECT_EQ(load_config(s), 0);
    EXPECT_EQ(s.width, 0);
}
