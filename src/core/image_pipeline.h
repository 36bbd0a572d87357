// One source image becomes one encoded result: a function of the run, the source and the
// destination alone, which any worker thread may call.
#pragma once
#include <string>
#include <vector>

#include "core/run_context.h"
#include "imaging/magick.h"
#include "imaging/watermark_image.h"

enum class ImageOutcome {
    Written,
    ReadFailure,    // logged
    AnimatedGif,    // logged
    ProcessFailure, // logged: the picture could not be shrunk; nothing is written
    WriteFailure,   // logged; nothing of the result is left behind
    Cancelled,      // the user refused to overwrite: the run stops
};

// What processing gave: the outcome (Written: the result is ready to be written), the bytes of
// the result's file (of each slice, from the top, when it was cut), and the log lines in the
// order they are to be shown.
struct ImageResult {
    ImageOutcome outcome = ImageOutcome::ProcessFailure;
    std::vector<EncodedImage> files;
    std::vector<std::string> log;
};

// Processes the image file source (a full path) into the result that is to become the file
// destination, whose name decides its format. watermark: this thread's copy of the run's
// watermark image, with options.image_watermark. Reads the source and the run's files; writes
// nothing and shows nothing.
ImageResult process_image(const RunContext& run, const std::string& source,
                          const std::string& destination, WatermarkCopy* watermark);

// The result of an image whose processing broke off: the line that says so.
ImageResult broken_off(const std::string& source);
