#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include <windows.h>

#include "base/program.h"
#include "core/batch_run.h"
#include "core/image_collection.h"
#include "core/image_pipeline.h"
#include "imaging/magick.h"
#include "platform/file_system.h"
#include "settings/config_format.h"
#include "support/recording_host.h"
#include "support/temp_folder.h"
#include "support/test_images.h"

namespace {

// Each test gets a program folder (where config.dat is saved), a source and a target.
class BatchRun : public testing::Test {
  protected:
    void SetUp() override {
        program_ = std::make_unique<TempFolder>();
        lstrcpynA(ProgramFolder, program_->path().c_str(), MAX_PATH);
        make_folder(source_ = root_ / "图片");
        target_ = root_ / "处理后";
        apply_config_text(default_config_text(), std::strlen(default_config_text()), settings_);
        form_ = form_after_startup(settings_);
        form_.source_folder_edit = source_;
        form_.target_folder_edit = target_;
    }

    BatchOutcome run() { return run_batch(form_, settings_, host_); }
    std::string source(const std::string& name) const { return source_ + "\\" + name; }
    std::string target(const std::string& name) const { return target_ + "\\" + name; }
    std::string saved_config() const { return read_whole_file(*program_ / "config.dat"); }

    std::unique_ptr<TempFolder> program_;
    TempFolder root_;
    std::string source_, target_;
    Settings settings_{};
    FormSnapshot form_;
    RecordingHost host_;
};

bool contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

} // namespace

TEST_F(BatchRun, FlatModeProcessesEveryKindOfSource) {
    write_solid_image(source("a.jpg"), 1000, 600, "green", "JPEG", 95);
    write_half_transparent_png(source("b.png"), 40, 20);
    write_solid_image(source("c.gif"), 30, 30, "blue", "GIF");
    write_animated_gif(source("d.gif"), 20, 20);
    make_file(source("e.jpg"), "not an image");
    write_solid_image(source("f.BMP"), 10, 10, "red", "BMP");
    make_file(source("g.txt"), "ignored");
    form_.width_check = true;

    const BatchOutcome outcome = run();
    EXPECT_EQ(outcome.end, BatchEnd::Completed);
    EXPECT_EQ(outcome.written, 4);

    const ImageFacts a = inspect_image(target("a.jpg"));
    EXPECT_EQ(a.width, 750);
    EXPECT_EQ(a.height, 450);
    EXPECT_EQ(a.format, "JPEG");
    EXPECT_EQ(a.quality, 90); // 95 lowered to the chosen 90
    EXPECT_EQ(inspect_image(target("b.png.jpg")).format, "JPEG");
    const Colour clear = pixel_at(target("b.png.jpg"), 5, 10); // transparent half: white
    EXPECT_GT(clear.red + clear.green + clear.blue, 2.9);
    const Colour red = pixel_at(target("b.png.jpg"), 35, 10);
    EXPECT_GT(red.red, 0.8);
    EXPECT_LT(red.green + red.blue, 0.25);
    EXPECT_EQ(inspect_image(target("c.gif.jpg")).format, "JPEG");
    EXPECT_EQ(inspect_image(target("f.BMP.jpg")).width, 10);
    EXPECT_FALSE(file_exists(target("d.gif.jpg").c_str()));
    EXPECT_FALSE(file_exists(target("e.jpg").c_str()));

    EXPECT_EQ(host_.log.size(), 2u);
    EXPECT_TRUE(contains(host_.log, "跳过 " + source("d.gif") + " ,这是一个gif动画图片"));
    EXPECT_TRUE(contains(host_.log, "读取 " + source("e.jpg") + " 出错"));
    ASSERT_EQ(host_.questions.size(), 1u);
    EXPECT_EQ(host_.questions[0],
              "完成: 处理完成 4 个图片，是否要打开目标文件夹查看处理后的图片？");
    EXPECT_TRUE(host_.opened_folders.empty()); // answered No
    EXPECT_EQ(host_.progress_ranges, std::vector<int>{6});
    EXPECT_EQ(host_.progress_positions.size(), 5u); // four images, then back to 0
    EXPECT_EQ(host_.progress_positions.back(), 0);
    EXPECT_EQ(host_.restores, 1);
}

