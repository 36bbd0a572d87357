#include "desktop.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

std::string FailureScreenshot;

} // namespace

void save_screen_on_failure(const std::string& path) {
    FailureScreenshot = path;
}

ScenarioFailure::ScenarioFailure(const std::string& what) : std::runtime_error(what) {
    if (!FailureScreenshot.empty())
        save_screenshot(FailureScreenshot);
}

void expect(bool condition, const std::string& what) {
    if (!condition)
        throw ScenarioFailure(what);
}

void expect_text(const std::string& actual, const std::string& expected, const std::string& what) {
    if (actual != expected)
        throw ScenarioFailure(what + ": got \"" + actual + "\", expected \"" + expected + "\"");
}

void expect_number(long long actual, long long expected, const std::string& what) {
    if (actual != expected)
        throw ScenarioFailure(what + ": got " + std::to_string(actual) + ", expected " +
                              std::to_string(expected));
}

void wait_until(const std::function<bool()>& condition, const std::string& what, DWORD timeout_ms) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeout_ms)
            throw ScenarioFailure("timed out after " + std::to_string(timeout_ms) +
                                  " ms waiting for " + what);
        Sleep(20); // polling interval of a bounded wait, not a synchronisation by itself
    }
}

HWND wait_for_window(const std::function<HWND()>& find, const std::string& what, DWORD timeout_ms) {
    HWND found = nullptr;
    wait_until([&] { return (found = find()) != nullptr; }, what, timeout_ms);
    return found;
}

Process::Process(const std::string& program, const std::string& current_folder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string command = "\"" + program + "\"";
    if (!CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                        current_folder.c_str(), &startup, &info_))
        throw ScenarioFailure("cannot start " + program + ", error " +
                              std::to_string(GetLastError()));
    CloseHandle(info_.hThread);
}

Process::~Process() {
    if (running()) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hProcess);
}

bool Process::running() const {
    return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD Process::wait_exit(DWORD timeout_ms) {
    if (WaitForSingleObject(info_.hProcess, timeout_ms) != WAIT_OBJECT_0)
        throw ScenarioFailure("the program did not end within " + std::to_string(timeout_ms) +
                              " ms");
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

namespace {

struct WindowQuery {
    DWORD process_id;
    const char* class_name;
    std::vector<HWND> found;
};

BOOL CALLBACK collect_top_window(HWND window, LPARAM data) {
    auto* query = reinterpret_cast<WindowQuery*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == query->process_id && (!query->class_name || class_of(window) == query->class_name))
        query->found.push_back(window);
    return TRUE;
}

LRESULT send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wparam, lparam, SMTO_ABORTIFHUNG, 10000, &result))
        throw ScenarioFailure("window did not answer message " + std::to_string(message));
    return static_cast<LRESULT>(result);
}

} // namespace

