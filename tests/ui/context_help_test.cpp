// Context help on a main window built as start-up builds it, in the test's own process: the
// text found at each place, and the pop-up's size, place and drawing. Needs a display.
#include <gtest/gtest.h>

#include <windows.h>

#include "canvas.h"
#include "ui/app.h"
#include "ui/context_help.h"
#include "ui/help_rules.h"
#include "ui/main_controls.h"
#include "ui/main_window.h"
#include "ui/window_helpers.h"

namespace {

// The main window with its 44 controls and the hidden help pop-up, once per process.
App& app() {
    static App the_app;
    return the_app;
}

void build_main_window() {
    App& a = app();
    if (a.MainWindow)
        return;
    WNDCLASSEXA window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = main_window_proc;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = MainWindowClass;
    RegisterClassExA(&window_class);
    a.MainWindow =
        CreateWindowExA(WS_EX_APPWINDOW, MainWindowClass, "Ombrel", WS_SYSMENU | WS_MINIMIZEBOX,
                        100, 100, 687, 558, nullptr, nullptr, nullptr, &a);
    create_main_controls(a, nullptr, a.MainWindow);
    a.GuiFont = create_gui_font();
    for (HWND child = GetWindow(a.MainWindow, GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT))
        set_window_font(child, a.GuiFont);
    ShowWindow(a.MainWindow, SW_SHOW);
    a.HelpPopup = CreateWindowExA(0, MainWindowClass, "context_window", 0x86000007, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 320, 28, a.MainWindow, nullptr, nullptr, &a);
}

class ContextHelp : public testing::Test {
  protected:
    void SetUp() override {
        build_main_window();
        ASSERT_TRUE(app().MainWindow && app().HelpPopup && app().StartButton);
    }
};

POINT middle_of(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, app().MainWindow, reinterpret_cast<POINT*>(&r), 2);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The height of the interface font as the pop-up measures a text.
int text_height(const char* text) {
    const HDC dc = GetDC(app().HelpPopup);
    const HGDIOBJ previous = SelectObject(dc, app().GuiFont);
    SIZE size{};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    SelectObject(dc, previous);
    ReleaseDC(app().HelpPopup, dc);
    return size.cy;
}

RECT popup_rect() {
    RECT r;
    GetWindowRect(app().HelpPopup, &r);
    return r;
}

} // namespace

TEST_F(ContextHelp, EveryControlShowsTheTextOfItsRow) {
    const struct {
        HWND MainControls::*control;
        int row; // 0: no help
    } rows[] = {
        {&MainControls::BannerStatic, 0},        {&MainControls::SourceFolderLabel, 1},
        {&MainControls::SourceFolderEdit, 1},    {&MainControls::SourceFolderButton, 1},
        {&MainControls::WidthCheck, 2},          {&MainControls::WidthEdit, 2},
        {&MainControls::QualityCheck, 3},        {&MainControls::QualityCombo, 3},
        {&MainControls::RotateCheck, 4},         {&MainControls::RotateCombo, 4},
        {&MainControls::SubfoldersCheck, 5},     {&MainControls::BasicGroupLabel, 0},
        {&MainControls::TextLabel, 7},           {&MainControls::TextEdit, 7},
        {&MainControls::TextOpacityLabel, 9},    {&MainControls::TextOpacityCombo, 9},
        {&MainControls::TextPositionLabel, 8},   {&MainControls::TextHorzCombo, 8},
        {&MainControls::TextHorzEdit, 8},        {&MainControls::TextVertCombo, 8},
        {&MainControls::TextVertEdit, 8},        {&MainControls::FontLabel, 10},
        {&MainControls::FontEdit, 10},           {&MainControls::FontButton, 10},
        {&MainControls::TextPreviewButton, 11},  {&MainControls::TextWatermarkCheck, 6},
        {&MainControls::ImageLabel, 13},         {&MainControls::ImageEdit, 13},
        {&MainControls::ImageButton, 13},        {&MainControls::ImagePositionLabel, 14},
        {&MainControls::ImageHorzCombo, 14},     {&MainControls::ImageHorzEdit, 14},
        {&MainControls::ImageVertCombo, 14},     {&MainControls::ImageVertEdit, 14},
        {&MainControls::ImagePreviewButton, 15}, {&MainControls::ImageWatermarkCheck, 12},
        {&MainControls::TargetFolderLabel, 16},  {&MainControls::TargetFolderEdit, 16},
        {&MainControls::TargetFolderButton, 16}, {&MainControls::ProgressBar, 18},
        {&MainControls::StartButton, 17},
    };
    for (const auto& r : rows) {
        const POINT p = middle_of(app().*r.control);
        EXPECT_EQ(help_text_at(app(), p), help_text(r.row))
            << "control at (" << p.x << ", " << p.y << "), row " << r.row;
    }
}

