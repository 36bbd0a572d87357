// Context help from the window: which places have help, the pop-up's size, place and drawing,
// and how it goes away.
#include "scenarios.h"

#include <cstdio>

namespace {

HWND help_popup(const App& app) {
    return program_window(app.id(), "context_window");
}

POINT screen_point(const App& app, POINT client) {
    ClientToScreen(app.main, &client);
    return client;
}

POINT middle_of(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool pointer_at(POINT at) {
    POINT now;
    GetCursorPos(&now);
    return now.x == at.x && now.y == at.y;
}

// Moves the pointer and waits until it stays there: Wine hands the motion of the X pointer to
// the program a moment later, which can carry the pointer back to where it was before.
void move_pointer(POINT at) {
    expect(SetCursorPos(at.x, at.y), "the pointer can be moved");
    int steady = 0;
    wait_until(
        [&] {
            if (pointer_at(at))
                return ++steady >= 5;
            SetCursorPos(at.x, at.y);
            steady = 0;
            return false;
        },
        "the pointer to stay at (" + std::to_string(at.x) + ", " + std::to_string(at.y) + ")");
}

// A help request with the pointer at a screen point, as F1 makes it; when this returns, the
// main window has answered it. Asked again when the pointer was carried off meanwhile.
void ask_help_at(const App& app, POINT at) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        move_pointer(at);
        HELPINFO info{};
        info.cbSize = sizeof info;
        info.iContextType = HELPINFO_WINDOW;
        info.MousePos = at;
        DWORD_PTR ignored;
        expect(SendMessageTimeoutA(app.main, WM_HELP, 0, reinterpret_cast<LPARAM>(&info),
                                   SMTO_ABORTIFHUNG, 10000, &ignored),
               "the main window answers the help request");
        if (pointer_at(at))
            return;
    }
    throw ScenarioFailure("the pointer does not stay where the help is asked for");
}

// Real input from the keyboard or mouse with the pointer at a screen point.
void press_at(POINT at, const std::function<void()>& input) {
    move_pointer(at);
    input();
}

RECT popup_rect(const App& app) {
    RECT r;
    GetWindowRect(help_popup(app), &r);
    return r;
}

int popup_height(const App& app) {
    const RECT r = popup_rect(app);
    return r.bottom - r.top;
}

// Shows the pop-up for a point and returns its height.
int help_height_at(const App& app, POINT at, const std::string& what) {
    ask_help_at(app, at);
    expect(is_visible(help_popup(app)), "help is shown over " + what);
    return popup_height(app);
}

void hide_by_click(const App& app) {
    const HWND popup = help_popup(app);
    PostMessageA(popup, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    wait_until([&] { return !is_visible(popup); }, "the help pop-up to hide after a click");
}

void expect_no_help_at(const App& app, POINT at, const std::string& what) {
    ask_help_at(app, at);
    expect(!is_visible(help_popup(app)), "no help over " + what);
}

// The height rule: lines of the font's height plus 3, and 22 more, made odd.
void expect_height_rule(int one_line, int six_lines) {
    expect(one_line % 2 == 1 && six_lines % 2 == 1, "pop-up heights are odd");
    const int step = (six_lines - 23) / 6; // 6 x step + 22 is even, so 23 is added
    expect((six_lines - 23) % 6 == 0 && (one_line == step + 22 || one_line == step + 23),
           "heights " + std::to_string(one_line) + " for one line and " +
               std::to_string(six_lines) + " for six lines follow one line height");
}

// The box, its inner box and the shadow as the screen shows them.
void expect_popup_drawing(const App& app) {
    const RECT r = popup_rect(app);
    const int height = r.bottom - r.top;
    const struct {
        int x, y;
        DWORD colour;
        const char* what;
    } probes[] = {
        {0, 0, 0x000000, "the box's outline"},
        {319, height - 7, 0x000000, "the box's bottom right corner"},
        {1, 1, 0xC0C0C0, "the inner box's grey outline"},
        {3, 3, 0xFEFFED, "the pale yellow inside"},
        {6, height - 6, 0x000000, "the first shadow pixel below the box"},
        {320, 7, 0x000000, "the first shadow pixel right of the box"},
    };
    for (const auto& p : probes) {
        DWORD shown = 0;
        const POINT at{r.left + p.x, r.top + p.y};
        try {
            wait_until([&] { return (shown = screen_pixel(at)) == p.colour; }, p.what);
        } catch (const ScenarioFailure&) {
            char text[32];
            std::snprintf(text, sizeof text, "%06lX", static_cast<unsigned long>(shown));
            throw ScenarioFailure(std::string(p.what) + " shows " + text);
        }
    }
}

} // namespace

