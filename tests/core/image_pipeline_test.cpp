// How a picture is read, what becomes of a picture the library cannot turn, shrink or lay on
// white, and the quality a batch and a preview give a JPEG.
#include "core/image_pipeline.h"
#include "imaging/image_operations.h"
#include "imaging/image_reader.h"
#include "imaging/magick.h"
#include "platform/library_path.h"
#include "support/win32_support.h"

namespace {

// With the library's memory this tight and no disk, a 1000 x 600 picture (half transparent) is
// read, but a step that needs a working copy of it finds no room: the image fails with its line,
// nothing encoded.
void a_picture_a_step_cannot_take_fails_with_its_line() {
    const std::string source = test_picture_path("wide.png");
    const MagickSession library;
    const MagickSizeType memory = MagickGetResourceLimit(MemoryResource);
    const MagickSizeType map = MagickGetResourceLimit(MapResource);
    const MagickSizeType disk = MagickGetResourceLimit(DiskResource);
    struct Step {
        const char* name;
        bool rotate, resize;
    };
    for (const Step step : {Step{"shrunk", false, true}, Step{"turned", true, false},
                            Step{"laid on white", false, false}}) {
        RunContext run;
        run.options.rotate = step.rotate;
        run.options.angle = 90;
        run.options.resize = step.resize;
        run.options.width = 750;
        MagickSetResourceLimit(MemoryResource, 9'000'000);
        MagickSetResourceLimit(MapResource, 0);
        MagickSetResourceLimit(DiskResource, 0);
        const ImageResult result = process_image(run, source, "Z:\\out\\wide.png.jpg", nullptr);
        MagickSetResourceLimit(MemoryResource, memory);
        MagickSetResourceLimit(MapResource, map);
        MagickSetResourceLimit(DiskResource, disk);
        const std::string what = std::string(" (") + step.name + ")";
        check(result.outcome == ImageOutcome::ProcessFailure, "the image did not fail" + what);
        check(result.log == std::vector<std::string>{"处理 " + source + " 出错"}, "log" + what);
        check(result.files.empty(), "a result was encoded" + what);
    }
}

void close_watch(HANDLE watch) {
    FindCloseChangeNotification(watch);
}

// The header and the picture are read from the file itself: no copy of it passes through the
// library's scratch folder (a copy at each read made a batch a tenth slower).
void a_picture_is_read_without_a_copy_on_disk() {
    const TestFolder scratch;
    const MagickSession library;
    SetImageRegistry(StringRegistryType, "temporary-path", scratch.path().c_str(), nullptr);
    const unique_any<HANDLE, close_watch, -1> watch(FindFirstChangeNotificationW(
        widen(scratch.path()).c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME));
    check(read_image(new_magick_wand().get(), test_picture_path("large.jpg")), "not read");
    check(WaitForSingleObject(watch.get(), 0) == WAIT_TIMEOUT, "a copy went to the scratch folder");
}

size_t quality_of(const EncodedImage& encoded) {
    const auto image = new_magick_wand();
    check(MagickReadImageBlob(image.get(), encoded.data.get(), encoded.length) == MagickTrue,
          "the result cannot be read");
    return MagickGetImageCompressionQuality(image.get());
}

// A batch lowers a JPEG's quality, never raises it; a preview shows the chosen one.
void a_preview_shows_the_chosen_quality_a_batch_only_lowers_to_it() {
    const std::string source = test_picture_path("large.jpg");
    const MagickSession library;
    const auto original = new_magick_wand();
    check(MagickReadImage(original.get(), library_path(source.c_str()).c_str()) == MagickTrue,
          "no picture");
    const size_t own = MagickGetImageCompressionQuality(original.get());
    for (const bool preview : {false, true}) {
        RunContext run;
        run.options.set_quality = true;
        run.options.quality = static_cast<int>(own) + 3;
        run.options.raise_quality = preview;
        const ImageResult result = process_image(run, source, "Z:\\out\\large.jpg", nullptr);
        check_equal(quality_of(result.files.at(0)), preview ? own + 3 : own,
                    preview ? "the preview's quality" : "the batch's quality");
    }
}

// A noisy photo under a cap: the highest quality whose file fits, the next one up does not; a
// cap no quality meets gives the file at 30, marked as over.
void a_capped_jpeg_takes_the_highest_quality_that_fits() {
    const MagickSession library;
    const auto photo = new_magick_wand();
    check(MagickReadImage(photo.get(),
                          library_path(test_picture_path("noisy.jpg").c_str()).c_str()) ==
              MagickTrue,
          "no picture");
    const std::size_t cap = 100 * 1024;
    const CappedEncoding capped = encode_jpeg_within(photo.get(), cap);
    const int quality = static_cast<int>(quality_of(capped.encoded));
    check(capped.within && capped.encoded.length <= cap && quality > 30 && quality < 92,
          "the capped file: quality " + std::to_string(quality));
    MagickSetImageCompressionQuality(photo.get(), quality + 1);
    check(encode_image(photo.get(), "JPEG").length > cap, "one quality up fits as well");
    const CappedEncoding over = encode_jpeg_within(photo.get(), 10 * 1024);
    check(!over.within && over.encoded.length > 10 * 1024 && quality_of(over.encoded) == 30,
          "a cap no quality meets");
}

const TestCase cases[] = {
    {"a picture is read without a copy on disk", a_picture_is_read_without_a_copy_on_disk},
    {"a picture a step cannot take fails with its line",
     a_picture_a_step_cannot_take_fails_with_its_line},
    {"a preview shows the chosen quality, a batch only lowers to it",
     a_preview_shows_the_chosen_quality_a_batch_only_lowers_to_it},
    {"a capped JPEG takes the highest quality that fits",
     a_capped_jpeg_takes_the_highest_quality_that_fits},
};
const Registration registration(cases);

} // namespace
