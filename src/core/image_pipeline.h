// One source image becomes one JPEG result.
#pragma once
#include <string>

#include <wand/MagickWand.h>

#include "core/batch_host.h"
#include "core/pipeline_options.h"
#include "settings/settings.h"

// Shared by all images of a run.
struct RunState {
    int overwrite_answer = -1; // -1 not asked yet, 1 overwrite all, 0 cancelled
    int written = 0;
    int failed = 0;  // not read, shrunk or written
    int skipped = 0; // animated GIFs
};

enum class ImageOutcome {
    Written,
    ReadFailure,    // logged
    AnimatedGif,    // logged
    ProcessFailure, // logged: the picture could not be shrunk; nothing is written
    WriteFailure,   // logged; nothing of the result is left behind
    Cancelled,      // the user refused to overwrite: the run stops
};

// Processes the image name found in folder into destination. settings supplies the font, the
// watermark text and the watermark image path; options what to do.
ImageOutcome process_image(const std::string& folder, const std::string& destination,
                           const std::string& name, RunState& state, const Settings& settings,
                           const PipelineOptions& options, BatchHost& host);

// The name a result is written under in folder until it is complete: "ombrel-" with this
// process's identifier and count in hexadecimal, ".part".
std::string partial_output_path(const std::string& folder, unsigned count);

// Encodes the image in format and writes it under a partial name in folder, then moves it over
// folder\name (see replace_file): a failed write leaves neither a truncated file nor the earlier
// file destroyed. False when nothing new was written.
bool write_result(MagickWand* image, const std::string& folder, const std::string& name,
                  const std::string& format);