void help_popups(Scene& scene) {
    App app = start_app(scene);
    const HWND popup = help_popup(app);
    expect(popup && !is_visible(popup), "the help pop-up exists and is hidden");

    // A disabled margin edit has its help like any other control.
    expect(!is_enabled(app["TextHorzEdit"]), "TextHorzEdit starts disabled");
    const POINT margin = middle_of(app["TextHorzEdit"]);
    const int two_lines = help_height_at(app, margin, "the disabled TextHorzEdit");
    const RECT r = popup_rect(app);
    expect_number(r.left, margin.x - 160, "pop-up left, centred below the pointer");
    expect_number(r.top, margin.y + 16, "pop-up top, below the pointer");
    expect_number(r.right - r.left, 326, "pop-up width");
    expect_popup_drawing(app);
    save_screenshot(scene.screenshot);
    hide_by_click(app);
    expect_number(help_height_at(app, middle_of(app["ImageVertEdit"]), "ImageVertEdit"), two_lines,
                  "the two lines of the image position's help");

    // The caption of the text group is its check box; the rest of the frame has no help.
    const int three_lines =
        help_height_at(app, screen_point(app, {50, 208}), "the caption of the text group");
    expect(three_lines > two_lines, "the group's help has three lines");
    hide_by_click(app);
    expect_no_help_at(app, screen_point(app, {640, 310}), "the empty frame of the text group");
    expect_no_help_at(app, screen_point(app, {5, 90}), "a place outside every control");
    expect_no_help_at(app, middle_of(app["BannerStatic"]), "the banner strip");
    expect_number(help_height_at(app, screen_point(app, {50, 341}), "the image group's caption"),
                  two_lines, "the two lines of the image group's help");

    const int one_line = help_height_at(app, middle_of(app["RotateCheck"]), "RotateCheck");
    const int six_lines =
        help_height_at(app, middle_of(app["SourceFolderEdit"]), "SourceFolderEdit");
    expect_height_rule(one_line, six_lines);

    // The F1 key over a control, and the "?" of the menu bar followed by a click, which asks
    // for help instead of working the control.
    const int width_help = help_height_at(app, middle_of(app["WidthCheck"]), "WidthCheck");
    hide_by_click(app);
    SetForegroundWindow(app.main);
    press_at(middle_of(app["WidthCheck"]), [] {
        keybd_event(VK_F1, 0, 0, 0);
        keybd_event(VK_F1, 0, KEYEVENTF_KEYUP, 0);
    });
    wait_until([&] { return is_visible(popup); }, "help after the F1 key");
    expect_number(popup_height(app), width_help, "the height of the width's help after F1");
    hide_by_click(app);
    post_menu_command(app.main, 32775);
    press_at(middle_of(app["WidthCheck"]), [] {
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    });
    wait_until([&] { return is_visible(popup); }, "help after a click in help mode");
    expect(!is_checked(app["WidthCheck"]), "the click in help mode leaves WidthCheck alone");
    hide_by_click(app);
    press_at(middle_of(app["WidthCheck"]), [] {
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    });
    wait_until([&] { return is_checked(app["WidthCheck"]); },
               "the next click to work the check box again");
    expect(!is_visible(popup), "no help after help mode has ended");

    // The pop-up goes when another window becomes active.
    SendMessageA(popup, WM_ACTIVATE, WA_INACTIVE, 0);
    wait_until([&] { return !is_visible(popup); }, "the pop-up to hide when it loses activation");
}

void help_at_screen_edges(Scene& scene) {
    App app = start_app(scene);
    const int screen_width = GetSystemMetrics(SM_CXSCREEN);
    const int bottom = GetSystemMetrics(SM_CYMAXIMIZED);

    // The window moved so that its start button reaches the right edge of the screen.
    RECT window;
    GetWindowRect(app.main, &window);
    SetWindowPos(app.main, nullptr, screen_width - 640, window.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    RECT button;
    GetWindowRect(app["StartButton"], &button);
    const POINT right{screen_width - 20, (button.top + button.bottom) / 2};
    expect(right.x > button.left && right.x < button.right, "the pointer lies on StartButton");
    const int one_line = help_height_at(app, right, "StartButton at the right edge");
    expect_number(popup_rect(app).left, screen_width - 332, "pop-up left at the right edge");
    expect_number(popup_rect(app).top, right.y + 16, "pop-up top at the right edge");
    hide_by_click(app);

    // Moved so that the progress bar is near the bottom: the pop-up opens above the pointer.
    GetWindowRect(app.main, &window);
    const int above = window.top - middle_of(app["ProgressBar"]).y;
    SetWindowPos(app.main, nullptr, 100, bottom - 40 + above, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const POINT low = middle_of(app["ProgressBar"]);
    expect(low.y + 16 + one_line + 15 >= bottom, "the pointer is near the bottom of the screen");
    expect_number(help_height_at(app, low, "ProgressBar near the bottom"), one_line,
                  "the progress bar's help has one line");
    expect_number(popup_rect(app).top, low.y - one_line - 16, "pop-up top near the bottom");
    expect_number(popup_rect(app).left, low.x - 160, "pop-up left near the bottom");
    save_screenshot(scene.screenshot);
}
