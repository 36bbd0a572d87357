// A batch run started from the main window: the worker thread and its window host.
#pragma once
#include "ui/app.h"

// StartButton: starts the worker on its own copy of the settings and hands every control but
// the banner strip and the progress bar to it until the run ends.
void start_processing(App& app);

// True while a worker runs (the processing flag is 1).
bool batch_is_running(const App& app);
