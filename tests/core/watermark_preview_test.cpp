#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include <windows.h>

#include "core/watermark_preview.h"
#include "imaging/text_watermark.h"
#include "platform/file_system.h"
#include "platform/library_path.h"
#include "settings/config_format.h"
#include "support/recording_host.h"
#include "support/temp_folder.h"
#include "support/test_images.h"

namespace {

// Each test gets a program folder (where temp\ is made) and a source folder.
class WatermarkPreview : public testing::Test {
  protected:
    void SetUp() override {
        build_font_paths();
        make_folder(source_ = root_ / "图片");
        apply_config_text(default_config_text(), std::strlen(default_config_text()), settings_);
        std::strcpy(settings_.font.fontName, "DejaVu Sans");
        form_ = form_after_startup(settings_);
        form_.source_folder_edit = source_;
        form_.text_edit = "Shop";
    }

    PreviewOutcome make(PreviewKind kind) {
        return make_watermark_preview(kind, form_, settings_, host_, program_.path());
    }
    std::string source(const std::string& name) const { return source_ + "\\" + name; }
    std::string temp(const std::string& name) const { return program_ / "temp" + "\\" + name; }
    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const ShownMessage& m : host_.messages)
            texts.push_back(m.text);
        return texts;
    }

    TempFolder program_;
    TempFolder root_;
    std::string source_;
    Settings settings_{};
    FormSnapshot form_;
    RecordingHost host_;
};

using Texts = std::vector<std::string>;

// Where a picture file differs from its background colour.
InkBox ink_of(const std::string& path, const Colour& background = {1, 1, 1}) {
    const MagickSession library;
    const auto image = new_magick_wand();
    if (MagickReadImage(image.get(), library_path(path.c_str()).c_str()) != MagickTrue)
        return {};
    return ink_box(image.get(), background);
}

} // namespace

TEST_F(WatermarkPreview, TheTextPreviewIsWrittenIntoTheTemporaryFolder) {
    write_solid_image(source("a.jpg"), 300, 200, "orange", "JPEG", 70);
    const PreviewOutcome outcome = make(PreviewKind::Text);
    EXPECT_TRUE(host_.messages.empty()) << host_.messages.at(0).text;
    EXPECT_FALSE(outcome.focus);
    EXPECT_EQ(outcome.picture, temp("sy_text.jpg"));
    EXPECT_TRUE(is_directory((program_ / "temp").c_str()));
    const ImageFacts facts = inspect_image(outcome.picture);
    EXPECT_EQ(facts.format, "JPEG");
    EXPECT_EQ(facts.width, 300);
    // The chosen 90 even over the sample's 70, which a run would keep.
    EXPECT_EQ(facts.quality, 90);
    // The text is drawn at the bottom right, though the text watermark is switched off.
    const InkBox ink = ink_of(outcome.picture, {1.0, 0.65, 0.0});
    EXPECT_GT(ink.pixels, 50);
    EXPECT_GT(ink.left, 150);
    EXPECT_GT(ink.top, 100);
}

TEST_F(WatermarkPreview, SettingsPassTheRunsStepsRotationAndWidth) {
    write_solid_image(source("a.png"), 400, 100, "blue", "PNG");
    form_.rotate_check = true;
    form_.rotate_combo = 0; // 90 degrees
    form_.width_check = true;
    form_.width_edit = "50";
    form_.quality_check = false;
    const PreviewOutcome outcome = make(PreviewKind::Text);
    ASSERT_FALSE(outcome.picture.empty());
    const ImageFacts facts = inspect_image(outcome.picture);
    EXPECT_EQ(facts.width, 50);
    EXPECT_EQ(facts.height, 200);
    EXPECT_EQ(settings_.width, 50);
}

TEST_F(WatermarkPreview, TransparentPngSamplesLieOnWhiteAndGifSamplesDoNot) {
    for (const char* format : {"PNG", "GIF"}) {
        const std::string name = std::string("half.") + format;
        write_half_transparent_image(source(name), 40, 20, format);
        form_.text_edit = "."; // small, at the bottom right
        const PreviewOutcome outcome = make(PreviewKind::Text);
        ASSERT_FALSE(outcome.picture.empty()) << format;
        const Colour clear = pixel_at(outcome.picture, 5, 10);
        const bool white = clear.red + clear.green + clear.blue > 2.8;
        EXPECT_EQ(white, std::string(format) == "PNG") << format;
        const Colour red = pixel_at(outcome.picture, 25, 5);
        EXPECT_GT(red.red, 0.8) << format;
        EXPECT_LT(red.green + red.blue, 0.3) << format;
        DeleteFileA(source(name).c_str());
    }
}

