// One batch run: checks, settings saved, the images of the source folder (and its subfolder
// tree) through the pipeline, the completion question, and the end of the run.
#pragma once
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

// Runs the whole batch on the calling thread, reporting through host; settings (the caller's
// own record) receives the checked values, is saved to config.dat before the first image and is
// handed back through host at the end.
BatchOutcome run_batch(const FormSnapshot& form, Settings& settings, BatchHost& host);
