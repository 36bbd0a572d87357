#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "core/settings_check.h"
#include "settings/config_format.h"
#include "support/recording_host.h"

namespace {

class FakeEnvironment : public CheckEnvironment {
  public:
    std::set<std::string> folders{"S", "T"};
    std::set<std::string> files{"w.png"};
    bool can_create = true;
    bool chinese_font = false;
    mutable std::vector<std::string> created;

    bool is_directory(const std::string& p) const override { return folders.count(p) > 0; }
    bool file_exists(const std::string& p) const override { return files.count(p) > 0; }
    bool create_directory(const std::string& p) const override {
        created.push_back(p);
        return can_create;
    }
    bool font_shows_chinese(const FontSpec&) const override { return chinese_font; }
};

// The form as a start-up with the default settings leaves it, with source and target set.
FormSnapshot valid_form() {
    FormSnapshot f;
    f.source_folder_edit = "S";
    f.width_edit = "750";
    f.quality_check = true;
    f.quality_combo = 2;
    f.rotate_combo = 0;
    f.text_opacity_combo = 0;
    f.text_horz_combo = 2;
    f.text_horz_edit = "16";
    f.text_vert_combo = 2;
    f.text_vert_edit = "16";
    f.image_horz_combo = 2;
    f.image_horz_edit = "16";
    f.image_vert_combo = 2;
    f.image_vert_edit = "16";
    f.target_folder_edit = "T";
    return f;
}

Settings default_settings() {
    Settings s{};
    apply_config_text(default_config_text(), std::strlen(default_config_text()), s);
    return s;
}

struct Checked {
    CheckResult result;
    RecordingHost host;
    Settings settings;
};

Checked check(const FormSnapshot& form, const FakeEnvironment& env = FakeEnvironment(),
              Settings settings = default_settings()) {
    Checked c;
    c.settings = settings;
    c.result = check_settings(form, trimmed(form.source_folder_edit), c.settings, c.host, env);
    return c;
}

} // namespace

TEST(CheckSettings, AValidFormPassesAndStoresEveryValue) {
    FormSnapshot f = valid_form();
    f.width_check = true;
    f.width_edit = " 800";
    f.quality_combo = 4;
    f.text_edit = "  shop  ";
    f.text_opacity_combo = 5;
    f.text_horz_combo = 1;
    f.text_horz_edit = "0";
    f.text_vert_combo = 0;
    f.text_vert_edit = "5000";
    f.image_edit = " w.png ";
    f.image_horz_combo = 0;
    f.image_horz_edit = "ab";
    f.image_vert_combo = 1;
    f.image_vert_edit = "999";
    f.target_folder_edit = " T ";
    const Checked c = check(f);
    ASSERT_TRUE(c.result.passed());
    EXPECT_TRUE(c.host.messages.empty());
    EXPECT_EQ(c.result.target_folder, "T");
    const Settings& s = c.settings;
    EXPECT_EQ(s.width, 800);
    EXPECT_EQ(s.quanlity, 4);
    EXPECT_STREQ(s.sy_text, "shop");
    EXPECT_EQ(s.sy_text_opacity, 5);
    EXPECT_EQ(s.sy_text_w_direction, 1);
    EXPECT_EQ(s.sy_text_w_value, 0);
    EXPECT_EQ(s.sy_text_h_direction, 0);
    EXPECT_EQ(s.sy_text_h_value, 5000); // centred takes any number
    EXPECT_STREQ(s.sy_image, "w.png");
    EXPECT_EQ(s.sy_image_w_value, 16); // centred with a non-number
    EXPECT_EQ(s.sy_image_h_value, 999);
}

