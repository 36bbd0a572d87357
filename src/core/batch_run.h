// One batch run: checks, settings saved, the images of the source folder (and its subfolder
// tree) through the pipeline, the completion question, and the end of the run.
#pragma once
#include <atomic>

#include "core/batch_host.h"
#include "core/form.h"
#include "settings/settings.h"

enum class BatchEnd {
    Completed,   // the completion question was asked
    Refused,     // a settings check refused
    Cancelled,   // No to the overwrite question
    FolderError, // a folder could not be read or created
};

struct BatchOutcome {
    BatchEnd end;
    int written; // images written
};

// 1 while a run is going on; the main window asks before it closes then.
extern std::atomic<int> ProcessingFlag;

// Runs the whole batch on the calling thread, reporting through host; settings receives the
// checked values and is saved to config.dat before the first image.
BatchOutcome run_batch(const FormSnapshot& form, Settings& settings, BatchHost& host);
