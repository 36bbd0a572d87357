// Stands in for batch_worker.cpp while the image operations that the batch engine links are
// not built yet: StartButton then starts nothing, and no run is ever in progress.
#include "ui/batch_worker.h"

void start_processing() {}

bool batch_is_running() {
    return false;
}
