// The preview window in the test's own process, where its scroll bars can be read back with
// GetScrollInfo and its drawing with WM_PRINTCLIENT. Needs a display (scripts/test provides one).
#include <gtest/gtest.h>

#include <windows.h>

#include "canvas.h"
#include "support/temp_folder.h"
#include "support/test_images.h"
#include "ui/preview_window.h"

namespace {

const COLORREF Black = RGB(0, 0, 0), White = RGB(255, 255, 255), Orange = RGB(255, 165, 0);

class PreviewWindowTest : public testing::Test {
  protected:
    void SetUp() override {
        // One window per process, as start-up makes it.
        if (!PreviewWindow) {
            ASSERT_TRUE(create_preview_window(GetModuleHandleA(nullptr), nullptr));
        }
        ASSERT_FALSE(IsWindowVisible(PreviewWindow));
    }
    void TearDown() override { SendMessageA(PreviewWindow, WM_CLOSE, 0, 0); }

    std::string picture(int width, int height) {
        const std::string path =
            folder_ / (std::to_string(width) + "x" + std::to_string(height) + ".jpg");
        write_solid_image(path, width, height, "orange", "JPEG", 95);
        return path;
    }

    TempFolder folder_;
};

RECT client_rect() {
    RECT client;
    GetClientRect(PreviewWindow, &client);
    return client;
}

// Restored from maximised and sized to a client area of width x height.
void size_client(int width, int height) {
    ShowWindow(PreviewWindow, SW_RESTORE);
    RECT outer;
    GetWindowRect(PreviewWindow, &outer);
    const RECT client = client_rect();
    SetWindowPos(PreviewWindow, nullptr, 0, 0, width + (outer.right - outer.left) - client.right,
                 height + (outer.bottom - outer.top) - client.bottom, SWP_NOZORDER);
}

SCROLLINFO scroll_info(int bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(PreviewWindow, bar, &info);
    return info;
}

bool has_bar(LONG bar_style) {
    return (GetWindowLongA(PreviewWindow, GWL_STYLE) & bar_style) != 0;
}

// What the window draws in its client area.
struct Drawn {
    Drawn() : canvas(client_rect().right, client_rect().bottom, RGB(1, 2, 3)) {
        SendMessageA(PreviewWindow, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()),
                     PRF_CLIENT);
    }
    COLORREF operator()(int x, int y) const { return canvas.pixel(x, y); }
    Canvas canvas;
};

void expect_colour(const Drawn& drawn, int x, int y, COLORREF colour, const char* what) {
    EXPECT_TRUE(close_to(drawn(x, y), colour))
        << what << " at (" << x << ", " << y << ") is " << std::hex << drawn(x, y);
}

} // namespace

TEST_F(PreviewWindowTest, CreatedHiddenWithItsCaptionAndPictureSurface) {
    char caption[16] = {};
    GetWindowTextA(PreviewWindow, caption, sizeof caption);
    EXPECT_STREQ(caption, "预览");
    const HWND surface = GetDlgItem(PreviewWindow, 38000);
    ASSERT_TRUE(surface);
    RECT r;
    GetClientRect(surface, &r);
    EXPECT_EQ(r.right, 2);
    EXPECT_EQ(r.bottom, 2);
    EXPECT_EQ(GetWindowLongA(PreviewWindow, GWL_STYLE) & 0x00CF0000, 0x00CF0000)
        << "caption, frame, system menu, minimise and maximise boxes";
    EXPECT_FALSE(create_preview_window(GetModuleHandleA(nullptr), nullptr))
        << "the class is registered once";
}

TEST_F(PreviewWindowTest, APictureThatFitsIsCentredInItsFrameWithoutBars) {
    show_preview(picture(500, 300).c_str());
    EXPECT_TRUE(IsWindowVisible(PreviewWindow));
    EXPECT_TRUE(IsZoomed(PreviewWindow)) << "a hidden window comes up maximised";
    EXPECT_EQ(GetActiveWindow(), PreviewWindow);
    size_client(1000, 700);
    ASSERT_EQ(client_rect().right, 1000);
    ASSERT_EQ(client_rect().bottom, 700);
    EXPECT_FALSE(has_bar(WS_HSCROLL));
    EXPECT_FALSE(has_bar(WS_VSCROLL));
    EXPECT_EQ(scroll_info(SB_HORZ).nMax, 0);
    EXPECT_EQ(scroll_info(SB_VERT).nMax, 0);

    const Drawn drawn;
    // Frame from (250, 200) to (751, 501), the picture at (251, 201).
    for (const POINT& p : {POINT{250, 200}, POINT{250, 501}, POINT{751, 200}, POINT{751, 501},
                           POINT{500, 200}, POINT{500, 501}, POINT{250, 350}, POINT{751, 350}})
        expect_colour(drawn, p.x, p.y, Black, "the frame");
    expect_colour(drawn, 251, 201, Orange, "the picture's first pixel");
    expect_colour(drawn, 750, 500, Orange, "the picture's last pixel");
    for (const POINT& p : {POINT{249, 350}, POINT{752, 350}, POINT{500, 199}, POINT{500, 502},
                           POINT{0, 0}, POINT{999, 699}})
        expect_colour(drawn, p.x, p.y, White, "the background");
}

TEST_F(PreviewWindowTest, APictureAsWideAsTheClientAreaHasNoBarAndItsFrameAtZero) {
    show_preview(picture(400, 100).c_str());
    size_client(400, 300);
    EXPECT_FALSE(has_bar(WS_HSCROLL));
    const Drawn drawn;
    expect_colour(drawn, 0, 150, Black, "the frame's left line");
    expect_colour(drawn, 1, 150, Orange, "the picture's first column");
    expect_colour(drawn, 399, 150, Orange, "the picture's last column but one");
}

