#include <gtest/gtest.h>

#include <windows.h>

#include "imaging/image_operations.h"
#include "imaging/magick.h"
#include "imaging/text_watermark.h"
#include "support/temp_folder.h"
#include "support/test_images.h"

namespace {

bool library_running() {
    return IsMagickWandInstantiated() == MagickTrue;
}

DWORD WINAPI start_and_stop_many(void*) {
    for (int i = 0; i < 1000000; ++i) {
        magick_start();
        magick_stop();
    }
    return 0;
}

} // namespace

// The still-image test and the font test start and stop the library themselves; a batch or a
// preview that is using it meanwhile must keep its image.
TEST(MagickSession, NestedStartAndStopKeepTheLibraryRunning) {
    TempFolder folder;
    {
        const MagickSession outer;
        const auto image = solid_image(40, 30, "red");
        save_image(image.get(), folder / "still.png", "PNG");

        EXPECT_EQ(is_still_image((folder / "still.png").c_str()), 1);
        FontSpec font{};
        EXPECT_EQ(font_shows_chinese(font), 0);
        { const MagickSession inner; }
        ASSERT_TRUE(library_running());
        resize_to_width(image.get(), 20);
        EXPECT_EQ(MagickGetImageWidth(image.get()), 20u);
        EXPECT_EQ(pixel_at(image.get(), 10, 7).red, 1.0);
        const auto later = solid_image(3, 3, "blue");
        EXPECT_EQ(MagickGetImageWidth(later.get()), 3u);
    }
    EXPECT_FALSE(library_running()) << "the outermost stop ends the library";
}

// Each batch and each preview starts the library anew after the last one ended it.
TEST(MagickSession, LibraryRestartsAfterItEnded) {
    TempFolder folder;
    for (int round = 0; round < 3; ++round) {
        {
            const MagickSession session;
            save_image(solid_image(4, 4, "green").get(), folder / "a.bmp", "BMP");
        }
        EXPECT_FALSE(library_running());
        EXPECT_EQ(is_still_image((folder / "a.bmp").c_str()), 1) << "round " << round;
    }
}

// The batch worker validates fonts while the UI thread may run a preview: the count must
// survive starts and stops from two threads at once.
TEST(MagickSession, CountHoldsAcrossThreads) {
    {
        const MagickSession outer;
        HANDLE threads[2];
        for (HANDLE& thread : threads)
            thread =
                CreateThread(nullptr, 0, start_and_stop_many, nullptr, CREATE_SUSPENDED, nullptr);
        for (HANDLE thread : threads)
            ResumeThread(thread);
        ASSERT_EQ(WaitForMultipleObjects(2, threads, TRUE, 60000), WAIT_OBJECT_0)
            << "the threads did not finish within a minute";
        for (HANDLE thread : threads)
            CloseHandle(thread);
        EXPECT_TRUE(library_running());
    }
    EXPECT_FALSE(library_running()) << "starts and stops were lost between the threads";
}

// A stray stop must not upset the count for the next start.
TEST(MagickSession, StopWithoutStartIsIgnored) {
    magick_stop();
    {
        const MagickSession session;
        EXPECT_TRUE(library_running());
    }
    EXPECT_FALSE(library_running());
}
