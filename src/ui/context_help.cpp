#include "ui/context_help.h"

#include <string>

#include "base/utf.h"
#include "platform/win32_scopes.h"
#include "ui/help_rules.h"
#include "ui/main_controls.h"
#include "ui/window_geometry.h"
#include "ui/window_helpers.h"

namespace {

constexpr COLORREF PopupFill = RGB(254, 255, 237);
constexpr COLORREF PopupEdge = RGB(192, 192, 192);

bool lies_on(const App& app, HWND control, POINT client_point) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, app.MainWindow, reinterpret_cast<POINT*>(&rect), 2);
    return PtInRect(&rect, client_point) != FALSE;
}

// A watermark group box lies above the check box on its caption, so the point is first found
// on the box. The check box is then looked for by its rectangle; switching the group box off
// and on to see beneath it would repaint both and, during a run, switch them on.
HWND control_at(const App& app, POINT client_point) {
    const HWND child = ChildWindowFromPointEx(app.MainWindow, client_point, CWP_ALL);
    if (child == app.TextGroup && lies_on(app, app.TextWatermarkCheck, client_point))
        return app.TextWatermarkCheck;
    if (child == app.ImageGroup && lies_on(app, app.ImageWatermarkCheck, client_point))
        return app.ImageWatermarkCheck;
    return child;
}

int text_height(HDC dc, const char* text) {
    const std::wstring wide = widen(text);
    SIZE extent{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
    return extent.cy;
}

} // namespace

const char* help_text_at(const App& app, POINT client_point) {
    const HWND control = control_at(app, client_point);
    if (!control || control == app.MainWindow)
        return nullptr;
    return help_text_of(app, control);
}

void show_context_help(App& app) {
    POINT screen;
    GetCursorPos(&screen);
    POINT client = screen;
    ScreenToClient(app.MainWindow, &client);
    if (const char* text = help_text_at(app, client))
        show_help_popup(app, text, screen.x, screen.y);
}

// The system's own help mode (WM_SYSCOMMAND with SC_CONTEXTHELP) is missing under Wine, so the
// program keeps its own, alike on every platform. While on, the main window holds the mouse: the
// click lands on it, not on a control.
void enter_help_mode(App& app) {
    app.HelpMode = true;
    SetCapture(app.MainWindow);
    SetCursor(system_cursor(IDC_HELP));
}

bool help_mode_click(App& app) {
    if (!app.HelpMode)
        return false;
    end_help_mode(app);
    show_context_help(app);
    return true;
}

void end_help_mode(App& app) {
    if (!app.HelpMode)
        return;
    app.HelpMode = false;
    ReleaseCapture(); // the pointer takes the shape of what it is over again
}

// The height follows the text's lines; the pop-up stays within the screen.
void show_help_popup(App& app, const char* text, int x, int y) {
    app.HelpText = text;
    int height;
    {
        const WindowDC dc(app.HelpPopup);
        const SelectScope font(dc.get(), app.GuiFont.get());
        height = help_popup_height(text_height(dc.get(), text),
                                   static_cast<int>(help_lines(text).size()), app.Dpi);
    }
    const HelpPopupPlace place = help_popup_place(x, y, height, GetSystemMetrics(SM_CXSCREEN),
                                                  GetSystemMetrics(SM_CYMAXIMIZED), app.Dpi);
    MoveWindow(app.HelpPopup, place.left, place.top, help_popup_width(app.Dpi), height, FALSE);
    SetActiveWindow(app.HelpPopup);
    ShowWindow(app.HelpPopup, SW_SHOWNORMAL);
    // Drawn through its own painting, so that the pop-up also repaints whatever covers it.
    InvalidateRect(app.HelpPopup, nullptr, TRUE);
    UpdateWindow(app.HelpPopup);
}

// The default pen and brush draw the black outline and white fill of the outer box.
// The frame lines stay one pixel wide at every DPI.
void draw_help_popup(HDC dc, HFONT gui_font, const char* text, int height, int dpi) {
    const SelectScope font(dc, gui_font);
    const int line_height = text_height(dc, text);
    const int box_width = help_box_width(dpi), box_bottom = height - scale_to_dpi(6, dpi);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, PopupFill);
    Rectangle(dc, 0, 0, box_width, box_bottom);
    {
        const unique_brush fill(CreateSolidBrush(PopupFill));
        const unique_pen edge(CreatePen(PS_SOLID, 1, PopupEdge));
        const SelectScope brush(dc, fill.get());
        const SelectScope pen(dc, edge.get());
        Rectangle(dc, 1, 1, box_width - 1, box_bottom - 1);
    }
    for (const ShadowPixel& p : help_shadow_pixels(height, dpi))
        SetPixel(dc, p.x, p.y, RGB(0, 0, 0));
    const auto lines = help_lines(text);
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const std::wstring line = widen(lines[k]);
        TextOutW(dc, scale_to_dpi(8, dpi), help_line_top(line_height, static_cast<int>(k), dpi),
                 line.c_str(), static_cast<int>(line.size()));
    }
}

void paint_help_popup(const App& app) {
    const PaintScope paint(app.HelpPopup);
    if (app.HelpText.empty())
        return;
    RECT client;
    GetClientRect(app.HelpPopup, &client);
    draw_help_popup(paint.dc(), app.GuiFont.get(), app.HelpText.c_str(), client.bottom, app.Dpi);
}
