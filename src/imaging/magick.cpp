#include "imaging/magick.h"

#include <mutex>

#include "platform/library_path.h"

namespace {

std::mutex start_mutex;
int start_count = 0;

// Camera photographs stay far inside these. A small file that declares a gigantic picture (a
// decompression bomb) fails its read instead of taking the machine's memory: width and height
// are hard limits, beyond the area the pixels go to disk, and the disk limit caps that too.
// The system's policy file may lower them further.
void set_resource_limits() {
    MagickSetResourceLimit(WidthResource, 30000);
    MagickSetResourceLimit(HeightResource, 30000);
    MagickSetResourceLimit(AreaResource, 300'000'000);
    MagickSetResourceLimit(DiskResource, MagickSizeType{4} << 30);
}

} // namespace

// The batch worker and the UI thread may start and stop at the same time; the lock also makes
// a second starter wait until the first one's start has finished.
void magick_start() {
    const std::lock_guard<std::mutex> lock(start_mutex);
    if (start_count++ == 0) {
        use_program_coder_modules();
        MagickWandGenesis();
        set_resource_limits();
    }
}

void magick_stop() {
    const std::lock_guard<std::mutex> lock(start_mutex);
    if (start_count == 0)
        return; // a stop without its start must not end someone else's library
    if (--start_count == 0)
        MagickWandTerminus();
}
