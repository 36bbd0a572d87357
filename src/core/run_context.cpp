#include "core/run_context.h"

#include "core/captions.h"
#include "core/system_checks.h"
#include "platform/file_system.h"

namespace {

// A preview draws only its own watermark, whether its group is switched on or not, and shows the
// chosen quality and a GIF sample as they are.
void limit_to_preview(PipelineOptions& options, PreviewKind kind) {
    options.text_watermark = kind == PreviewKind::Text;
    options.image_watermark = kind == PreviewKind::Image;
    options.raise_quality = true;
    options.only_png_on_white = true;
}

// The steps of options.ini are checked as they are stored and as the dialog takes them; the
// command line of ombrel-batch sets them unchecked.
std::optional<CheckRefusal> check_shop_steps(const ShopOptions& shop, BatchHost& host) {
    const auto refusal = check_shop_options(shop);
    if (!refusal)
        return std::nullopt;
    host.show_message(refusal->message, NoticeCaption, MessageIcon::Warning);
    return CheckRefusal{};
}

} // namespace

PlannedRun plan_run(const FormSnapshot& form, Settings& settings, const std::string& program_folder,
                    BatchHost& host, std::optional<PreviewKind> preview) {
    PlannedRun run;
    run.source_folder = trimmed(form.source_folder_edit);
    const SystemCheckEnvironment env(program_folder);
    if (preview) {
        run.refusal =
            check_preview_settings(*preview, form, run.source_folder, settings, host, env);
    } else {
        const CheckResult checked = check_settings(form, run.source_folder, settings, host, env);
        run.refusal = checked.refusal;
        run.target_folder = checked.target_folder;
    }
    if (!run.refusal)
        run.refusal = check_shop_steps(form.shop, host);
    if (run.refusal)
        return run;

    PipelineOptions& options = run.context.options;
    options = pipeline_options(form, settings);
    if (preview)
        limit_to_preview(options, *preview);
    if (options.text_watermark)
        run.context.text = prepare_text_watermark(settings.font, options.opacity, settings.sy_text);
    if (options.image_watermark)
        run.context.watermark_file = full_path_in(program_folder, settings.sy_image);
    return run;
}
