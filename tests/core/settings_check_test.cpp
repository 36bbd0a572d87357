// The checks of a run and of the previews: each refusal's text, icon and focus, in their order.
#include <set>

#include "core/settings_check.h"
#include "support/check.h"

namespace {

class FakeEnvironment : public CheckEnvironment {
  public:
    std::set<std::string> folders{"S", "T"};
    bool can_create = true;

    bool is_directory(const std::string& p) const override { return folders.count(p) > 0; }
    bool file_exists(const std::string& p) const override { return p == "w.png"; }
    bool create_directory(const std::string&) const override { return can_create; }
    bool font_shows_chinese(const FontSpec&) const override { return false; }
};

// Keeps the one message a refusal shows.
class MessageHost : public BatchHost {
  public:
    std::vector<std::string> texts;
    std::vector<MessageIcon> icons;

    void show_message(const char* text, const char*, MessageIcon icon) override {
        texts.push_back(text);
        icons.push_back(icon);
    }
    bool ask_yes_no(const char*, const char*) override { return false; }
    void set_progress_range(int) override {}
    void set_progress_position(int) override {}
    void append_log_line(const char*) override {}
    void save_settings(const Settings&) override {}
    void offer_target_folder(const char*, const char*) override {}
    void hand_back_settings(const Settings&) override {}
    void restore_controls() override {}
    void request_focus(FormControl) override {}
};

// The form of a run that passes every check.
FormSnapshot valid_form() {
    FormSnapshot f;
    f.source_folder_edit = " S ";
    f.width_edit = "750";
    f.quality_combo = 2;
    f.text_edit = "Shop";
    f.text_horz_combo = f.text_vert_combo = f.image_horz_combo = f.image_vert_combo = 0;
    f.image_edit = "w.png";
    f.target_folder_edit = "T";
    return f;
}

using F = FormSnapshot;
using E = FakeEnvironment;

// Every refusal in the order of the checks: the change that makes it, the run's words, the
// control to focus and the previews' words when they differ ("" where the previews do not
// refuse: they check the source, the width and their own watermark only).
struct Refusal {
    void (*change)(F&, E&);
    const char* batch;
    FormControl focus;
    const char* preview = nullptr;
    MessageIcon icon = MessageIcon::Error;
};

const Refusal Refusals[] = {
    {[](F& f, E&) { f.source_folder_edit = "  "; }, "请选择图片源文件夹",
     FormControl::SourceFolderButton},
    {[](F& f, E&) { f.source_folder_edit = "X"; }, "图片源文件夹不存在，请重新选择",
     FormControl::SourceFolderButton},
    {[](F& f, E&) { f.width_check = true, f.width_edit = " "; }, "图片宽不能为空",
     FormControl::WidthEdit},
    {[](F& f, E&) { f.width_check = true, f.width_edit = "8a0"; },
     "图片宽必须为整数,取值范围: 1 - 9999", FormControl::WidthEdit},
    {[](F& f, E&) { f.width_check = true, f.width_edit = "0000"; }, "图片宽取值范围: 1 - 9999",
     FormControl::WidthEdit},
    {[](F& f, E&) { f.text_watermark_check = true, f.text_edit = " "; }, "请输入水印文字内容",
     FormControl::TextEdit},
    {[](F& f, E&) { f.text_watermark_check = true, f.text_edit = std::string(128 * 2, 'a'); },
     "水印文字太长，最多只能输入255个字节（127个汉字）", FormControl::TextEdit},
    {[](F& f, E&) { f.text_watermark_check = true, f.text_edit = "水印"; },
     "当前选择的字体无法正常显示水印文字里的中文，请重新选择一个中文字体。",
     FormControl::FontButton, "水印文字中含有中文，你需要选择一个中文字体，否则中文会显示乱码。",
     MessageIcon::Warning},
    {[](F& f, E&) { f.text_horz_combo = 1, f.text_horz_edit = ""; }, "文字水印的左边距不能为空",
     FormControl::TextHorzEdit},
    {[](F& f, E&) { f.text_vert_combo = 2, f.text_vert_edit = "1a"; },
     "文字水印的下边距必须为整数,取值范围: 0 - 999", FormControl::TextVertEdit},
    {[](F& f, E&) { f.image_watermark_check = true, f.image_edit = ""; }, "请选择一张水印图片",
     FormControl::ImageButton},
    {[](F& f, E&) { f.image_watermark_check = true, f.image_edit = "gone.png"; },
     "水印图片不存在，请重新选择", FormControl::ImageButton},
    {[](F& f, E&) { f.image_horz_combo = 2, f.image_horz_edit = "1000"; },
     "图片水印的右边距取值范围: 1 - 999", FormControl::ImageHorzEdit},
    {[](F& f, E&) { f.image_vert_combo = 1, f.image_vert_edit = " "; }, "图片水印的上边距不能为空",
     FormControl::ImageVertEdit},
    {[](F& f, E&) { f.target_folder_edit = " "; }, "请选择图片处理后保存到哪个文件夹",
     FormControl::TargetFolderButton, ""},
    {[](F& f, E& e) { f.target_folder_edit = "U", e.can_create = false; },
     "创建图片处理后保存到的文件夹时出错", FormControl::TargetFolderButton, ""},
};

bool concerns_image(FormControl focus) {
    return focus == FormControl::ImageButton || focus == FormControl::ImageHorzEdit ||
           focus == FormControl::ImageVertEdit;
}

void check_refusal(const std::optional<CheckRefusal>& refusal, const MessageHost& host,
                   const char* text, const Refusal& expected) {
    check(refusal.has_value(), std::string("no refusal \"") + text + "\"");
    check_equal(host.texts.at(0), text, "the message");
    check_equal(int(refusal->focus.value_or(FormControl(-1))), int(expected.focus),
                std::string(text) + ": the focus");
    check(host.icons.size() == 1 && host.icons[0] == expected.icon, std::string(text) + ": icon");
}

// The faults are made from the last check to the first, each on top of the ones after it: the
// check that refuses is always the earliest one whose fault is present.
void each_refusal_in_its_order() {
    FormSnapshot form = valid_form();
    FakeEnvironment env;
    for (auto row = std::rbegin(Refusals); row != std::rend(Refusals); ++row) {
        row->change(form, env);
        const std::string source = trimmed(form.source_folder_edit);
        Settings settings{};
        MessageHost batch, preview;
        check_refusal(check_settings(form, source, settings, batch, env).refusal, batch, row->batch,
                      *row);
        const PreviewKind kind =
            concerns_image(row->focus) ? PreviewKind::Image : PreviewKind::Text;
        const auto refusal = check_preview_settings(kind, form, source, settings, preview, env);
        const char* words = row->preview ? row->preview : row->batch;
        if (*words)
            check_refusal(refusal, preview, words, *row);
        else
            check(!refusal && preview.texts.empty(),
                  std::string("a preview refused: ") + row->batch);
    }
}

void a_valid_form_passes() {
    MessageHost host;
    Settings settings{};
    const CheckResult result = check_settings(valid_form(), "S", settings, host, FakeEnvironment());
    check(result.passed() && host.texts.empty(), "the valid form passes");
    check_equal(result.target_folder, "T", "the target folder");
}

const TestCase cases[] = {
    {"a valid form passes", a_valid_form_passes},
    {"each refusal in its order", each_refusal_in_its_order},
};
const Registration registration(cases);

} // namespace