TEST(CheckSettings, EachRefusalShowsItsMessageIconAndFocus) {
    struct Case {
        const char* name;
        void (*change)(FormSnapshot&, FakeEnvironment&);
        const char* message;
        MessageIcon icon;
        FormControl focus;
    } cases[] = {
        {"no source", [](FormSnapshot& f, FakeEnvironment&) { f.source_folder_edit = "  "; },
         "请选择图片源文件夹", MessageIcon::Error, FormControl::SourceFolderButton},
        {"missing source", [](FormSnapshot& f, FakeEnvironment&) { f.source_folder_edit = "X"; },
         "图片源文件夹不存在，请重新选择", MessageIcon::Error, FormControl::SourceFolderButton},
        {"empty width",
         [](FormSnapshot& f, FakeEnvironment&) { f.width_check = true, f.width_edit = " "; },
         "图片宽不能为空", MessageIcon::Error, FormControl::WidthEdit},
        {"width 8a0",
         [](FormSnapshot& f, FakeEnvironment&) { f.width_check = true, f.width_edit = "8a0"; },
         "图片宽必须为整数,取值范围: 1 - 9999", MessageIcon::Error, FormControl::WidthEdit},
        {"width -5",
         [](FormSnapshot& f, FakeEnvironment&) { f.width_check = true, f.width_edit = "-5"; },
         "图片宽必须为整数,取值范围: 1 - 9999", MessageIcon::Error, FormControl::WidthEdit},
        {"width 0000",
         [](FormSnapshot& f, FakeEnvironment&) { f.width_check = true, f.width_edit = "0000"; },
         "图片宽取值范围: 1 - 9999", MessageIcon::Error, FormControl::WidthEdit},
        {"empty text", [](FormSnapshot& f, FakeEnvironment&) { f.text_watermark_check = true; },
         "请输入水印文字内容", MessageIcon::Error, FormControl::TextEdit},
        {"chinese text, latin font",
         [](FormSnapshot& f, FakeEnvironment&) {
             f.text_watermark_check = true, f.text_edit = "水印";
         },
         "当前选择的字体无法正常显示水印文字里的中文，请重新选择一个中文字体。",
         MessageIcon::Warning, FormControl::FontButton},
        {"text margin with text off",
         [](FormSnapshot& f, FakeEnvironment&) { f.text_horz_combo = 1, f.text_horz_edit = ""; },
         "文字水印的左边距不能为空", MessageIcon::Error, FormControl::TextHorzEdit},
        {"no image", [](FormSnapshot& f, FakeEnvironment&) { f.image_watermark_check = true; },
         "请选择一张水印图片", MessageIcon::Error, FormControl::ImageButton},
        {"missing image",
         [](FormSnapshot& f, FakeEnvironment&) {
             f.image_watermark_check = true, f.image_edit = "gone.png";
         },
         "水印图片不存在，请重新选择", MessageIcon::Error, FormControl::ImageButton},
        {"image margin", [](FormSnapshot& f, FakeEnvironment&) { f.image_vert_edit = "1000"; },
         "图片水印的下边距取值范围: 1 - 999", MessageIcon::Error, FormControl::ImageVertEdit},
        {"no target", [](FormSnapshot& f, FakeEnvironment&) { f.target_folder_edit = ""; },
         "请选择图片处理后保存到哪个文件夹", MessageIcon::Error, FormControl::TargetFolderButton},
        {"target cannot be made",
         [](FormSnapshot& f, FakeEnvironment& e) {
             f.target_folder_edit = "new\\sub", e.can_create = false;
         },
         "创建图片处理后保存到的文件夹时出错", MessageIcon::Error, FormControl::TargetFolderButton},
    };
    for (const Case& c : cases) {
        FormSnapshot f = valid_form();
        FakeEnvironment env;
        c.change(f, env);
        const Checked r = check(f, env);
        ASSERT_FALSE(r.result.passed()) << c.name;
        EXPECT_EQ(r.result.refusal->focus, c.focus) << c.name;
        ASSERT_EQ(r.host.messages.size(), 1u) << c.name;
        EXPECT_EQ(r.host.messages[0].text, c.message) << c.name;
        EXPECT_EQ(r.host.messages[0].caption, "提示") << c.name;
        EXPECT_EQ(r.host.messages[0].icon, c.icon) << c.name;
    }
}

