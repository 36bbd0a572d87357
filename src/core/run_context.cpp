#include "core/run_context.h"

#include "platform/file_system.h"

RunContext make_run_context(const FormSnapshot& form, const Settings& checked) {
    RunContext run;
    run.options = pipeline_options(form, checked);
    if (run.options.text_watermark)
        run.text = prepare_text_watermark(checked.font, run.options.opacity, checked.sy_text);
    if (run.options.image_watermark)
        run.watermark_file = full_path(checked.sy_image);
    return run;
}
