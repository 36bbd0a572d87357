#include "ui/more_settings_dialog.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include <commdlg.h>

#include "base/text.h"
#include "base/utf.h"
#include "core/captions.h"
#include "settings/config_file.h"
#include "ui/context_help.h"
#include "ui/help_rules.h"
#include "ui/main_controls.h"
#include "ui/window_geometry.h"
#include "ui/window_helpers.h"

namespace {

using S = ShopOptions;

// What a control shows of the options, and so how it is filled, read and worked: a step's
// switch, one of its numbers (typed in at most `digits` digits), the rename pattern, the canvas
// colour or the button that changes it. A refusal names a number or the pattern by its field.
struct Shows {
    enum Kind { Nothing, Switch, Number, Pattern, Swatch, ColourButton } kind;
    int S::*number;
    int digits;
    std::optional<ShopField> field;
};
constexpr Shows nothing() {
    return {Shows::Nothing, nullptr, 0, std::nullopt};
}
constexpr Shows on_off() {
    return {Shows::Switch, nullptr, 0, std::nullopt};
}
constexpr Shows number(int S::*value, int digits, ShopField field) {
    return {Shows::Number, value, digits, field};
}
constexpr Shows pattern() {
    return {Shows::Pattern, nullptr, 0, ShopField::RenamePattern};
}
constexpr Shows swatch() {
    return {Shows::Swatch, nullptr, 0, std::nullopt};
}
constexpr Shows colour_button() {
    return {Shows::ColourButton, nullptr, 0, std::nullopt};
}

// One row per control: how it is created (IDOK and IDCANCEL are the buttons the dialog manager
// presses for Enter and Esc; the others are numbered from FirstControlId in table order), the
// step it belongs to (the switch of a check box, or the one whose box switches the control on;
// none for the buttons and group boxes), what it shows and the row of its help text (0: none).
struct DialogControl {
    ChildLayout child;
    bool S::*step;
    Shows shows;
    int help_row;
};

constexpr int FirstControlId = 1001;
constexpr DWORD Check = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD NumberEdit = ES_AUTOHSCROLL | ES_NUMBER | WS_TABSTOP;
constexpr DWORD TextEdit = ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD Button = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD Label = SS_LEFT;
constexpr DWORD Group = BS_GROUPBOX;

// Creation order is tab order: first the controls the user works, in reading order; then what
// only shows, the group boxes last, below the controls inside them (the help lookup finds the
// topmost control under the pointer).
// clang-format off
const DialogControl Controls[] = {
    {L"button", "缩小到框内：", 0, Check, false, {24, 30, 170, 21}, &S::fit, on_off(), 1},
    {L"edit", "", 0, NumberEdit, true, {196, 30, 44, 20}, &S::fit, number(&S::fit_width, 4, ShopField::FitWidth), 1},
    {L"edit", "", 0, NumberEdit, true, {258, 30, 44, 20}, &S::fit, number(&S::fit_height, 4, ShopField::FitHeight), 1},
    {L"button", "画布：", 0, Check, false, {24, 58, 170, 21}, &S::canvas, on_off(), 2},
    {L"edit", "", 0, NumberEdit, true, {196, 58, 44, 20}, &S::canvas, number(&S::canvas_width, 4, ShopField::CanvasWidth), 2},
    {L"edit", "", 0, NumberEdit, true, {258, 58, 44, 20}, &S::canvas, number(&S::canvas_height, 4, ShopField::CanvasHeight), 2},
    {L"button", "选择颜色...", 0, Button, false, {376, 56, 80, 24}, &S::canvas, colour_button(), 3},
    {L"button", "图片水印宽度为图片宽度的", 0, Check, false, {24, 122, 170, 21}, &S::image_scale, on_off(), 4},
    {L"edit", "", 0, NumberEdit, true, {196, 122, 36, 20}, &S::image_scale, number(&S::image_scale_percent, 3, ShopField::ImageScale), 4},
    {L"button", "文字水印高度为图片宽度的", 0, Check, false, {24, 150, 170, 21}, &S::text_scale, on_off(), 5},
    {L"edit", "", 0, NumberEdit, true, {196, 150, 36, 20}, &S::text_scale, number(&S::text_scale_percent, 3, ShopField::TextScale), 5},
    {L"button", "切片高度：", 0, Check, false, {24, 214, 170, 21}, &S::slice, on_off(), 6},
    {L"edit", "", 0, NumberEdit, true, {196, 214, 44, 20}, &S::slice, number(&S::slice_height, 4, ShopField::SliceHeight), 6},
    {L"button", "文件大小不超过：", 0, Check, false, {24, 278, 170, 21}, &S::max_kb, on_off(), 7},
    {L"edit", "", 0, NumberEdit, true, {196, 278, 52, 20}, &S::max_kb, number(&S::max_kb_value, 5, ShopField::MaxKb), 7},
    {L"button", "文件名规则：", 0, Check, false, {24, 306, 170, 21}, &S::rename, on_off(), 8},
    {L"edit", "", 0, TextEdit, true, {196, 306, 260, 20}, &S::rename, pattern(), 8},
    {L"button", "保留拍摄信息 EXIF（不含位置）", 0, Check, false, {24, 352, 300, 21}, &S::keep_metadata, on_off(), 9},
    {L"button", "确定", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, false, {300, 396, 80, 24}, nullptr, nothing(), 10},
    {L"button", "取消", IDCANCEL, Button, false, {388, 396, 80, 24}, nullptr, nothing(), 11},
    {L"static", "×", 0, Label, false, {244, 33, 12, 16}, &S::fit, nothing(), 1},
    {L"static", "像素", 0, Label, false, {308, 33, 30, 16}, &S::fit, nothing(), 1},
    {L"static", "×", 0, Label, false, {244, 61, 12, 16}, &S::canvas, nothing(), 2},
    {L"static", "像素", 0, Label, false, {308, 61, 30, 16}, &S::canvas, nothing(), 2},
    {L"static", "", 0, SS_NOTIFY, true, {344, 58, 26, 20}, &S::canvas, swatch(), 3},
    {L"static", "%", 0, Label, false, {236, 125, 16, 16}, &S::image_scale, nothing(), 4},
    {L"static", "%", 0, Label, false, {236, 153, 16, 16}, &S::text_scale, nothing(), 5},
    {L"static", "像素", 0, Label, false, {246, 217, 30, 16}, &S::slice, nothing(), 6},
    {L"static", "KB", 0, Label, false, {254, 281, 20, 16}, &S::max_kb, nothing(), 7},
    {L"static", "可用：{name} 原文件名  {n} 序号  {n:03} 三位序号  {folder} 文件夹名", 0, Label, false, {42, 331, 414, 16}, &S::rename, nothing(), 8},
    {L"button", "主图尺寸", 0, Group, false, {12, 8, 456, 84}, nullptr, nothing(), 0},
    {L"button", "水印大小", 0, Group, false, {12, 100, 456, 84}, nullptr, nothing(), 0},
    {L"button", "长图切片", 0, Group, false, {12, 192, 456, 56}, nullptr, nothing(), 0},
    {L"button", "保存文件", 0, Group, false, {12, 256, 456, 128}, nullptr, nothing(), 0},
};
// clang-format on

constexpr std::size_t ControlCount = std::size(Controls);

// The client area in the 96-DPI layout.
constexpr int ClientWidth = 480, ClientHeight = 432;

// The dialog's own state, from WM_INITDIALOG to its end; it lives on the stack of
// show_more_settings_dialog.
struct DialogState {
    explicit DialogState(App& owner) : app(owner) {}
    App& app;
    HWND handles[ControlCount] = {};
    int dpi = LayoutDpi;
    unique_font font;
    COLORREF colour = 0; // the canvas colour the swatch shows
    unique_brush colour_brush;
    bool help_mode = false; // the next click asks for help
};

DialogState* state_of(HWND dialog) {
    return reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

std::optional<std::size_t> row_of(const DialogState& state, HWND control) {
    const HWND* end = std::end(state.handles);
    const HWND* found = std::find(std::begin(state.handles), end, control);
    if (!control || found == end)
        return std::nullopt;
    return static_cast<std::size_t>(found - state.handles);
}

// The step's check box.
HWND switch_of(const DialogState& state, bool S::*step) {
    for (std::size_t i = 0; i < ControlCount; ++i)
        if (Controls[i].step == step && Controls[i].shows.kind == Shows::Switch)
            return state.handles[i];
    return nullptr;
}

void create_controls(DialogState& state, HWND dialog) {
    for (std::size_t i = 0; i < ControlCount; ++i) {
        ChildLayout child = Controls[i].child;
        if (!child.id)
            child.id = FirstControlId + static_cast<int>(i);
        state.handles[i] = create_child(child, dialog, state.app.Instance, state.dpi);
    }
}

void place_controls(const DialogState& state) {
    for (std::size_t i = 0; i < ControlCount; ++i)
        place_child(state.handles[i], Controls[i].child, state.dpi);
}

// The interface font at the dialog's DPI, for every control.
void apply_font(DialogState& state, HWND dialog) {
    unique_font font = create_gui_font(state.dpi);
    set_children_font(dialog, font.get());
    state.font = std::move(font); // the old one only now that no control holds it
}

// The client area takes the layout's size at the dialog's DPI, whatever its frame; the dialog
// sits over the middle of its owner, within the owner's screen.
void size_and_centre(const DialogState& state, HWND dialog) {
    const int width = scale_to_dpi(ClientWidth, state.dpi);
    const int height = scale_to_dpi(ClientHeight, state.dpi);
    SetWindowPos(dialog, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client, owner;
    GetClientRect(dialog, &client);
    const int outer_width = 2 * width - client.right, outer_height = 2 * height - client.bottom;
    GetWindowRect(state.app.MainWindow, &owner);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(state.app.MainWindow, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const auto within = [](int position, int low, int high) {
        return std::max(low, std::min(position, high));
    };
    const int x =
        within((owner.left + owner.right - outer_width) / 2, work.left, work.right - outer_width);
    const int y =
        within((owner.top + owner.bottom - outer_height) / 2, work.top, work.bottom - outer_height);
    SetWindowPos(dialog, nullptr, x, y, outer_width, outer_height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void set_colour(DialogState& state, COLORREF colour) {
    state.colour = colour;
    state.colour_brush.reset(CreateSolidBrush(colour));
    for (std::size_t i = 0; i < ControlCount; ++i)
        if (Controls[i].shows.kind == Shows::Swatch)
            InvalidateRect(state.handles[i], nullptr, TRUE);
}

// The controls of a step are on only while its box is ticked.
void enable_step(const DialogState& state, bool S::*step) {
    const bool on = is_checked(switch_of(state, step));
    for (std::size_t i = 0; i < ControlCount; ++i)
        if (Controls[i].step == step && Controls[i].shows.kind != Shows::Switch)
            EnableWindow(state.handles[i], on);
}

void show_options(DialogState& state, const ShopOptions& options) {
    for (std::size_t i = 0; i < ControlCount; ++i) {
        const DialogControl& c = Controls[i];
        const HWND control = state.handles[i];
        switch (c.shows.kind) {
        case Shows::Switch:
            SendMessageW(control, BM_SETCHECK, options.*c.step ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        case Shows::Number:
            SendMessageW(control, EM_LIMITTEXT, c.shows.digits, 0);
            set_window_text(control, std::to_string(options.*c.shows.number));
            break;
        case Shows::Pattern:
            // In characters; the checks count the pattern's bytes as code page 936 does.
            SendMessageW(control, EM_LIMITTEXT, RenamePatternLimit, 0);
            set_window_text(control, options.rename_pattern);
            break;
        default:
            break;
        }
    }
    for (const DialogControl& c : Controls)
        if (c.shows.kind == Shows::Switch)
            enable_step(state, c.step);
    set_colour(state, options.canvas_color);
}

// An empty or pasted non-numeric edit reads as 0, which the checks refuse with the range.
int number_in(const std::string& text) {
    return is_digits(text.c_str()) ? parse_decimal(text).value_or(0) : 0;
}

ShopOptions read_options(const DialogState& state) {
    ShopOptions options;
    for (std::size_t i = 0; i < ControlCount; ++i) {
        const DialogControl& c = Controls[i];
        const HWND control = state.handles[i];
        switch (c.shows.kind) {
        case Shows::Switch:
            options.*c.step = is_checked(control);
            break;
        case Shows::Number:
            options.*c.shows.number = number_in(window_text(control));
            break;
        case Shows::Pattern:
            options.rename_pattern = window_text(control);
            break;
        default:
            break;
        }
    }
    options.canvas_color = state.colour;
    return options;
}

// The dialog manager's way of moving the focus, which selects an edit's whole text.
void focus_value(HWND dialog, HWND edit) {
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
    SendMessageW(edit, EM_SETSEL, 0, -1);
}

HWND control_of_field(const DialogState& state, ShopField field) {
    for (std::size_t i = 0; i < ControlCount; ++i)
        if (Controls[i].shows.field == field)
            return state.handles[i];
    return nullptr;
}

// 确定: refused options keep the dialog open at the value at fault. Accepted ones hold for the
// next run even when options.ini cannot be written.
void accept(DialogState& state, HWND dialog) {
    const ShopOptions options = read_options(state);
    if (const auto refusal = check_shop_options(options)) {
        message_box(dialog, refusal->message, NoticeCaption, MB_ICONWARNING);
        focus_value(dialog, control_of_field(state, refusal->field));
        return;
    }
    state.app.Shop = options;
    const std::string path = shop_options_path();
    if (!write_shop_options_file(path, options))
        message_box(dialog,
                    "保存设置到 " + path +
                        " 出错。\n\n这些设置在软件关闭之前仍然有效，下次启动软件"
                        "时会恢复为原来的设置。",
                    NoticeCaption, MB_ICONWARNING);
    EndDialog(dialog, IDOK);
}

// A ticked step takes the user to its first value, as the main window's switches do.
void on_switch(const DialogState& state, HWND dialog, std::size_t row) {
    bool S::*step = Controls[row].step;
    enable_step(state, step);
    if (!is_checked(state.handles[row]))
        return;
    for (std::size_t i = 0; i < ControlCount; ++i)
        if (Controls[i].step == step &&
            (Controls[i].shows.kind == Shows::Number || Controls[i].shows.kind == Shows::Pattern)) {
            focus_value(dialog, state.handles[i]);
            return;
        }
}

// The colours the user mixed in the colour dialog stay there for the program's session.
void choose_canvas_colour(DialogState& state, HWND dialog) {
    static COLORREF custom_colours[16] = {};
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = dialog;
    choose.rgbResult = state.colour;
    choose.lpCustColors = custom_colours;
    choose.Flags = CC_RGBINIT | CC_ANYCOLOR;
    if (ChooseColorW(&choose))
        set_colour(state, choose.rgbResult);
}

// As on the main window, the pointer decides, not the request's data; disabled controls have
// their help too.
void show_help_at_pointer(DialogState& state, HWND dialog) {
    POINT screen;
    GetCursorPos(&screen);
    POINT client = screen;
    ScreenToClient(dialog, &client);
    const auto row = row_of(state, ChildWindowFromPointEx(dialog, client, CWP_ALL));
    if (const char* text = row ? more_settings_help_text(Controls[*row].help_row) : nullptr)
        show_help_popup(state.app, text, screen.x, screen.y);
}

// The caption's "?" starts the program's own help mode, as the menu bar's does on the main
// window (the system has none under Wine): the dialog holds the mouse until the next click.
void enter_help_mode(DialogState& state, HWND dialog) {
    state.help_mode = true;
    SetCapture(dialog);
    SetCursor(system_cursor(IDC_HELP));
}

void on_left_button_down(DialogState& state, HWND dialog) {
    if (!state.help_mode)
        return;
    state.help_mode = false;
    ReleaseCapture();
    show_help_at_pointer(state, dialog);
}

// The switches and the colour controls act on a click only: a static with SS_NOTIFY also reports
// being switched on and off.
void on_command(DialogState& state, HWND dialog, int id, int code, HWND sender) {
    if (id == IDOK) {
        accept(state, dialog);
        return;
    }
    if (id == IDCANCEL) { // 取消, Esc and the close box
        EndDialog(dialog, IDCANCEL);
        return;
    }
    const auto row = row_of(state, sender);
    if (!row || code != BN_CLICKED) // STN_CLICKED alike
        return;
    switch (Controls[*row].shows.kind) {
    case Shows::Switch:
        on_switch(state, dialog, *row);
        break;
    case Shows::Swatch:
    case Shows::ColourButton:
        choose_canvas_colour(state, dialog);
        break;
    default:
        break;
    }
}

INT_PTR on_ctl_color_static(const DialogState& state, HWND control) {
    const auto row = row_of(state, control);
    if (row && Controls[*row].shows.kind == Shows::Swatch)
        return reinterpret_cast<INT_PTR>(state.colour_brush.get());
    return FALSE; // the dialog's own colours
}

// Laid out anew for the display the dialog moved to.
void on_dpi_changed(DialogState& state, HWND dialog, int dpi, LPARAM suggested) {
    state.dpi = dpi;
    apply_font(state, dialog);
    place_controls(state);
    move_to_suggested_rect(dialog, suggested);
}

void on_init(DialogState& state, HWND dialog) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&state));
    lay_out_dialog_on_dpi_change_itself(dialog);
    state.dpi = window_dpi(dialog);
    create_controls(state, dialog);
    apply_font(state, dialog);
    show_options(state, state.app.Shop);
    size_and_centre(state, dialog);
}

INT_PTR dispatch(DialogState& state, HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_COMMAND:
        on_command(state, dialog, LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
        return TRUE;
    case WM_CTLCOLORSTATIC:
        return on_ctl_color_static(state, reinterpret_cast<HWND>(lparam));
    case WM_HELP:
        show_help_at_pointer(state, dialog);
        return TRUE;
    case WM_SYSCOMMAND:
        if ((wparam & 0xFFF0) != SC_CONTEXTHELP)
            return FALSE;
        enter_help_mode(state, dialog);
        return TRUE;
    case WM_LBUTTONDOWN:
        on_left_button_down(state, dialog);
        return TRUE;
    case WM_CAPTURECHANGED:
        state.help_mode = false; // the mouse went elsewhere: no help
        return TRUE;
    case WM_DPICHANGED:
        on_dpi_changed(state, dialog, LOWORD(wparam), lparam);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK more_settings_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    try {
        if (message == WM_INITDIALOG) {
            on_init(*reinterpret_cast<DialogState*>(lparam), dialog);
            return TRUE; // the focus goes to the first control, 缩小到框内
        }
        if (DialogState* state = state_of(dialog))
            return dispatch(*state, dialog, message, wparam, lparam);
        return FALSE;
    } catch (...) {
        return FALSE; // nothing unwinds into the dialog manager
    }
}

// The template of the frame alone: a captioned modal frame with "?" in its caption, sized and
// filled by the dialog itself from its table.
std::vector<WORD> frame_template(const char* caption) {
    const DLGTEMPLATE frame{
        WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_CONTEXTHELP, 0, 0, 0, 0, 0};
    std::vector<WORD> words(sizeof frame / sizeof(WORD));
    std::memcpy(words.data(), &frame, sizeof frame);
    words.push_back(0); // no menu
    words.push_back(0); // the system's dialog class
    const std::wstring title = widen(caption);
    words.insert(words.end(), title.begin(), title.end());
    words.push_back(0);
    return words;
}

} // namespace

void show_more_settings_dialog(App& app) {
    const std::vector<WORD> frame = frame_template("更多设置");
    DialogState state(app);
    DialogBoxIndirectParamW(app.Instance, reinterpret_cast<const DLGTEMPLATE*>(frame.data()),
                            app.MainWindow, more_settings_proc, reinterpret_cast<LPARAM>(&state));
}
