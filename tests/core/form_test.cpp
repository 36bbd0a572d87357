#include <gtest/gtest.h>

#include <cstring>

#include "core/form.h"
#include "core/pipeline_options.h"
#include "settings/config_format.h"

TEST(FormAfterStartup, HoldsTheStoredValuesAsTheControlsShowThem) {
    Settings s{};
    apply_config_text(default_config_text(), std::strlen(default_config_text()), s);
    s.width = 12345; // the edit shows it all, a read sees four characters
    s.quanlity = 42; // outside the list: no selection
    std::strcpy(s.sy_text, "水印");
    s.sy_text_w_direction = 1;
    s.sy_image_h_value = -5;
    const FormSnapshot f = form_after_startup(s);
    EXPECT_FALSE(f.width_check);
    EXPECT_EQ(f.width_edit, "1234");
    EXPECT_TRUE(f.quality_check);
    EXPECT_EQ(f.quality_combo, -1);
    EXPECT_FALSE(f.rotate_check);
    EXPECT_EQ(f.rotate_combo, 0);
    EXPECT_FALSE(f.subfolders_check);
    EXPECT_FALSE(f.text_watermark_check);
    EXPECT_EQ(f.text_edit, "水印");
    EXPECT_EQ(f.text_opacity_combo, 0);
    EXPECT_EQ(f.text_horz_combo, 1);
    EXPECT_EQ(f.text_horz_edit, "16");
    EXPECT_EQ(f.image_vert_edit, "-5");
    EXPECT_FALSE(f.image_watermark_check);
    EXPECT_TRUE(f.source_folder_edit.empty());
    EXPECT_TRUE(f.target_folder_edit.empty());
}

TEST(EditReads, NumericEditsSeeFourBytesWithoutSplittingACharacter) {
    EXPECT_EQ(as_numeric_edit_reads("12345"), "1234");
    EXPECT_EQ(as_numeric_edit_reads(" 800 "), " 800");
    EXPECT_EQ(as_numeric_edit_reads("1国国"), "1国");
    EXPECT_EQ(as_text_edit_reads(std::string(2000, 'a')).size(), 1023u);
}

TEST(PipelineOptions, ValuesComeFromTheTablesAndNoSelectionNeverIndexesThem) {
    Settings s{};
    apply_config_text(default_config_text(), std::strlen(default_config_text()), s);
    FormSnapshot f = form_after_startup(s);
    f.rotate_check = true;
    f.rotate_combo = 2;
    f.width_check = true;
    f.text_watermark_check = true;
    s.sy_text_opacity = 5;
    s.sy_text_w_direction = 1;
    s.sy_text_w_value = 7;
    PipelineOptions o = pipeline_options(f, s);
    EXPECT_TRUE(o.rotate);
    EXPECT_EQ(o.angle, 270);
    EXPECT_TRUE(o.resize);
    EXPECT_EQ(o.width, 750);
    EXPECT_TRUE(o.set_quality);
    EXPECT_EQ(o.quality, 90);
    EXPECT_DOUBLE_EQ(o.opacity, double(0.5f));
    EXPECT_EQ(o.text_horz.direction, 1);
    EXPECT_EQ(o.text_horz.margin, 7);
    EXPECT_EQ(o.text_vert.direction, 3);
    EXPECT_EQ(o.image_horz.direction, 3);

    f.rotate_combo = -1;
    s.quanlity = -1;
    s.sy_text_opacity = -1;
    s.sy_text_w_direction = -1;
    s.sy_image_h_direction = 3;
    o = pipeline_options(f, s);
    EXPECT_FALSE(o.rotate);
    EXPECT_FALSE(o.set_quality);
    EXPECT_EQ(o.opacity, 1.0);
    EXPECT_EQ(o.text_horz.direction, 2);
    EXPECT_EQ(o.image_vert.direction, 2);
}
