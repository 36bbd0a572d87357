// A 32-bit memory bitmap to draw into and read back, for tests of what windows draw.
#pragma once
#include <windows.h>

class Canvas {
  public:
    // Filled with the background colour (a COLORREF).
    Canvas(int width, int height, COLORREF background);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    // The pixel as a COLORREF (red in the low byte), so it compares with RGB(...).
    COLORREF pixel(int x, int y) const;

  private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
    const DWORD* bits_ = nullptr;
};

// Near the colour in every channel (JPEG pictures are not exact).
bool close_to(COLORREF pixel, COLORREF colour, int tolerance = 24);