TEST_F(BatchRun, QualityIsLoweredButNeverRaisedAndYesOpensTheTarget) {
    write_solid_image(source("q80.jpg"), 20, 20, "gray", "JPEG", 80);
    host_.answers = {true};
    EXPECT_EQ(run().written, 1);
    EXPECT_EQ(inspect_image(target("q80.jpg")).quality, 80);
    EXPECT_EQ(host_.opened_folders, std::vector<std::string>{target_});
}

TEST_F(BatchRun, AnEmptyFolderCompletesWithNoImages) {
    EXPECT_EQ(run().end, BatchEnd::Completed);
    EXPECT_EQ(host_.questions.size(), 1u);
    EXPECT_NE(host_.questions[0].find("处理完成 0 个图片"), std::string::npos);
    EXPECT_EQ(host_.progress_ranges, std::vector<int>{0});
    EXPECT_EQ(host_.progress_positions, std::vector<int>{0});
}

TEST_F(BatchRun, ARefusalEndsTheRunAndFocusesItsControlAfterTheControlsAreBack) {
    form_.width_check = true;
    form_.width_edit = "0";
    EXPECT_EQ(run().end, BatchEnd::Refused);
    EXPECT_EQ(host_.events,
              (std::vector<std::string>{"message", "settings", "restore", "position", "focus"}));
    EXPECT_EQ(host_.focus, FormControl::WidthEdit);
    EXPECT_FALSE(file_exists((*program_ / "config.dat").c_str())); // nothing saved
}

TEST_F(BatchRun, NoToTheOverwriteQuestionStopsButKeepsWhatWasWritten) {
    for (const char* name : {"1.jpg", "2.jpg", "3.jpg", "4.jpg"})
        write_solid_image(source(name), 8, 8, "white", "JPEG");
    // The third image in the order of the folder listing already has a result.
    const auto order = list_images(source_.c_str());
    ASSERT_EQ(order->count, 4);
    make_folder(target_);
    make_file(target(string_list_get(*order, 2)), "old result");
    settings_.width = 640;
    form_.width_edit = "abc";

    EXPECT_EQ(run().end, BatchEnd::Cancelled);
    ASSERT_EQ(host_.questions.size(), 1u);
    EXPECT_EQ(host_.questions[0],
              "询问: 图片处理后保存到的文件夹中已存在相同文件名的图片，是否要全部覆盖？");
    ASSERT_EQ(host_.messages.size(), 1u);
    EXPECT_EQ(host_.messages[0].text, "你取消了本次图片处理");
    EXPECT_EQ(host_.messages[0].icon, MessageIcon::Information);
    EXPECT_TRUE(file_exists(target(string_list_get(*order, 0)).c_str()));
    EXPECT_TRUE(file_exists(target(string_list_get(*order, 1)).c_str()));
    EXPECT_EQ(read_whole_file(target(string_list_get(*order, 2))), "old result");
    EXPECT_FALSE(file_exists(target(string_list_get(*order, 3)).c_str()));
    // The settings were saved before the first image, with the width reset to 750.
    EXPECT_EQ(saved_config().substr(0, 11), "width=750\r\n");
    EXPECT_EQ(host_.progress_positions.back(), 0);
    EXPECT_EQ(host_.restores, 1);
}

