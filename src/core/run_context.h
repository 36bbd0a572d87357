// A run as a value: everything its images are processed with, settled before the first image
// and never changed after, so that every worker reads it without a lock.
#pragma once
#include <string>

#include "core/form.h"
#include "core/pipeline_options.h"
#include "imaging/text_watermark.h"
#include "settings/settings.h"

struct RunContext {
    PipelineOptions options;
    WatermarkText text;         // with options.text_watermark, its font found
    std::string watermark_file; // with options.image_watermark: the file as a full path
};

// From the checked settings and the switches of the form, on the thread that runs the batch: the
// font is looked up there, once, and a relative watermark path is taken from the current
// directory (the program folder, where the window keeps config.dat).
RunContext make_run_context(const FormSnapshot& form, const Settings& checked);
