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
    void open_folder(const char*) override {}
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

using Change = void (*)(FormSnapshot&, FakeEnvironment&);

// Every refusal in the order of the checks. The previews check the source, the width and their
// own watermark only: preview is the text preview's words for the text rows, the image
// preview's for the image rows, and null where the preview does not refuse.
struct Refusal {
    const char* what;
    Change change;
    const char* batch;
    const char* preview;
    FormControl focus;
    MessageIcon icon;
};

const MessageIcon Error = MessageIcon::Error;
const Refusal Refusals[] = {
    {"no source", [](FormSnapshot& f, FakeEnvironment&) { f.source_folder_edit = "  "; },
     "请选择图片源文件夹", "请选择图片源文件夹", FormControl::SourceFolderButton, Error},
    {"missing source", [](FormSnapshot& f, FakeEnvironment&) { f.source_folder_edit = "X"; },
     "图片源文件夹不存在，请重新选择", "图片源文件夹不存在，请重新选择",
     FormControl::SourceFolderButton, Error},
    {"empty width",
     [](FormSnapshot& f, FakeEnvironment&) { f.width_check = true, f.width_edit = " "; },
     "图片宽不能为空", "图片宽不能为空", FormControl::WidthEdit, Error},
    {"width 8a0",
     [](FormSnapshot& f, FakeEnvironment&) { f.width_check = true, f.width_edit = "8a0"; },
     "图片宽必须为整数,取值范围: 1 - 9999", "图片宽必须为整数,取值范围: 1 - 9999",
     FormControl::WidthEdit, Error},
    {"width 0000",
     [](FormSnapshot& f, FakeEnvironment&) { f.width_check = true, f.width_edit = "0000"; },
     "图片宽取值范围: 1 - 9999", "图片宽取值范围: 1 - 9999", FormControl::WidthEdit, Error},
    {"empty text",
     [](FormSnapshot& f, FakeEnvironment&) { f.text_watermark_check = true, f.text_edit = " "; },
     "请输入水印文字内容", "请输入水印文字内容", FormControl::TextEdit, Error},
    {"text of 256 bytes",
     [](FormSnapshot& f, FakeEnvironment&) {
         f.text_watermark_check = true, f.text_edit.clear();
         for (int i = 0; i < 128; ++i)
             f.text_edit += "国";
     },
     "水印文字太长，最多只能输入255个字节（127个汉字）",
     "水印文字太长，最多只能输入255个字节（127个汉字）", FormControl::TextEdit, Error},
    {"Chinese text, Latin font",
     [](FormSnapshot& f, FakeEnvironment&) { f.text_watermark_check = true, f.text_edit = "水印"; },
     "当前选择的字体无法正常显示水印文字里的中文，请重新选择一个中文字体。",
     "水印文字中含有中文，你需要选择一个中文字体，否则中文会显示乱码。", FormControl::FontButton,
     MessageIcon::Warning},
    {"text left margin",
     [](FormSnapshot& f, FakeEnvironment&) { f.text_horz_combo = 1, f.text_horz_edit = ""; },
     "文字水印的左边距不能为空", "文字水印的左边距不能为空", FormControl::TextHorzEdit, Error},
    {"text bottom margin",
     [](FormSnapshot& f, FakeEnvironment&) { f.text_vert_combo = 2, f.text_vert_edit = "1a"; },
     "文字水印的下边距必须为整数,取值范围: 0 - 999", "文字水印的下边距必须为整数,取值范围: 0 - 999",
     FormControl::TextVertEdit, Error},
    {"no image",
     [](FormSnapshot& f, FakeEnvironment&) { f.image_watermark_check = true, f.image_edit = ""; },
     "请选择一张水印图片", "请选择一张水印图片", FormControl::ImageButton, Error},
    {"missing image",
     [](FormSnapshot& f, FakeEnvironment&) {
         f.image_watermark_check = true, f.image_edit = "gone.png";
     },
     "水印图片不存在，请重新选择", "水印图片不存在，请重新选择", FormControl::ImageButton, Error},
    {"image right margin",
     [](FormSnapshot& f, FakeEnvironment&) { f.image_horz_combo = 2, f.image_horz_edit = "1000"; },
     "图片水印的右边距取值范围: 1 - 999", "图片水印的右边距取值范围: 1 - 999",
     FormControl::ImageHorzEdit, Error},
    {"image top margin",
     [](FormSnapshot& f, FakeEnvironment&) { f.image_vert_combo = 1, f.image_vert_edit = " "; },
     "图片水印的上边距不能为空", "图片水印的上边距不能为空", FormControl::ImageVertEdit, Error},
    {"no target", [](FormSnapshot& f, FakeEnvironment&) { f.target_folder_edit = " "; },
     "请选择图片处理后保存到哪个文件夹", nullptr, FormControl::TargetFolderButton, Error},
    {"target cannot be made",
     [](FormSnapshot& f, FakeEnvironment& e) { f.target_folder_edit = "U", e.can_create = false; },
     "创建图片处理后保存到的文件夹时出错", nullptr, FormControl::TargetFolderButton, Error},
};

bool concerns_image(FormControl focus) {
    return focus == FormControl::ImageButton || focus == FormControl::ImageHorzEdit ||
           focus == FormControl::ImageVertEdit;
}

void check_refusal(const std::optional<CheckRefusal>& refusal, const MessageHost& host,
                   const char* text, const Refusal& expected, const std::string& what) {
    check(refusal.has_value(), what + " passed");
    check_equal(int(refusal->focus), int(expected.focus), what + ": the control to focus");
    check(host.texts.size() == 1, what + ": one message");
    check_equal(host.texts[0], text, what);
    check(host.icons[0] == expected.icon, what + ": the icon");
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
        MessageHost batch;
        check_refusal(check_settings(form, source, settings, batch, env).refusal, batch, row->batch,
                      *row, std::string("run, ") + row->what);
        MessageHost preview;
        const PreviewKind kind =
            concerns_image(row->focus) ? PreviewKind::Image : PreviewKind::Text;
        const auto refusal = check_preview_settings(kind, form, source, settings, preview, env);
        if (row->preview)
            check_refusal(refusal, preview, row->preview, *row,
                          std::string("preview, ") + row->what);
        else
            check(!refusal && preview.texts.empty(), std::string("preview, ") + row->what);
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