TEST_F(BatchRun, YesOverwritesInPlaceWithoutAskingAgain) {
    write_solid_image(source("a.jpg"), 100, 50, "red", "JPEG");
    write_solid_image(source("b.jpg"), 100, 50, "red", "JPEG");
    write_solid_image(source("c.png"), 100, 50, "red", "PNG");
    form_.target_folder_edit = source_; // results replace their sources
    form_.width_check = true;
    form_.width_edit = "40";
    host_.answers = {true, false};
    EXPECT_EQ(run().written, 3);
    EXPECT_EQ(host_.questions.size(), 2u); // one overwrite question, then the completion
    EXPECT_EQ(inspect_image(source("a.jpg")).width, 40);
    EXPECT_EQ(inspect_image(source("b.jpg")).width, 40);
    EXPECT_EQ(inspect_image(source("c.png.jpg")).width, 40);
    EXPECT_EQ(inspect_image(source("c.png")).width, 100); // a new name leaves the source
    const auto left = list_images(source_.c_str());
    EXPECT_EQ(left->count, 4); // no partial result left behind
}

TEST_F(BatchRun, AFailedWriteIsLoggedAndNotCounted) {
    write_solid_image(source("a.jpg"), 10, 10, "red", "JPEG");
    write_solid_image(source("b.jpg"), 10, 10, "red", "JPEG");
    make_folder(target_);
    make_folder(target("b.jpg")); // a folder where the result should go
    host_.answers = {true};
    const BatchOutcome outcome = run();
    EXPECT_EQ(outcome.end, BatchEnd::Completed);
    EXPECT_EQ(outcome.written, 1);
    EXPECT_EQ(host_.log, std::vector<std::string>{"保存 " + target("b.jpg") + " 出错"});
    EXPECT_FALSE(file_exists(partial_output_path(target("b.jpg")).c_str()));
    EXPECT_NE(host_.questions.back().find("处理完成 1 个图片"), std::string::npos);
}

// With the library's memory and disk this tight, a 1000 x 600 picture is read but the resize
// finds no room for its working copies.
TEST_F(BatchRun, APictureThatCannotBeShrunkIsLoggedAndNotCounted) {
    write_solid_image(source("big.png"), 1000, 600, "red", "PNG");
    form_.width_check = true;
    const MagickSession library; // the run keeps the limits set here
    const MagickSizeType memory = MagickGetResourceLimit(MemoryResource);
    const MagickSizeType map = MagickGetResourceLimit(MapResource);
    const MagickSizeType disk = MagickGetResourceLimit(DiskResource);
    MagickSetResourceLimit(MemoryResource, 10'000'000);
    MagickSetResourceLimit(MapResource, 0);
    MagickSetResourceLimit(DiskResource, 0);
    const BatchOutcome outcome = run();
    MagickSetResourceLimit(MemoryResource, memory);
    MagickSetResourceLimit(MapResource, map);
    MagickSetResourceLimit(DiskResource, disk);

    EXPECT_EQ(outcome.written, 0);
    EXPECT_EQ(host_.log, std::vector<std::string>{"处理 " + source("big.png") + " 出错"});
    EXPECT_FALSE(file_exists(target("big.png.jpg").c_str()));
    EXPECT_NE(host_.questions.back().find("处理完成 0 个图片"), std::string::npos);
}

TEST_F(BatchRun, SubfolderModeMirrorsTheTreeAndCountsFolders) {
    make_folder(source("a"));
    make_folder(source("a\\b"));
    make_folder(source(".hidden"));
    write_solid_image(source("top.jpg"), 10, 10, "red", "JPEG");
    write_solid_image(source("a\\mid.png"), 10, 10, "red", "PNG");
    write_solid_image(source("a\\b\\deep.jpg"), 10, 10, "red", "JPEG");
    write_solid_image(source(".hidden\\no.jpg"), 10, 10, "red", "JPEG");
    form_.subfolders_check = true;
    EXPECT_EQ(run().written, 3);
    EXPECT_TRUE(file_exists(target("top.jpg").c_str()));
    EXPECT_TRUE(file_exists(target("a\\mid.png.jpg").c_str()));
    EXPECT_TRUE(file_exists(target("a\\b\\deep.jpg").c_str()));
    EXPECT_FALSE(is_directory(target(".hidden").c_str()));
    EXPECT_EQ(host_.progress_ranges, std::vector<int>{3});
    EXPECT_EQ(host_.progress_positions, (std::vector<int>{1, 2, 3, 0}));
}