TEST(CheckSettings, MarginRuleMessagesForEverySideAndKind) {
    const struct {
        MarginAxis axis;
        const char* near_subject;
        const char* far_subject;
        FormControl focus;
    } axes[] = {
        {MarginAxis::TextHorz, "文字水印的左边距", "文字水印的右边距", FormControl::TextHorzEdit},
        {MarginAxis::TextVert, "文字水印的上边距", "文字水印的下边距", FormControl::TextVertEdit},
        {MarginAxis::ImageHorz, "图片水印的左边距", "图片水印的右边距", FormControl::ImageHorzEdit},
        {MarginAxis::ImageVert, "图片水印的上边距", "图片水印的下边距", FormControl::ImageVertEdit},
    };
    const struct {
        const char* text;
        const char* suffix;
    } kinds[] = {
        {"", "不能为空"}, {"1a", "必须为整数,取值范围: 0 - 999"}, {"1000", "取值范围: 1 - 999"}};
    for (const auto& a : axes)
        for (int selection : {1, 2})
            for (const auto& k : kinds) {
                RecordingHost host;
                int32_t margin = 7;
                const auto refusal = check_margin(a.axis, selection, k.text, margin, host);
                ASSERT_TRUE(refusal);
                EXPECT_EQ(refusal->focus, a.focus);
                ASSERT_EQ(host.messages.size(), 1u);
                EXPECT_EQ(host.messages[0].text,
                          std::string(selection == 1 ? a.near_subject : a.far_subject) + k.suffix);
                EXPECT_EQ(margin, 7); // a refused margin is not stored
            }
}

TEST(CheckSettings, MarginValuesThatPass) {
    const struct {
        int selection;
        const char* text;
        int32_t expected;
    } cases[] = {{1, "0", 0},  {2, " 999 ", 999}, {0, "5000", 5000}, {0, "", 16},
                 {0, "x", 16}, {-1, "12", 12},    {-1, "", 16}};
    for (const auto& c : cases) {
        RecordingHost host;
        int32_t margin = -1;
        EXPECT_FALSE(check_margin(MarginAxis::TextHorz, c.selection, c.text, margin, host));
        EXPECT_EQ(margin, c.expected) << c.selection << " '" << c.text << "'";
        EXPECT_TRUE(host.messages.empty());
    }
}

TEST(CheckSettings, WidthWithTheBoxUnchecked) {
    for (const char* text : {"abc", "", " "}) {
        FormSnapshot f = valid_form();
        f.width_edit = text;
        Settings s = default_settings();
        s.width = 1234;
        EXPECT_EQ(check(f, FakeEnvironment(), s).settings.width, 750) << text;
    }
    FormSnapshot f = valid_form();
    f.width_edit = "900";
    Settings s = default_settings();
    s.width = 640;
    EXPECT_EQ(check(f, FakeEnvironment(), s).settings.width, 640); // a number leaves it alone
    f.width_check = true;
    f.width_edit = "1234"; // what a 4-character read leaves of 12345
    EXPECT_EQ(check(f).settings.width, 1234);
}

TEST(CheckSettings, ARefusalLeavesTheFieldsBeforeItUpdatedAndTheRestAlone) {
    FormSnapshot f = valid_form();
    f.quality_combo = 7;
    f.text_edit = "new text";
    f.text_opacity_combo = 3;
    f.text_horz_combo = 1;
    f.text_horz_edit = "20";
    f.text_vert_combo = 1;
    f.text_vert_edit = "abc"; // check 9 refuses
    f.image_edit = "w.png";
    const Checked c = check(f);
    ASSERT_FALSE(c.result.passed());
    EXPECT_EQ(c.settings.quanlity, 7);
    EXPECT_STREQ(c.settings.sy_text, "new text");
    EXPECT_EQ(c.settings.sy_text_opacity, 3);
    EXPECT_EQ(c.settings.sy_text_w_value, 20);
    EXPECT_EQ(c.settings.sy_text_h_direction, 1);
    EXPECT_EQ(c.settings.sy_text_h_value, 16); // refused: old value
    EXPECT_STREQ(c.settings.sy_image, "");     // after the refusal: untouched
}

