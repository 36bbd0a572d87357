// A run as a value: everything its images are processed with, settled before the first image
// and never changed after, so that every worker reads it without a lock. A batch and a
// watermark preview are both runs, built here alike.
#pragma once
#include <optional>
#include <string>

#include "core/batch_host.h"
#include "core/form.h"
#include "core/pipeline_options.h"
#include "core/settings_check.h"
#include "imaging/text_watermark.h"
#include "settings/settings.h"

struct RunContext {
    PipelineOptions options;
    WatermarkText text;         // with options.text_watermark, its font found and measured
    std::string watermark_file; // with options.image_watermark: the file as a full path
};

// A run after its checks: nothing is to run when refusal holds (its message has been shown).
struct PlannedRun {
    std::optional<CheckRefusal> refusal;
    std::string source_folder; // trimmed
    std::string target_folder; // trimmed; a batch's only
    RunContext context;
};

// Checks the form as a batch (no preview) or the preview of one watermark needs, storing what
// passes into settings, and settles the run: its pipeline options, its text watermark's font and
// its watermark image, a relative path taken from program_folder. Call it with the image library
// running, on the thread that runs the batch or the preview.
PlannedRun plan_run(const FormSnapshot& form, Settings& settings, const std::string& program_folder,
                    BatchHost& host, std::optional<PreviewKind> preview = std::nullopt);