std::vector<HWND> top_windows(DWORD process_id, const char* class_name) {
    WindowQuery query{process_id, class_name, {}};
    EnumWindows(collect_top_window, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

std::vector<HWND> children(HWND parent) {
    std::vector<HWND> list;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        list.push_back(child);
    return list;
}

HWND find_child(HWND parent, const char* class_name) {
    for (HWND child : children(parent)) {
        if (lstrcmpiA(class_of(child).c_str(), class_name) == 0)
            return child;
        if (HWND deeper = find_child(child, class_name))
            return deeper;
    }
    return nullptr;
}

HWND find_child_id(HWND parent, int id) {
    for (HWND child : children(parent)) {
        if (GetDlgCtrlID(child) == id)
            return child;
        if (HWND deeper = find_child_id(child, id))
            return deeper;
    }
    return nullptr;
}

std::string class_of(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string text_of(HWND window) {
    const LRESULT length = send(window, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied =
        send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

void set_text(HWND window, const std::string& text) {
    send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool is_enabled(HWND window) {
    return IsWindowEnabled(window) != FALSE;
}
bool is_visible(HWND window) {
    return IsWindowVisible(window) != FALSE;
}
bool is_checked(HWND button) {
    return send(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
int selection(HWND combo) {
    return static_cast<int>(send(combo, CB_GETCURSEL, 0, 0));
}

// Read as UTF-16 and converted here: an ANSI CB_GETLBTEXT across processes comes back in
// UTF-16 under Wine.
std::vector<std::string> combo_entries(HWND combo) {
    std::vector<std::string> entries;
    const LRESULT count = send(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring wide(static_cast<std::size_t>(send(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
        DWORD_PTR length = 0;
        SendMessageTimeoutW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&wide[0]),
                            SMTO_ABORTIFHUNG, 10000, &length);
        wide.resize(static_cast<std::size_t>(length));
        std::string entry(wide.size() * 2 + 1, '\0');
        entry.resize(static_cast<std::size_t>(
            WideCharToMultiByte(936, 0, wide.c_str(), static_cast<int>(wide.size()), &entry[0],
                                static_cast<int>(entry.size()), nullptr, nullptr)));
        entries.push_back(entry);
    }
    return entries;
}

HWND focus_of(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info))
        return nullptr;
    return info.hwndFocus;
}

RECT rect_in_parent(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void click(HWND button) {
    send(button, BM_CLICK, 0, 0);
}

void post_click(HWND button) {
    PostMessageA(button, BM_CLICK, 0, 0);
}

void choose_entry(HWND combo, int index) {
    send(combo, CB_SETCURSEL, index, 0);
    send(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
         reinterpret_cast<LPARAM>(combo));
}

void post_menu_command(HWND window, int id) {
    PostMessageA(window, WM_COMMAND, id, 0);
}

const char* icon_name(BoxIcon icon) {
    switch (icon) {
    case BoxIcon::None:
        return "no icon";
    case BoxIcon::Error:
        return "error icon";
    case BoxIcon::Information:
        return "information icon";
    case BoxIcon::Warning:
        return "warning icon";
    case BoxIcon::Question:
        return "question icon";
    }
    return "?";
}

namespace {

// 32-bit pixels, top row first.
BITMAPINFOHEADER top_down_header(int width, int height) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = -height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    return header;
}

// 32-bit pixels of a screen rectangle.
std::vector<DWORD> capture(const RECT& r) {
    const int width = r.right - r.left, height = r.bottom - r.top;
    std::vector<DWORD> pixels(static_cast<std::size_t>(width) * height);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, previous);
    BITMAPINFO info{};
    info.bmiHeader = top_down_header(width, height);
    GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// The pixels of a standard icon drawn over the background colour.
std::vector<DWORD> render_icon(LPCSTR icon_id, int width, int height, DWORD background) {
    std::vector<DWORD> pixels(static_cast<std::size_t>(width) * height);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    // DIB pixels are 0x00RRGGBB; a COLORREF is 0x00BBGGRR.
    HBRUSH brush = CreateSolidBrush(
        RGB((background >> 16) & 0xFF, (background >> 8) & 0xFF, background & 0xFF));
    RECT all{0, 0, width, height};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    DrawIconEx(memory, 0, 0, LoadIconA(nullptr, icon_id), width, height, 0, nullptr, DI_NORMAL);
    SelectObject(memory, previous);
    BITMAPINFO info{};
    info.bmiHeader = top_down_header(width, height);
    GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

long long difference(const std::vector<DWORD>& a, const std::vector<DWORD>& b) {
    long long sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        for (int shift = 0; shift < 24; shift += 8)
            sum += std::abs(int((a[i] >> shift) & 0xFF) - int((b[i] >> shift) & 0xFF));
    return sum;
}

// Which standard icon the message box shows: the one whose drawing matches its pixels.
BoxIcon icon_of(HWND box) {
    HWND icon_static = nullptr;
    for (HWND child : children(box))
        if (class_of(child) == "Static" && is_visible(child) &&
            (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            icon_static = child;
    if (!icon_static)
        return BoxIcon::None;
    RECT r;
    GetWindowRect(icon_static, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    // Read once the box has painted its icon over the background; until then the screen may
    // still show an earlier box in the same place.
    std::vector<DWORD> shown;
    wait_until(
        [&] {
            if (GetUpdateRect(box, nullptr, FALSE) || GetUpdateRect(icon_static, nullptr, FALSE))
                return false;
            shown = capture(r);
            for (DWORD pixel : shown)
                if (pixel != shown[0])
                    return true;
            return false;
        },
        "the message box to paint its icon");
    const struct {
        BoxIcon icon;
        LPCSTR id;
    } candidates[] = {{BoxIcon::Error, IDI_HAND},
                      {BoxIcon::Information, IDI_ASTERISK},
                      {BoxIcon::Warning, IDI_EXCLAMATION},
                      {BoxIcon::Question, IDI_QUESTION}};
    BoxIcon best = BoxIcon::None;
    long long best_difference = -1;
    for (const auto& c : candidates) {
        const long long d = difference(shown, render_icon(c.id, width, height, shown[0]));
        if (best_difference < 0 || d < best_difference) {
            best = c.icon;
            best_difference = d;
        }
    }
    return best;
}

HWND visible_message_box(DWORD process_id, const std::string& text) {
    for (HWND window : top_windows(process_id, "#32770"))
        if (is_visible(window) && GetDlgItem(window, 0xFFFF) &&
            !find_child(window, "SysTreeView32") &&
            (text.empty() || text_of(GetDlgItem(window, 0xFFFF)) == text))
            return window;
    return nullptr;
}

} // namespace

// What the process shows, for a failure message.
std::string windows_shown(DWORD process_id) {
    std::string list;
    for (HWND window : top_windows(process_id)) {
        char caption[128] = {};
        GetWindowTextA(window, caption, sizeof caption);
        list += " [" + class_of(window) + " \"" + caption + "\"" +
                (is_visible(window) ? " visible]" : " hidden]");
    }
    return list.empty() ? " none" : list;
}

MessageBoxView wait_message_box(DWORD process_id, DWORD timeout_ms, const std::string& text) {
    HWND window = nullptr;
    try {
        window =
            wait_for_window([&] { return visible_message_box(process_id, text); },
                            text.empty() ? "a message box" : "the message box " + text, timeout_ms);
    } catch (const ScenarioFailure& failure) {
        throw ScenarioFailure(std::string(failure.what()) + "; the program shows" +
                              windows_shown(process_id));
    }
    MessageBoxView view{
        window, text_of(window), text_of(GetDlgItem(window, 0xFFFF)), icon_of(window), {}};
    for (HWND child : children(window))
        if (class_of(child) == "Button" && is_visible(child))
            view.buttons.push_back(GetDlgCtrlID(child));
    return view;
}

void answer(const MessageBoxView& box, int button) {
    press_dialog_button(box.window, button);
}

MessageBoxView expect_message_box(DWORD process_id, const std::string& caption,
                                  const std::string& text, BoxIcon icon,
                                  const std::vector<int>& buttons) {
    MessageBoxView box = wait_message_box(process_id);
    expect_text(box.caption, caption, "message box caption");
    expect_text(box.text, text, "message box text");
    // The screen may take a moment to show this box's icon over an earlier box's.
    const DWORD start = GetTickCount();
    while (box.icon != icon && GetTickCount() - start < 3000) {
        Sleep(20); // polling interval of a bounded wait
        box.icon = icon_of(box.window);
    }
    expect(box.icon == icon, std::string("message box shows the ") + icon_name(box.icon) +
                                 ", expected the " + icon_name(icon));
    expect(box.buttons == buttons, "message box buttons differ from those expected");
    return box;
}

HWND wait_dialog_with_child(DWORD process_id, const char* child_class, int child_id,
                            const std::string& what) {
    return wait_for_window(
        [&]() -> HWND {
            for (HWND window : top_windows(process_id, "#32770")) {
                if (!is_visible(window))
                    continue;
                if (child_class && find_child(window, child_class))
                    return window;
                if (!child_class && find_child_id(window, child_id))
                    return window;
            }
            return nullptr;
        },
        what);
}

void press_dialog_button(HWND dialog, int id) {
    const HWND button = find_child_id(dialog, id);
    expect(button != nullptr, "the dialog has no button " + std::to_string(id));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    wait_until([&] { return !IsWindow(dialog) || !is_visible(dialog); }, "the dialog to close");
}

void produce_file(const std::string& command, const std::string& path) {
    // Wine starts a Unix program without waiting for it: the command writes a file of the
    // same extension beside the target and renames it when done, and the driver waits for
    // the target's name.
    const std::size_t slash = path.rfind('/');
    const std::string partial = path.substr(0, slash + 1) + "partial-" + path.substr(slash + 1);
    const std::string windows_path = "Z:" + path;
    DeleteFileA(windows_path.c_str());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = "start.exe /unix /bin/sh -c \"" + command + " '" + partial + "' && mv '" +
                       partial + "' '" + path + "'\"";
    expect(CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process),
           "cannot start: " + command);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    wait_until([&] { return GetFileAttributesA(windows_path.c_str()) != INVALID_FILE_ATTRIBUTES; },
               "the file " + path + " from: " + command, 30000);
}

DWORD screen_pixel(POINT at) {
    return capture({at.x, at.y, at.x + 1, at.y + 1}).front();
}

std::string unix_path(const std::string& windows_path) {
    expect(windows_path.rfind("Z:\\", 0) == 0, "not a path on drive Z: " + windows_path);
    std::string path = windows_path.substr(2);
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return path;
}

// ImageMagick's import reads the X screen itself: a copy through GDI would miss what other
// processes draw.
void save_screenshot(const std::string& path) {
    produce_file("/usr/bin/import -window root", path);
}
