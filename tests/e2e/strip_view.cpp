#include "strip_view.h"

#include <cstdio>
#include <cstdlib>

#include <wand/MagickWand.h>

namespace {

// Strip-relative points of each quarter that must show its colour: near the strip's corner, in
// the middle of the quarter, and close to the two other quarters' edges. JPEG blurs the borders
// between the quarters by a few pixels.
struct QuarterPoints {
    POINT corner, middle, near_border;
};
const QuarterPoints Points[4] = {{{1, 1}, {170, 20}, {333, 34}},
                                 {{679, 1}, {510, 20}, {347, 34}},
                                 {{1, 78}, {170, 60}, {333, 46}},
                                 {{679, 78}, {510, 60}, {347, 46}}};
const char* const QuarterNames[4] = {"top left", "top right", "bottom left", "bottom right"};

std::string colour_text(Rgb c) {
    return "(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + ")";
}

bool close_to(Rgb a, Rgb b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

// Binary PPM ("P6", 8 bits) as ImageMagick writes it.
Pixels parse_ppm(const std::string& ppm, const std::string& what) {
    int width = 0, height = 0, maximum = 0, header = 0;
    const bool parsed =
        std::sscanf(ppm.c_str(), "P6 %d %d %d%n", &width, &height, &maximum, &header) == 3 &&
        maximum == 255 && width > 0 && height > 0;
    expect(parsed, what + " is no 8-bit PPM file");
    const std::size_t size = static_cast<std::size_t>(width) * height * 3;
    expect(ppm.size() >= header + 1 + size, what + " is cut short");
    const auto begin = ppm.begin() + header + 1; // one white-space character ends the header
    return Pixels(width, height, std::vector<unsigned char>(begin, begin + size));
}

Pixels read_ppm_from(const std::string& command, const Scene& scene, const char* name) {
    const std::string path = scene.work + "\\" + name;
    produce_file(command, unix_path(path));
    return parse_ppm(read_text_file(path), path);
}

// The window's background, which the strip's rectangle must not spill into.
Rgb button_face() {
    const COLORREF colour = GetSysColor(COLOR_BTNFACE);
    return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

std::string below_strip_mismatch(const Pixels& pixels) {
    for (int y = StripHeight + 1; y < pixels.height(); ++y)
        for (int x : {10, 340, 670})
            if (!close_to(pixels.at(x, y), button_face(), 16))
                return "below the strip at (" + std::to_string(x) + "," + std::to_string(y) +
                       ") the window shows " + colour_text(pixels.at(x, y)) +
                       " instead of its background";
    return "";
}

std::string crop_geometry(const RECT& r) {
    return std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) + "+" +
           std::to_string(r.left) + "+" + std::to_string(r.top);
}

} // namespace

Pixels::Pixels(int width, int height, std::vector<unsigned char> rgb)
    : width_(width), height_(height), rgb_(std::move(rgb)) {}

Rgb Pixels::at(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * width_ + x) * 3;
    return {rgb_[i], rgb_[i + 1], rgb_[i + 2]};
}

Pixels read_screen(const Scene& scene, const RECT& rect) {
    return read_ppm_from("/usr/bin/import -window root -crop " + crop_geometry(rect) +
                             " +repage -depth 8",
                         scene, "screen.ppm");
}

Pixels read_picture(const Scene& scene, const std::string& path) {
    return read_ppm_from("/usr/bin/convert " + unix_path(path) + " -depth 8", scene, "picture.ppm");
}

RECT strip_and_below(const App& app) {
    RECT strip;
    GetWindowRect(app["BannerStatic"], &strip);
    expect_number(strip.right - strip.left, StripWidth, "width of the strip");
    expect_number(strip.bottom - strip.top, StripHeight, "height of the strip");
    strip.bottom += 4;
    return strip;
}

std::string quarters_jpeg(const Quarters& quarters, int width, int height) {
    static const bool started = (MagickWandGenesis(), true);
    (void)started;
    std::vector<unsigned char> rgb;
    rgb.reserve(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Rgb c = quarters[(y < height / 2 ? 0 : 2) + (x < width / 2 ? 0 : 1)];
            rgb.insert(rgb.end(), {static_cast<unsigned char>(c.r), static_cast<unsigned char>(c.g),
                                   static_cast<unsigned char>(c.b)});
        }
    MagickWand* wand = NewMagickWand();
    std::string bytes;
    if (MagickConstituteImage(wand, width, height, "RGB", CharPixel, rgb.data()) &&
        MagickSetImageFormat(wand, "JPEG") && MagickSetImageCompressionQuality(wand, 95)) {
        size_t length = 0;
        unsigned char* blob = MagickGetImageBlob(wand, &length);
        if (blob)
            bytes.assign(reinterpret_cast<const char*>(blob), length);
        MagickRelinquishMemory(blob);
    }
    DestroyMagickWand(wand);
    expect(!bytes.empty(), "the image library cannot make a banner picture");
    return bytes;
}

std::string quarters_mismatch(const Pixels& pixels, const Quarters& quarters) {
    for (int q = 0; q < 4; ++q)
        for (POINT p : {Points[q].corner, Points[q].middle, Points[q].near_border}) {
            const Rgb shown = pixels.at(p.x, p.y);
            if (!close_to(shown, quarters[q], 60))
                return std::string("the ") + QuarterNames[q] + " quarter at (" +
                       std::to_string(p.x) + "," + std::to_string(p.y) + ") shows " +
                       colour_text(shown) + " instead of " + colour_text(quarters[q]);
        }
    return below_strip_mismatch(pixels);
}

std::string picture_mismatch(const Pixels& pixels, const Pixels& picture) {
    expect(picture.width() == StripWidth && picture.height() == StripHeight,
           "the stored picture is not of the strip's size");
    // Two JPEG decoders differ by a level or two; a picture upside down by about thirty.
    long long difference = 0;
    for (int y = 0; y < StripHeight; ++y)
        for (int x = 0; x < StripWidth; ++x) {
            const Rgb a = pixels.at(x, y), b = picture.at(x, y);
            difference += std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
        }
    const double mean = static_cast<double>(difference) / (StripWidth * StripHeight * 3);
    if (mean > 6)
        return "the strip differs from the stored picture by " + std::to_string(mean) +
               " levels on average";
    return below_strip_mismatch(pixels);
}

std::string describe_strip(const Pixels& pixels) {
    std::string text = "the strip shows";
    for (int q = 0; q < 4; ++q)
        text += std::string(" ") + QuarterNames[q] + " " +
                colour_text(pixels.at(Points[q].middle.x, Points[q].middle.y));
    return text;
}

void click_strip(const App& app) {
    RECT strip;
    GetWindowRect(app["BannerStatic"], &strip);
    expect(SetCursorPos((strip.left + strip.right) / 2, (strip.top + strip.bottom) / 2),
           "cannot move the mouse pointer over the strip");
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    expect(SendInput(2, click, sizeof click[0]) == 2, "cannot click the strip");
}

void save_window_screenshot(const App& app, const std::string& path) {
    RECT window;
    GetWindowRect(app.main, &window);
    produce_file("/usr/bin/import -window root -crop " + crop_geometry(window) + " +repage", path);
}