TEST_F(BatchRun, SubfolderModeRefusesATargetInsideTheSource) {
    for (const std::string& inside : {source("out"), source("OUT"), source_ + "\\x\\y"}) {
        host_ = RecordingHost();
        form_.subfolders_check = true;
        form_.target_folder_edit = inside;
        if (inside == source_ + "\\x\\y")
            make_folder(source("x"));
        EXPECT_EQ(run().end, BatchEnd::Refused) << inside;
        ASSERT_EQ(host_.messages.size(), 1u);
        EXPECT_EQ(host_.messages[0].text, "不能将处理后的图片保存到图片源文件夹中的子文件夹里");
        EXPECT_EQ(host_.focus, FormControl::TargetFolderButton);
        EXPECT_TRUE(host_.questions.empty());
        EXPECT_TRUE(is_directory(inside.c_str())); // created by the checks, and it stays
    }
    EXPECT_NE(saved_config().find("width=750"), std::string::npos);
}

TEST_F(BatchRun, SubfolderModeReportsAMirrorThatCannotBeMadeAndStillCompletes) {
    make_folder(source("a"));
    write_solid_image(source("top.jpg"), 10, 10, "red", "JPEG");
    write_solid_image(source("a\\x.jpg"), 10, 10, "red", "JPEG");
    make_folder(target_);
    make_file(target("a"), "a file where the mirrored folder belongs");
    form_.subfolders_check = true;
    const BatchOutcome outcome = run();
    EXPECT_EQ(outcome.end, BatchEnd::FolderError);
    EXPECT_EQ(outcome.written, 1);
    ASSERT_EQ(host_.messages.size(), 1u);
    EXPECT_EQ(host_.messages[0].text, "创建图片处理后保存到的文件夹时出错");
    EXPECT_EQ(host_.questions.size(), 1u); // the completion question follows the error
    EXPECT_EQ(host_.focus, FormControl::TargetFolderButton);
}

TEST_F(BatchRun, LargeJpegsShrunkOnLoadComeOutAtTheExactSizeAndLookTheSame) {
    // Odd sizes, where a decoder's rounding could make the shrunk height differ by a pixel.
    write_solid_image(source("wide.jpg"), 2800, 2007, "orange", "JPEG", 92);
    write_solid_image(source("tall.jpg"), 1601, 4803, "teal", "JPEG", 92);
    form_.width_check = true;
    form_.width_edit = "700";
    EXPECT_EQ(run().written, 2);
    const ImageFacts wide = inspect_image(target("wide.jpg"));
    EXPECT_EQ(wide.width, 700);
    EXPECT_EQ(wide.height, 2007 * 700 / 2800); // 501; from the half-size decode it would be 502
    const ImageFacts tall = inspect_image(target("tall.jpg"));
    EXPECT_EQ(tall.width, 700);
    EXPECT_EQ(tall.height, 4803 * 700 / 1601);
    const Colour c = pixel_at(target("wide.jpg"), 350, 260);
    EXPECT_NEAR(c.red, 1.0, 0.03);
    EXPECT_NEAR(c.green, 0.647, 0.03);

    // A quarter turn makes the height the width that counts.
    host_ = RecordingHost();
    host_.answers = {true};
    form_.rotate_check = true;
    form_.rotate_combo = 0;
    EXPECT_EQ(run().written, 2);
    const ImageFacts turned = inspect_image(target("tall.jpg"));
    EXPECT_EQ(turned.width, 700);
    EXPECT_EQ(turned.height, 1601 * 700 / 4803);
}
