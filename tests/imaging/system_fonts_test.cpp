// The system's faces as files the image library draws with: a Latin face in its bold file and
// the second face of a collection.
#include "imaging/magick.h"
#include "imaging/system_fonts.h"
#include "platform/library_path.h"
#include "support/win32_support.h"

namespace {

// How wide the library draws text at 40 pixels with the font file; 0 when it cannot.
double drawn_width(const std::string& file, const char* text) {
    const MagickSession library;
    const auto canvas = new_magick_wand();
    const auto drawing = new_drawing_wand();
    MagickNewImage(canvas.get(), 10, 10, new_pixel_wand().get());
    DrawSetFont(drawing.get(), library_font_path(file.c_str()).c_str());
    DrawSetFontSize(drawing.get(), 40);
    const unique_magick_memory<double> metrics(
        MagickQueryFontMetrics(canvas.get(), drawing.get(), text));
    return metrics ? metrics.get()[4] : 0;
}

// A face the system lacks has no file: GDI would give its default face instead.
void a_latin_face_is_drawn_from_its_own_bold_file() {
    check_equal(system_font_file("No Such Face", false, false), std::string(), "a missing face");
    const std::string regular = system_font_file("DejaVu Sans", false, false);
    const std::string bold = system_font_file("DejaVu Sans", true, false);
    check(!regular.empty() && !bold.empty() && regular != bold, "two files: " + regular + bold);
    check(drawn_width(bold, "Watermark") > drawn_width(regular, "Watermark") + 5, "bold wider");
    check_equal(system_font_file("DejaVu Sans", true, false), bold, "the file reused");
}

// WenQuanYi Zen Hei Mono is the second face of its collection; drawn from the whole collection,
// the library would take the first, proportional face.
void the_second_face_of_a_collection_draws_as_itself() {
    const std::string mono = system_font_file("WenQuanYi Zen Hei Mono", false, false);
    const std::string first = system_font_file("WenQuanYi Zen Hei", false, false);
    check(!mono.empty() && !first.empty(), "no files for the collection's faces");
    check(drawn_width(mono, "iiii") == drawn_width(mono, "MMMM"), "the Mono face is monospaced");
    check(drawn_width(first, "iiii") < drawn_width(first, "MMMM"), "the first face is not");
}

const TestCase cases[] = {
    {"a Latin face is drawn from its own bold file", a_latin_face_is_drawn_from_its_own_bold_file},
    {"the second face of a collection draws as itself",
     the_second_face_of_a_collection_draws_as_itself},
};
const Registration registration(cases);

} // namespace
