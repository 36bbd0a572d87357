// What becomes of a picture the library cannot turn, shrink or lay on white.
#include "core/image_pipeline.h"
#include "imaging/magick.h"
#include "support/win32_support.h"

namespace {

// With the library's memory this tight and no disk, a 1000 x 600 picture is read, but a step
// that needs a working copy of it finds no room: the image fails with its line, nothing encoded.
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
        check(result.encoded.length == 0, "a result was encoded" + what);
    }
}

const TestCase cases[] = {{"a picture a step cannot take fails with its line",
                           a_picture_a_step_cannot_take_fails_with_its_line}};
const Registration registration(cases);

} // namespace
