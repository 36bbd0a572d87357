#include "ui/context_help.h"

#include <string>

#include "ui/app_state.h"
#include "ui/help_rules.h"
#include "ui/main_controls.h"
#include "platform/win32_scopes.h"

namespace {

constexpr COLORREF PopupFill = RGB(254, 255, 237);
constexpr COLORREF PopupEdge = RGB(192, 192, 192);

// The text HelpPopup shows, kept for repainting it.
std::string ShownText;

// While on, the main window holds the mouse: the click lands on it, not on a control.
bool HelpMode = false;

// The rows of the help table by control, in the order of the table.
struct HelpRow {
    HWND* control;
    int row;
};

const HelpRow HelpRows[] = {
    {&SourceFolderLabel, 1},
    {&SourceFolderEdit, 1},
    {&SourceFolderButton, 1},
    {&WidthCheck, 2},
    {&WidthEdit, 2},
    {&QualityCheck, 3},
    {&QualityCombo, 3},
    {&RotateCheck, 4},
    {&RotateCombo, 4},
    {&SubfoldersCheck, 5},
    {&TextWatermarkCheck, 6},
    {&TextLabel, 7},
    {&TextEdit, 7},
    {&TextPositionLabel, 8},
    {&TextHorzCombo, 8},
    {&TextHorzEdit, 8},
    {&TextVertCombo, 8},
    {&TextVertEdit, 8},
    {&TextOpacityLabel, 9},
    {&TextOpacityCombo, 9},
    {&FontLabel, 10},
    {&FontEdit, 10},
    {&FontButton, 10},
    {&TextPreviewButton, 11},
    {&ImageWatermarkCheck, 12},
    {&ImageLabel, 13},
    {&ImageEdit, 13},
    {&ImageButton, 13},
    {&ImagePositionLabel, 14},
    {&ImageHorzCombo, 14},
    {&ImageHorzEdit, 14},
    {&ImageVertCombo, 14},
    {&ImageVertEdit, 14},
    {&ImagePreviewButton, 15},
    {&TargetFolderLabel, 16},
    {&TargetFolderEdit, 16},
    {&TargetFolderButton, 16},
    {&StartButton, 17},
    {&ProgressBar, 18},
};

const char* help_text_of(HWND control) {
    for (const HelpRow& r : HelpRows)
        if (*r.control == control)
            return help_text(r.row);
    return nullptr;
}

bool lies_on(HWND control, POINT client_point) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, MainWindow, reinterpret_cast<POINT*>(&rect), 2);
    return PtInRect(&rect, client_point) != FALSE;
}

// A watermark group box lies above the check box on its caption, so the point is first found
// on the box. The check box is then looked for by its rectangle; switching the group box off
// and on to see beneath it would repaint both and, during a run, switch them on.
HWND control_at(POINT client_point) {
    const HWND child = ChildWindowFromPointEx(MainWindow, client_point, CWP_ALL);
    if (child == TextGroup && lies_on(TextWatermarkCheck, client_point))
        return TextWatermarkCheck;
    if (child == ImageGroup && lies_on(ImageWatermarkCheck, client_point))
        return ImageWatermarkCheck;
    return child;
}

int text_height(HDC dc, const char* text) {
    SIZE extent{};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &extent);
    return extent.cy;
}

} // namespace

const char* help_text_at(POINT client_point) {
    const HWND control = control_at(client_point);
    if (!control || control == MainWindow)
        return nullptr;
    return help_text_of(control);
}

void show_context_help() {
    POINT screen;
    GetCursorPos(&screen);
    POINT client = screen;
    ScreenToClient(MainWindow, &client);
    if (const char* text = help_text_at(client))
        show_help_popup(text, screen.x, screen.y);
}

// The system's own help mode (WM_SYSCOMMAND with SC_CONTEXTHELP) is missing under Wine, so the
// program keeps its own, alike on every platform.
void enter_help_mode() {
    HelpMode = true;
    SetCapture(MainWindow);
    SetCursor(LoadCursorA(nullptr, IDC_HELP));
}

bool help_mode_click() {
    if (!HelpMode)
        return false;
    end_help_mode();
    show_context_help();
    return true;
}

void end_help_mode() {
    if (!HelpMode)
        return;
    HelpMode = false;
    ReleaseCapture(); // the pointer takes the shape of what it is over again
}

// The height follows the text's lines; the pop-up stays within the screen.
void show_help_popup(const char* text, int x, int y) {
    ShownText = text;
    int height;
    {
        const WindowDC dc(HelpPopup);
        const SelectScope font(dc.get(), GuiFont);
        height = help_popup_height(text_height(dc.get(), text),
                                   static_cast<int>(help_lines(text).size()));
    }
    const HelpPopupPlace place = help_popup_place(x, y, height, GetSystemMetrics(SM_CXSCREEN),
                                                  GetSystemMetrics(SM_CYMAXIMIZED));
    MoveWindow(HelpPopup, place.left, place.top, HelpPopupWidth, height, FALSE);
    SetActiveWindow(HelpPopup);
    ShowWindow(HelpPopup, SW_SHOWNORMAL);
    // Drawn through its own painting, so that the pop-up also repaints whatever covers it.
    InvalidateRect(HelpPopup, nullptr, TRUE);
    UpdateWindow(HelpPopup);
}

// The default pen and brush draw the black outline and white fill of the outer box.
void draw_help_popup(HDC dc, const char* text, int height) {
    const SelectScope font(dc, GuiFont);
    const int line_height = text_height(dc, text);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, PopupFill);
    Rectangle(dc, 0, 0, HelpBoxWidth, height - 6);
    {
        const unique_brush fill(CreateSolidBrush(PopupFill));
        const unique_pen edge(CreatePen(PS_SOLID, 1, PopupEdge));
        const SelectScope brush(dc, fill.get());
        const SelectScope pen(dc, edge.get());
        Rectangle(dc, 1, 1, HelpBoxWidth - 1, height - 7);
    }
    for (const ShadowPixel& p : help_shadow_pixels(height))
        SetPixel(dc, p.x, p.y, RGB(0, 0, 0));
    const auto lines = help_lines(text);
    for (std::size_t k = 0; k < lines.size(); ++k)
        TextOutA(dc, 8, help_line_top(line_height, static_cast<int>(k)), lines[k].data(),
                 static_cast<int>(lines[k].size()));
}

void paint_help_popup() {
    const PaintScope paint(HelpPopup);
    if (ShownText.empty())
        return;
    RECT client;
    GetClientRect(HelpPopup, &client);
    draw_help_popup(paint.dc(), ShownText.c_str(), client.bottom);
}
