// A main window for the banner tests, shown on the test's display: the strip's control sits at
// its client origin, and every paint of the window records what the strip under test draws.
#pragma once
#include <string>
#include <vector>

#include <windows.h>

class BannerRotation;

// What a drawing of the strip shows, told by a few pixels.
enum class Look { placeholder, red, green, blue, yellow, red_over_blue, other };
const char* look_name(Look look);

// The look of a 681 x 80 drawing of the strip.
Look look_of(HDC dc);

class StripWindow {
  public:
    StripWindow();
    ~StripWindow();
    StripWindow(const StripWindow&) = delete;
    StripWindow& operator=(const StripWindow&) = delete;

    HWND main_window() const { return main_; }
    HWND banner_static() const { return strip_; }

    // Paints from now on record what strip draws.
    void watch(BannerRotation* strip) { watched_ = strip; }

    struct Shown {
        unsigned long at;
        Look look;
    };
    // Every paint so far, in order.
    const std::vector<Shown>& paints() const { return paints_; }
    // The look at the last paint (placeholder before any).
    Look last_look() const { return paints_.empty() ? Look::placeholder : paints_.back().look; }

    // Handles messages until a paint after the first `after` paints shows look; that paint's time,
    // or 0 when none did within timeout_ms.
    unsigned long wait_for_look(Look look, unsigned timeout_ms, std::size_t after = 0);
    // Handles messages until count paints have happened.
    bool wait_for_paints(std::size_t count, unsigned timeout_ms);

  private:
    static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM w, LPARAM l);
    void on_paint();

    HWND main_ = nullptr;
    HWND strip_ = nullptr;
    BannerRotation* watched_ = nullptr;
    std::vector<Shown> paints_;
};
