// What the Win32 tests share: folders of their own, the pictures the build made for them, and
// bounded waits.
#pragma once
#include "base/utf.h"
#include <cstdlib>
#include <functional>
#include <string>

#include <windows.h>

#include "platform/file_io.h"
#include "base/program.h"
#include "support/check.h"

// The folder of this test program (build/tests), where the build put the tests' pictures.
inline std::string tests_folder() {
    return executable_folder();
}

// A fresh folder below build/tests/work. No test deletes a folder: the build empties work
// before every run of the tests.
class TestFolder {
  public:
    TestFolder() {
        static unsigned counter;
        bool made;
        do { // Wine gives small process identifiers, again in a later session
            path_ = tests_folder() + "\\work\\" + std::to_string(GetCurrentProcessId()) + "-" +
                    std::to_string(counter++);
            made = CreateDirectoryW(widen(path_).c_str(), nullptr);
        } while (!made && GetLastError() == ERROR_ALREADY_EXISTS);
        check(made, "cannot create " + path_);
    }
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

  private:
    std::string path_;
};

// A picture the build made for the tests (build/tests/pictures): its path and its bytes.
inline std::string test_picture_path(const std::string& name) {
    return tests_folder() + "\\pictures\\" + name;
}
inline std::string test_picture(const std::string& name) {
    const std::string path = test_picture_path(name);
    const auto bytes = read_file(path.c_str());
    check(bytes.has_value(), "no test picture " + path);
    return *bytes;
}

// What draw paints into a bitmap of width x height at (x, y), as 0x00BBGGRR.
inline COLORREF drawn_pixel(const std::function<void(HDC)>& draw, int width, int height, int x,
                            int y) {
    const HDC screen = GetDC(nullptr), dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    draw(dc);
    const COLORREF colour = GetPixel(dc, x, y);
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return colour;
}

// Within the tolerance JPEG leaves on flat colours.
inline bool near_colour(COLORREF a, COLORREF b) {
    for (int shift : {0, 8, 16})
        if (std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)) > 40)
            return false;
    return true;
}

// Milliseconds until done() holds, checked every 20 ms; fails after timeout_ms naming what.
inline unsigned long wait_for(const std::function<bool()>& done, const std::string& what,
                              unsigned long timeout_ms = 10000) {
    const DWORD start = GetTickCount();
    while (!done()) {
        check(GetTickCount() - start < timeout_ms, "waited in vain for " + what);
        Sleep(20); // the polling interval of a bounded wait
    }
    return GetTickCount() - start;
}
