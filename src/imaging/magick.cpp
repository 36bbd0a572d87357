#include "imaging/magick.h"

#include <mutex>
#include <string>

#include "base/program.h"
#include "imaging/magick_memory.h"
#include "platform/library_path.h"
#include "platform/process_folder.h"

namespace {

std::mutex start_mutex;
int start_count = 0;
// Once for the process: the blocks of one start may be freed by the library after another.
bool memory_methods_set = false;
// The folder of the library's scratch files while it runs. Not an object with a destructor: one
// run at the end of the process (the window closed during a batch) would make Win32 calls while
// the process ends, and a folder left then is the next start's to remove.
ProcessFolder* scratch_folder = nullptr;

// A picture the program takes (read_image refuses larger claims before decoding) and the
// library's working copies of it stay within these; the system's policy file may lower them
// further. The pixels of a picture beyond the memory limit go to a file mapped into memory,
// beyond that to a file read and written in pieces, and the disk limit caps those files. The
// frames of a GIF are counted even by a ping, at some 20 KB each: far more than any animation
// has is a failed read. A batch runs a worker on every core, each picture on one thread: the
// library's own threads would only compete with them (the Windows build has none, but a build
// with them would take this limit).
void set_resource_limits() {
    MagickSetResourceLimit(ThreadResource, 1);
    MagickSetResourceLimit(ListLengthResource, 5000);
    MagickSetResourceLimit(WidthResource, MaxPictureSide);
    MagickSetResourceLimit(HeightResource, MaxPictureSide);
    MagickSetResourceLimit(AreaResource, MaxPicturePixels);
    MagickSetResourceLimit(MemoryResource, MagickSizeType{256} << 20);
    MagickSetResourceLimit(MapResource, MagickSizeType{512} << 20);
    MagickSetResourceLimit(DiskResource, MagickSizeType{4} << 30);
}

// Those files go to a folder of this process below the program's folder "cache", which the next
// start empties when the process was killed before the library could remove them. The library
// takes the folder from its registry (it looks there before its environment), which every start
// of the library begins anew; in both builds the value is the library's own name of the folder.
void set_temporary_folder(const std::string& folder) {
    const std::string path = folder.empty() ? folder : library_path(folder.c_str());
    if (path.empty())
        return; // the library's own temporary folder serves
    ExceptionInfo* exception = AcquireExceptionInfo();
    SetImageRegistry(StringRegistryType, "temporary-path", path.c_str(), exception);
    DestroyExceptionInfo(exception);
}

} // namespace

// The batch worker and the UI thread may start and stop at the same time; the lock also makes
// a second starter wait until the first one's start has finished.
void magick_start() {
    const std::lock_guard<std::mutex> lock(start_mutex);
    if (start_count++ == 0) {
        use_program_coder_modules();
        if (!memory_methods_set) {
            keep_large_library_blocks();
            memory_methods_set = true;
        }
        MagickWandGenesis();
        set_resource_limits();
        scratch_folder = new ProcessFolder(program_file_path("cache"));
        set_temporary_folder(scratch_folder->path());
    }
}

void magick_stop() {
    const std::lock_guard<std::mutex> lock(start_mutex);
    if (start_count == 0)
        return; // a stop without its start must not end someone else's library
    if (--start_count == 0) {
        MagickWandTerminus(); // which removes the library's own files first
        free_kept_library_blocks();
        delete scratch_folder;
        scratch_folder = nullptr;
    }
}