TEST(CheckSettings, ChineseTextPassesWithAChineseFontAndLatinTextNeedsNoFontTest) {
    FormSnapshot f = valid_form();
    f.text_watermark_check = true;
    f.text_edit = "水印";
    FakeEnvironment env;
    env.chinese_font = true;
    EXPECT_TRUE(check(f, env).result.passed());
    f.text_edit = "Shop 2026";
    env.chinese_font = false;
    EXPECT_TRUE(check(f, env).result.passed());
}

TEST(CheckSettings, AWatermarkTextLongerThanTheRecordHoldsIsRefusedWhenSwitchedOn) {
    std::string chinese;
    for (int i = 0; i < 128; ++i)
        chinese += "国"; // 256 bytes: one character more than the record holds
    FormSnapshot f = valid_form();
    f.text_watermark_check = true;
    f.text_edit = chinese;
    FakeEnvironment env;
    env.chinese_font = true;
    const Checked refused = check(f, env);
    ASSERT_FALSE(refused.result.passed());
    EXPECT_EQ(refused.result.refusal->focus, FormControl::TextEdit);

    f.text_edit = chinese.substr(2); // 127 characters fit
    EXPECT_TRUE(check(f, env).result.passed());

    // Switched off, it is kept as far as it fits, never split inside a character.
    f.text_watermark_check = false;
    f.text_edit = chinese;
    const Checked kept = check(f, env);
    ASSERT_TRUE(kept.result.passed());
    EXPECT_EQ(std::string(kept.settings.sy_text), chinese.substr(2));
}

TEST(CheckSettings, TheTargetFolderIsCreatedOnlyWhenMissing) {
    FakeEnvironment env;
    FormSnapshot f = valid_form();
    check(f, env);
    EXPECT_TRUE(env.created.empty());
    f.target_folder_edit = "T\\new ";
    const Checked c = check(f, env);
    EXPECT_TRUE(c.result.passed());
    EXPECT_EQ(env.created, std::vector<std::string>{"T\\new"});
    EXPECT_EQ(c.result.target_folder, "T\\new");
}

TEST(CheckSettings, TheTextPreviewNeedsItsTextWhateverTheSwitchAndWarnsInItsOwnWords) {
    FormSnapshot f = valid_form();
    f.text_watermark_check = false;
    RecordingHost host;
    Settings s = default_settings();
    const auto empty = check_text_watermark(f, s, host, FakeEnvironment(), TextCheckFor::Preview);
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->focus, FormControl::TextEdit);
    EXPECT_EQ(host.messages.at(0).text, "请输入水印文字内容");

    f.text_edit = "水印";
    const auto chinese = check_text_watermark(f, s, host, FakeEnvironment(), TextCheckFor::Preview);
    ASSERT_TRUE(chinese);
    EXPECT_EQ(chinese->focus, FormControl::FontButton);
    EXPECT_EQ(host.messages.at(1).text,
              "水印文字中含有中文，你需要选择一个中文字体，否则中文会显示乱码。");
    EXPECT_EQ(host.messages.at(1).icon, MessageIcon::Warning);
    // The batch does not look at the text while the group is off.
    EXPECT_FALSE(check_text_watermark(f, s, host, FakeEnvironment(), TextCheckFor::Batch));
}

namespace {

struct PreviewChecked {
    std::optional<CheckRefusal> refusal;
    RecordingHost host;
    Settings settings;
};

PreviewChecked check_preview(PreviewKind kind, const FormSnapshot& form,
                             const FakeEnvironment& env = FakeEnvironment()) {
    PreviewChecked c;
    c.settings = default_settings();
    c.refusal = check_preview_settings(kind, form, trimmed(form.source_folder_edit), c.settings,
                                       c.host, env);
    return c;
}

} // namespace