TEST_F(PreviewWindowTest, ALargePictureScrollsOverItsFrameByLinePageAndWheel) {
    show_preview(picture(2000, 1500).c_str());
    size_client(1000, 700);
    EXPECT_TRUE(has_bar(WS_HSCROLL));
    EXPECT_TRUE(has_bar(WS_VSCROLL));
    const RECT client = client_rect(); // as measured with the bars
    SCROLLINFO h = scroll_info(SB_HORZ), v = scroll_info(SB_VERT);
    EXPECT_EQ(h.nMin, 0);
    EXPECT_EQ(h.nMax, 2001);
    EXPECT_EQ(h.nPage, UINT(client.right));
    EXPECT_EQ(h.nPos, 0);
    EXPECT_EQ(v.nMin, 0);
    EXPECT_EQ(v.nMax, 1501);
    EXPECT_EQ(v.nPage, UINT(client.bottom));
    EXPECT_EQ(v.nPos, 0);
    expect_colour(Drawn(), 0, 100, Black, "the frame's left line at position 0");

    auto vertical = [] { return scroll_info(SB_VERT).nPos; };
    for (int i = 0; i < 5; ++i)
        SendMessageA(PreviewWindow, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(vertical(), 5);
    SendMessageA(PreviewWindow, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), 0);
    EXPECT_EQ(vertical(), 55);
    SendMessageA(PreviewWindow, WM_MOUSEWHEEL, MAKEWPARAM(0, 3 * WHEEL_DELTA), 0);
    EXPECT_EQ(vertical(), 5);
    SendMessageA(PreviewWindow, WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(vertical(), 4);
    SendMessageA(PreviewWindow, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(vertical(), 4 + client.bottom);
    SendMessageA(PreviewWindow, WM_VSCROLL, SB_PAGEUP, 0);
    EXPECT_EQ(vertical(), 4);
    SendMessageA(PreviewWindow, WM_VSCROLL, SB_THUMBPOSITION, 0); // changes nothing
    SendMessageA(PreviewWindow, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(vertical(), 4);
    // Near the end the wheel stops at the last position the bar allows.
    const int last = 1501 - client.bottom + 1;
    for (int i = 0; i < 40; ++i)
        SendMessageA(PreviewWindow, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), 0);
    EXPECT_EQ(vertical(), last);

    SendMessageA(PreviewWindow, WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_EQ(scroll_info(SB_HORZ).nPos, 1);
    {
        const Drawn drawn;
        expect_colour(drawn, 0, 100, Orange, "the picture once the frame is out of sight");
        expect_colour(drawn, 100, client.bottom - 1, Black, "the frame's bottom line at the end");
        expect_colour(drawn, 100, client.bottom - 2, Orange, "the picture's last row");
    }
    for (int i = 0; i < 5; ++i)
        SendMessageA(PreviewWindow, WM_HSCROLL, SB_PAGERIGHT, 0);
    EXPECT_EQ(scroll_info(SB_HORZ).nPos, 2001 - client.right + 1);
    expect_colour(Drawn(), client.right - 1, 100, Black, "the frame's right line at the end");
}

TEST_F(PreviewWindowTest, ClosedItHidesAndForgetsThePictureAndComesBackMaximisedAtTheTop) {
    const std::string large = picture(2000, 1500);
    show_preview(large.c_str());
    size_client(1000, 700);
    SendMessageA(PreviewWindow, WM_VSCROLL, SB_PAGEDOWN, 0);
    SendMessageA(PreviewWindow, WM_HSCROLL, SB_PAGERIGHT, 0);
    SendMessageA(PreviewWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(PreviewWindow));
    EXPECT_FALSE(IsWindowVisible(PreviewWindow));
    expect_colour(Drawn(), 500, 300, White, "nothing after closing");

    show_preview(large.c_str());
    EXPECT_TRUE(IsWindowVisible(PreviewWindow));
    EXPECT_TRUE(IsZoomed(PreviewWindow));
    EXPECT_EQ(scroll_info(SB_HORZ).nPos, 0);
    EXPECT_EQ(scroll_info(SB_VERT).nPos, 0);
}

TEST_F(PreviewWindowTest, ASmallerPictureAfterALargerOneLeavesNothingOfItBehind) {
    show_preview(picture(900, 600).c_str());
    size_client(1000, 700);
    show_preview(picture(100, 50).c_str());
    EXPECT_FALSE(IsZoomed(PreviewWindow)) << "a visible window keeps its size";
    const Drawn drawn;
    expect_colour(drawn, 100, 100, White, "where the larger picture was");
    expect_colour(drawn, 500, 350, Orange, "the smaller picture");
}

TEST_F(PreviewWindowTest, AMissingFileShowsAnEmptyWindowAndNoFileIsHeldOpen) {
    show_preview((folder_ / "missing.jpg").c_str());
    EXPECT_TRUE(IsWindowVisible(PreviewWindow));
    expect_colour(Drawn(), 10, 10, White, "an empty window");

    const std::string path = picture(30, 20);
    show_preview(path.c_str());
    // Nobody holds the file: it opens without sharing and can be replaced or deleted.
    const HANDLE exclusive =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(exclusive, INVALID_HANDLE_VALUE);
    CloseHandle(exclusive);
    EXPECT_TRUE(DeleteFileA(path.c_str()));
}
