// One batch run: checks, settings saved, the images of the source folder (and its subfolder
// tree) through the pipeline, the completion question, and the end of the run.
#pragma once
#include <string>

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
    int written = 0;          // images written
    int failed = 0;           // images that could not be read, processed or written
    int skipped = 0;          // animated GIFs
    int folders_left_out = 0; // subfolders whose paths are too long to be listed
};

// Runs the whole batch, reporting through host from the calling thread, with its images
// processed on that many worker threads; settings (the caller's own record) receives the checked
// values, goes to host to be saved before the first image and is handed back through host at the
// end. A relative watermark path is taken from program_folder.
BatchOutcome run_batch(const FormSnapshot& form, Settings& settings,
                       const std::string& program_folder, int workers, BatchHost& host);