TEST(CheckPreviewSettings, AFailedWidthLeavesTheWatermarkFieldsAsTheyWere) {
    FormSnapshot f = valid_form();
    f.width_check = true;
    f.width_edit = "0";
    f.text_edit = "new text";
    f.quality_combo = 5;
    const PreviewChecked c = check_preview(PreviewKind::Text, f);
    ASSERT_TRUE(c.refusal);
    EXPECT_EQ(c.refusal->focus, FormControl::WidthEdit);
    EXPECT_STREQ(c.settings.sy_text, default_settings().sy_text);
    EXPECT_EQ(c.settings.quanlity, default_settings().quanlity);
    EXPECT_EQ(c.host.messages.at(0).text, "图片宽取值范围: 1 - 9999");
}

TEST(CheckPreviewSettings, EachPreviewChecksItsOwnWatermarkOnly) {
    FormSnapshot f = valid_form();
    f.text_edit = "Shop";
    f.quality_check = false; // the quality is taken all the same
    f.quality_combo = 4;
    f.image_horz_combo = 1; // an image margin that a run would refuse
    f.image_horz_edit = "";
    f.target_folder_edit = ""; // and no target folder
    FakeEnvironment env;
    const PreviewChecked text = check_preview(PreviewKind::Text, f, env);
    EXPECT_FALSE(text.refusal);
    EXPECT_TRUE(text.host.messages.empty());
    EXPECT_STREQ(text.settings.sy_text, "Shop");
    EXPECT_EQ(text.settings.quanlity, 4);
    EXPECT_TRUE(env.created.empty());

    const PreviewChecked image = check_preview(PreviewKind::Image, f, env);
    ASSERT_TRUE(image.refusal);
    EXPECT_EQ(image.refusal->focus, FormControl::ImageHorzEdit);
    EXPECT_EQ(image.host.messages.at(0).text, "图片水印的左边距不能为空");
    EXPECT_STREQ(image.settings.sy_text, default_settings().sy_text) << "text not stored";

    // The text preview needs its text even with the group off; the image preview does not
    // look at the text.
    f.text_edit = "";
    f.image_horz_combo = 0;
    EXPECT_EQ(check_preview(PreviewKind::Text, f).refusal->focus, FormControl::TextEdit);
    EXPECT_FALSE(check_preview(PreviewKind::Image, f).refusal);
}

TEST(CheckPreviewSettings, TheImagePreviewNeedsAnExistingFileWhileItsGroupIsOn) {
    FormSnapshot f = valid_form();
    f.image_watermark_check = true;
    f.image_edit = "gone.png";
    const PreviewChecked c = check_preview(PreviewKind::Image, f);
    ASSERT_TRUE(c.refusal);
    EXPECT_EQ(c.refusal->focus, FormControl::ImageButton);
    EXPECT_EQ(c.host.messages.at(0).text, "水印图片不存在，请重新选择");
    f.image_edit = " w.png ";
    const PreviewChecked ok = check_preview(PreviewKind::Image, f);
    EXPECT_FALSE(ok.refusal);
    EXPECT_STREQ(ok.settings.sy_image, "w.png");
}

TEST(CheckPreviewSettings, TheSourceFolderComesFirst) {
    FormSnapshot f = valid_form();
    f.source_folder_edit = " ";
    f.width_check = true;
    f.width_edit = "";
    const PreviewChecked c = check_preview(PreviewKind::Text, f);
    ASSERT_TRUE(c.refusal);
    EXPECT_EQ(c.refusal->focus, FormControl::SourceFolderButton);
    EXPECT_EQ(c.host.messages.size(), 1u);
    EXPECT_EQ(c.host.messages.at(0).text, "请选择图片源文件夹");
}