TEST_F(ContextHelp, GroupFramesAndPlacesOutsideTheControlsHaveNone) {
    for (const POINT& p : {POINT{640, 310}, POINT{640, 410}, POINT{665, 180}, POINT{5, 90},
                           POINT{-5, 100}, POINT{700, 100}})
        EXPECT_EQ(help_text_at(app(), p), nullptr) << p.x << ", " << p.y;
    // The captions of the watermark groups are their check boxes.
    EXPECT_EQ(help_text_at(app(), {50, 208}), help_text(6));
    EXPECT_EQ(help_text_at(app(), {50, 341}), help_text(12));
}

// During a run every control is disabled; help still answers and switches nothing on.
TEST_F(ContextHelp, DisabledControlsHaveHelpAndTheLookupSwitchesNothing) {
    enable_children_except(app().MainWindow, app().BannerStatic, false);
    EXPECT_EQ(help_text_at(app(), middle_of(app().TextHorzEdit)), help_text(8));
    EXPECT_EQ(help_text_at(app(), middle_of(app().ImageVertEdit)), help_text(14));
    EXPECT_EQ(help_text_at(app(), {50, 208}), help_text(6));
    EXPECT_EQ(help_text_at(app(), {50, 341}), help_text(12));
    for (HWND control :
         {app().TextGroup, app().TextWatermarkCheck, app().ImageGroup, app().ImageWatermarkCheck})
        EXPECT_FALSE(IsWindowEnabled(control));
    enable_children_except(app().MainWindow, app().BannerStatic, true);
}

TEST_F(ContextHelp, ThePopupsHeightAndPlaceFollowTheTextAndTheScreen) {
    const int cy = text_height(help_text(1));
    show_help_popup(app(), help_text(1), 500, 300);
    EXPECT_TRUE(IsWindowVisible(app().HelpPopup));
    RECT r = popup_rect();
    EXPECT_EQ(r.left, 340);
    EXPECT_EQ(r.top, 316);
    EXPECT_EQ(r.right - r.left, 326);
    // Six lines: 6 x (cy + 3) + 22 is even, so one more.
    EXPECT_EQ(r.bottom - r.top, 6 * (cy + 3) + 23);

    show_help_popup(app(), help_text(4), 500, 300);
    r = popup_rect();
    EXPECT_EQ(r.bottom - r.top, help_popup_height(text_height(help_text(4)), 1));

    const int screen = GetSystemMetrics(SM_CXSCREEN);
    const int bottom = GetSystemMetrics(SM_CYMAXIMIZED);
    show_help_popup(app(), help_text(4), screen - 165, bottom - 40);
    r = popup_rect();
    EXPECT_EQ(r.left, screen - 332);
    EXPECT_EQ(r.top, bottom - 40 - (r.bottom - r.top) - 16);

    // Clicked, it hides.
    SendMessageA(app().HelpPopup, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_FALSE(IsWindowVisible(app().HelpPopup));
}

TEST_F(ContextHelp, ThePopupDrawsItsBoxesShadowAndLines) {
    const char* text = help_text(1);
    const int cy = text_height(text);
    const int height = help_popup_height(cy, 6);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const Canvas canvas(HelpPopupWidth, height, face);
    draw_help_popup(canvas.dc(), app().GuiFont, text, height);

    EXPECT_EQ(canvas.pixel(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(canvas.pixel(319, height - 7), RGB(0, 0, 0));
    EXPECT_EQ(canvas.pixel(1, 1), RGB(192, 192, 192));
    EXPECT_EQ(canvas.pixel(318, height - 8), RGB(192, 192, 192));
    EXPECT_EQ(canvas.pixel(2, 2), RGB(254, 255, 237));
    for (const ShadowPixel& p : help_shadow_pixels(height))
        ASSERT_EQ(canvas.pixel(p.x, p.y), RGB(0, 0, 0)) << p.x << ", " << p.y;
    EXPECT_EQ(canvas.pixel(5, height - 6), face);
    EXPECT_EQ(canvas.pixel(320, 6), face);
    EXPECT_EQ(canvas.pixel(325, 0), face);

    // Ink lies only in the bands of the lines; the fourth line is empty.
    auto ink_in_rows = [&](int top, int bottom) {
        int ink = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 8; x < 318; ++x)
                if (close_to(canvas.pixel(x, y), RGB(0, 0, 0), 100))
                    ++ink;
        return ink;
    };
    for (int k = 0; k < 6; ++k) {
        const int top = help_line_top(cy, k);
        if (k == 3)
            EXPECT_EQ(ink_in_rows(top, top + cy), 0) << "the empty line";
        else
            EXPECT_GT(ink_in_rows(top, top + cy), 20) << "line " << k;
        EXPECT_EQ(ink_in_rows(top + cy, top + cy + 3), 0) << "the gap after line " << k;
    }
    EXPECT_EQ(ink_in_rows(2, help_line_top(cy, 0)), 0) << "above the first line";
}
