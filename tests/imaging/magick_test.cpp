// The image library's counted start and stop, which the batch worker and the previews use from
// two threads at once.
#include "imaging/magick.h"
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

const TestCase cases[] = {{"the count holds across threads", the_count_holds_across_threads}};
const Registration registration(cases);

} // namespace
