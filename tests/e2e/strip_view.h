// What the banner strip shows on the X screen, and the pictures the scenarios give it to show.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "scene.h"

struct Rgb {
    int r, g, b;
};

// Pixels read back from the X screen or from a picture file, top row first.
class Pixels {
  public:
    Pixels(int width, int height, std::vector<unsigned char> rgb);
    int width() const { return width_; }
    int height() const { return height_; }
    Rgb at(int x, int y) const;

  private:
    int width_, height_;
    std::vector<unsigned char> rgb_;
};

// A screen rectangle as ImageMagick's import reads it from the X screen, so that the drawing of
// every process is in it. The file goes into the scene's folder.
Pixels read_screen(const Scene& scene, const RECT& rect);
// A picture file as ImageMagick decodes it, in its own size.
Pixels read_picture(const Scene& scene, const std::string& path);

// The rectangle of the banner strip on the screen, with a few rows of the window below it, so
// that a picture drawn beyond the strip shows.
RECT strip_and_below(const App& app);
inline constexpr int StripWidth = 681, StripHeight = 80;

// A picture in four coloured quarters: top left, top right, bottom left, bottom right. Upside
// down, mirrored, drawn in its own size or beyond the strip, it looks different on the strip.
using Quarters = std::array<Rgb, 4>;
// The picture as JPEG file content, made by the image library.
std::string quarters_jpeg(const Quarters& quarters, int width, int height);

// Whether the strip at the top of pixels (from strip_and_below) shows the quarters stretched
// over exactly the strip, upright; else what is wrong, for the failure message.
std::string quarters_mismatch(const Pixels& pixels, const Quarters& quarters);
// The same for a picture of the strip's size shown as it is.
std::string picture_mismatch(const Pixels& pixels, const Pixels& picture);

// A few colours of the strip, for failure messages.
std::string describe_strip(const Pixels& pixels);

// A left click in the middle of the strip, through the system's mouse input.
void click_strip(const App& app);

// The main window as the X screen shows it, as a PNG file (a Unix path).
void save_window_screenshot(const App& app, const std::string& path);