TEST_F(WatermarkPreview, AnimatedGifsAreSkippedAndSubfoldersSearchedWhenAsked) {
    write_animated_gif(source("a.gif"), 20, 20);
    make_folder(source("sub"));
    write_solid_image(source("sub\\b.jpg"), 64, 32, "green", "JPEG");
    EXPECT_TRUE(make(PreviewKind::Text).picture.empty());
    EXPECT_EQ(messages(), Texts{"在[图片源文件夹]中，没有找到需要处理的图片"});
    EXPECT_EQ(make(PreviewKind::Text).focus, FormControl::SourceFolderButton);

    form_.subfolders_check = true;
    const PreviewOutcome outcome = make(PreviewKind::Text);
    ASSERT_FALSE(outcome.picture.empty());
    EXPECT_EQ(inspect_image(outcome.picture).width, 64);

    write_solid_image(source("c.bmp"), 48, 16, "red", "BMP");
    EXPECT_EQ(inspect_image(make(PreviewKind::Text).picture).width, 48) << "the source first";
}

TEST_F(WatermarkPreview, TheImagePreviewStampsItsWatermarkOrGoesOnWithoutIt) {
    write_solid_image(source("a.jpg"), 100, 100, "white", "JPEG");
    const std::string mark = root_ / "mark.png";
    write_solid_image(mark, 10, 10, "black", "PNG");
    form_.image_edit = mark;
    form_.image_horz_combo = 1; // left, 0 pixels
    form_.image_horz_edit = "0";
    form_.image_vert_combo = 1; // top, 0 pixels
    form_.image_vert_edit = "0";
    PreviewOutcome outcome = make(PreviewKind::Image);
    EXPECT_EQ(outcome.picture, temp("sy_image.jpg"));
    EXPECT_LT(pixel_at(outcome.picture, 4, 4).red, 0.2);
    EXPECT_GT(pixel_at(outcome.picture, 50, 50).red, 0.8);

    // A watermark file that cannot be read, while the group is off: the sample alone.
    make_file(mark, "not a picture");
    outcome = make(PreviewKind::Image);
    EXPECT_TRUE(host_.messages.empty());
    EXPECT_GT(pixel_at(outcome.picture, 4, 4).red, 0.8);
}

TEST_F(WatermarkPreview, AFailedCheckWritesNothingAndLeavesLaterFieldsAlone) {
    write_solid_image(source("a.jpg"), 10, 10, "red", "JPEG");
    std::strcpy(settings_.sy_text, "old");
    form_.width_check = true;
    form_.width_edit = "abc";
    form_.text_edit = "new";
    const PreviewOutcome outcome = make(PreviewKind::Text);
    EXPECT_TRUE(outcome.picture.empty());
    EXPECT_EQ(outcome.focus, FormControl::WidthEdit);
    EXPECT_STREQ(settings_.sy_text, "old");
    EXPECT_FALSE(is_directory((program_ / "temp").c_str()));
}

// Drawn with the library started by the preview, after the font test has started and stopped
// it inside: the library must still work.
TEST_F(WatermarkPreview, ChineseTextNeedsAChineseFontAndTheLibraryOutlivesTheFontTest) {
    write_solid_image(source("a.jpg"), 200, 100, "white", "JPEG");
    form_.text_edit = "店铺";
    EXPECT_TRUE(make(PreviewKind::Text).picture.empty());
    ASSERT_EQ(host_.messages.size(), 1u);
    EXPECT_EQ(host_.messages[0].text,
              "水印文字中含有中文，你需要选择一个中文字体，否则中文会显示乱码。");
    EXPECT_EQ(host_.messages[0].icon, MessageIcon::Warning);

    std::strcpy(settings_.font.fontName, "文泉驿正黑");
    const PreviewOutcome outcome = make(PreviewKind::Text);
    ASSERT_FALSE(outcome.picture.empty());
    EXPECT_GT(ink_of(outcome.picture).pixels, 100);
}

TEST_F(WatermarkPreview, WriteAndFolderFailuresAreReportedNotShownAsAPreview) {
    write_solid_image(source("a.jpg"), 20, 20, "white", "JPEG");
    make_folder(program_ / "temp");
    make_folder(temp("sy_text.jpg")); // where the file should go
    EXPECT_TRUE(make(PreviewKind::Text).picture.empty());
    EXPECT_EQ(messages(), Texts{"保存 " + temp("sy_text.jpg") + " 出错"});
    EXPECT_FALSE(file_exists((temp("sy_text.jpg") + ".ombrel-part").c_str()));

    host_.messages.clear();
    const PreviewOutcome no_folder = make_watermark_preview(PreviewKind::Image, form_, settings_,
                                                            host_, root_ / "missing\\program");
    EXPECT_TRUE(no_folder.picture.empty());
    EXPECT_FALSE(no_folder.focus);
    EXPECT_EQ(messages(), Texts{"创建效果预览临时文件夹时出错"});
}
