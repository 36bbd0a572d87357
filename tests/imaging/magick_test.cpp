// The image library's counted start and stop, which the batch worker and the previews use from
// two threads at once, and what becomes of a picture the library cannot shrink.
#include "core/image_pipeline.h"
#include "imaging/magick.h"
#include "platform/file_system.h"
#include "platform/unique_handle.h"
#include "support/win32_support.h"

namespace {

DWORD WINAPI start_and_stop_many(void*) {
    for (int i = 0; i < 1000000; ++i) {
        magick_start();
        magick_stop();
    }
    return 0;
}

void the_count_holds_across_threads() {
    {
        const MagickSession outer;
        // Both wait until both exist, so that they run side by side.
        const unique_handle threads[] = {
            unique_handle(
                CreateThread(nullptr, 0, start_and_stop_many, nullptr, CREATE_SUSPENDED, nullptr)),
            unique_handle(
                CreateThread(nullptr, 0, start_and_stop_many, nullptr, CREATE_SUSPENDED, nullptr))};
        for (const unique_handle& thread : threads)
            ResumeThread(thread.get());
        for (const unique_handle& thread : threads)
            check(WaitForSingleObject(thread.get(), 60000) == WAIT_OBJECT_0, "a thread hangs");
        check(IsMagickWandInstantiated() == MagickTrue, "the library ended under its user");
    }
    check(IsMagickWandInstantiated() == MagickFalse, "the last stop left the library running");
}

// Keeps the log; a resize failure never asks anything.
struct LogHost : BatchHost {
    std::string log;
    void show_message(const char*, const char*, MessageIcon) override {}
    bool ask_yes_no(const char*, const char*) override { return false; }
    void set_progress_range(int) override {}
    void set_progress_position(int) override {}
    void append_log_line(const char* line) override { log += line; }
    void open_folder(const char*) override {}
    void hand_back_settings(const Settings&) override {}
    void restore_controls() override {}
    void request_focus(FormControl) override {}
};

// With the library's memory this tight and no disk, a 1000 x 600 picture is read but the resize
// finds no room for its working copies.
void a_picture_that_cannot_be_shrunk_is_logged_and_not_counted() {
    const TestFolder target;
    const std::string pictures = test_picture_path("");
    const std::string folder = pictures.substr(0, pictures.size() - 1);
    PipelineOptions options;
    options.resize = true;
    options.width = 750;
    LogHost host;
    RunState state;
    const MagickSession library;
    const MagickSizeType memory = MagickGetResourceLimit(MemoryResource);
    const MagickSizeType map = MagickGetResourceLimit(MapResource);
    const MagickSizeType disk = MagickGetResourceLimit(DiskResource);
    MagickSetResourceLimit(MemoryResource, 10'000'000);
    MagickSetResourceLimit(MapResource, 0);
    MagickSetResourceLimit(DiskResource, 0);
    const ImageOutcome outcome =
        process_image(folder, target.path(), "wide.png", state, Settings{}, options, host);
    MagickSetResourceLimit(MemoryResource, memory);
    MagickSetResourceLimit(MapResource, map);
    MagickSetResourceLimit(DiskResource, disk);
    check(outcome == ImageOutcome::ProcessFailure, "the resize did not fail the image");
    check_equal(host.log, "处理 " + folder + "\\wide.png 出错", "log");
    check_equal(state.written, 0, "count");
    check(!file_exists((target / "wide.png.jpg").c_str()), "a result was written");
}

const TestCase cases[] = {
    {"the count holds across threads", the_count_holds_across_threads},
    {"a picture that cannot be shrunk is logged and not counted",
     a_picture_that_cannot_be_shrunk_is_logged_and_not_counted}};
const Registration registration(cases);

} // namespace
