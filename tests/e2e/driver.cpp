// Plays one end-to-end scenario against the staged program, in the program's Wine session:
//   driver.exe SCENARIO WORK PROGRAM SCREENSHOT    (Windows paths)
// A scenario is a file of steps, one a line; the first step that fails ends it, with a
// screenshot. Words are separated by spaces; "..." holds spaces and the escapes \n \r \" \\.
// $WORK, $PROGRAM and $DESKTOP stand for those folders. A TARGET is a control of the main window
// by its name (Controls below) or a window of the program by its caption.
//   locale LOCALE               first line: run in a Wine prefix of that locale (e2e-scenario)
//   program loopback            the tests' build, whose web site is this driver's, on 127.0.0.1
//   make PATH RECIPE            a picture, made before the driver runs (scripts/e2e-scenario)
//   folder PATH | write PATH TEXT | move FROM TO
//   write-cp936 PATH TEXT       TEXT written in code page 936, as config.dat is stored
//   copies PATH N               N copies of the file beside it, named "1 NAME" to "N NAME"
//   serve PATH TEXT             the site answers PATH with TEXT
//   banner PICTURE LINK TIME    the site lists and serves a banner
//   launch [FOLDER] | ready | start     start the program, wait for the end of its start-up
//   set CONTROL TEXT | check CONTROL | choose LIST ENTRY | click BUTTON | menu ID | close TARGET
//   box CAPTION TEXT [OK|YES|NO]        a message box with that text, answered
//   nobox                       no message box is shown
//   text|checked|enabled|shown TARGET VALUE     waits until the TARGET shows the value
//   focus CONTROL | exit CODE | log TEXT | pages PAGE...
//   browse desktop | font FACE SIZE | file PATH     fill the common dialogs
//   contains FILE TEXT | pixel PICTURE X Y RRGGBB | screen TARGET DX DY RRGGBB (from its middle)
//   help TARGET (F1 over it) | mouse TARGET (a click in its middle) | screenshot
//   caption-help TARGET         the ? of TARGET's caption clicked
//   dirty TARGET                TARGET painted over in black, to be painted again by the program
//   type CONTROL TEXT           TEXT typed into CONTROL through the X keyboard
//   keys CONTROL KEYSYM...      X keys pressed in turn, such as a sequence of tests/e2e/Compose,
//                               whose result the X input method hands on as one string
#include <windows.h>

#include <commctrl.h>
#include <dlgs.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <iterator>
#include <map>
#include <memory>

#include "imaging/magick.h"
#include "net/test_site.h"
#include "platform/file_io.h"
#include "platform/library_path.h"
#include "base/encoding.h"
#include "base/utf.h"
#include "platform/file_system.h"
#include "support/win32_support.h"

namespace {

// The controls of the program's windows, by the windows' captions, in their creation order: all
// of the main window, the 更多设置 dialog's as far as the controls the user works.
const std::map<std::string, std::vector<std::string>> Controls = {
    {"Ombrel", {"BannerStatic",       "SourceFolderLabel",  "SourceFolderEdit",
                "SourceFolderButton", "WidthCheck",         "WidthEdit",
                "QualityCheck",       "QualityCombo",       "RotateCheck",
                "RotateCombo",        "SubfoldersCheck",    "BasicGroup",
                "BasicGroupLabel",    "TextLabel",          "TextEdit",
                "TextOpacityLabel",   "TextOpacityCombo",   "TextPositionLabel",
                "TextHorzCombo",      "TextHorzEdit",       "TextVertCombo",
                "TextVertEdit",       "FontLabel",          "FontEdit",
                "FontButton",         "TextPreviewButton",  "TextGroup",
                "TextWatermarkCheck", "ImageLabel",         "ImageEdit",
                "ImageButton",        "ImagePositionLabel", "ImageHorzCombo",
                "ImageHorzEdit",      "ImageVertCombo",     "ImageVertEdit",
                "ImagePreviewButton", "ImageGroup",         "ImageWatermarkCheck",
                "TargetFolderLabel",  "TargetFolderEdit",   "TargetFolderButton",
                "ProgressBar",        "StartButton"}},
    {"更多设置", {"FitCheck",        "FitWidthEdit",      "FitHeightEdit",      "CanvasCheck",
                  "CanvasWidthEdit", "CanvasHeightEdit",  "CanvasColourButton", "ImageScaleCheck",
                  "ImageScaleEdit",  "TextScaleCheck",    "TextScaleEdit",      "SliceCheck",
                  "SliceEdit",       "MaxKbCheck",        "MaxKbEdit",          "RenameCheck",
                  "RenameEdit",      "KeepMetadataCheck", "OkButton",           "CancelButton"}},
};

using Args = std::vector<std::string>;

struct {
    std::string work, program, screenshot, site_host = OMBREL_SITE_HOST, banner_list;
    PROCESS_INFORMATION process{};
    std::unique_ptr<TestSite> site;
} S;

// The program's texts as it holds them, in UTF-16, compared as UTF-8 with the scenario's.
std::string text_of(HWND window) {
    std::wstring text(1024, L'\0');
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), LPARAM(&text[0]), SMTO_ABORTIFHUNG, 5000,
                        &length);
    return narrow(text.substr(0, length));
}

// The top-level windows of the program, shown or not.
std::vector<HWND> program_windows() {
    std::vector<HWND> found;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == S.process.dwProcessId)
            found.push_back(w);
    }
    return found;
}

// Where the main window's progress bar stands; -1 while there is none to ask.
int progress_position() {
    const HWND window = FindWindowW(L"CodeBlocksWindowsApp", L"Ombrel");
    const HWND bar = window ? FindWindowExW(window, nullptr, PROGRESS_CLASSW, nullptr) : nullptr;
    DWORD_PTR position = 0;
    if (!bar || !SendMessageTimeoutW(bar, PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, 1000, &position))
        return -1;
    return int(position);
}

// Waits until done() holds. It gives up only when the program has stalled: nothing it was asked
// to do has come about for a generous while, and no run is moving its progress bar either. A run
// of any length on any machine passes; a wait that can never end fails within Patience.
void wait_until(const std::function<bool()>& done, const std::string& what) {
    const DWORD Patience = 60000;
    int position = progress_position();
    DWORD since = GetTickCount();
    while (!done()) {
        if (const int now = progress_position(); now != position) {
            position = now;
            since = GetTickCount();
        }
        check(GetTickCount() - since < Patience, "waited in vain for " + what);
        Sleep(20); // the polling interval
    }
}

// The window or control of that name; nullptr while the program does not show it.
HWND find_target(const std::string& name) {
    for (const auto& [window, names] : Controls) {
        const auto control = std::find(names.begin(), names.end(), name);
        if (control == names.end())
            continue;
        HWND child = GetWindow(find_target(window), GW_CHILD);
        for (auto c = names.begin(); child && c != control; ++c)
            child = GetWindow(child, GW_HWNDNEXT);
        return child;
    }
    for (HWND window : program_windows())
        if (text_of(window) == name)
            return window;
    return nullptr;
}

HWND target(const std::string& name) {
    const HWND window = find_target(name);
    check(window != nullptr, "the program shows no " + name);
    return window;
}

// The shown dialogs of the program: message boxes hold their text in the static 0xFFFF and
// neither list nor tree, as the common dialogs do.
std::vector<HWND> dialogs(int child_id, bool message_box = false) {
    std::vector<HWND> found;
    for (HWND w : program_windows()) {
        wchar_t name[8] = {};
        GetClassNameW(w, name, std::size(name));
        if (IsWindowVisible(w) && std::wstring(name) == L"#32770" && GetDlgItem(w, child_id) &&
            (!message_box || (!FindWindowExW(w, nullptr, L"ComboBox", nullptr) &&
                              !FindWindowExW(w, nullptr, L"SysTreeView32", nullptr))))
            found.push_back(w);
    }
    return found;
}

HWND wait_dialog(int child_id, const std::string& what) {
    wait_until([&] { return !dialogs(child_id).empty(); }, what);
    return dialogs(child_id).front();
}

void press(HWND dialog, int button) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 LPARAM(GetDlgItem(dialog, button)));
    wait_until([&] { return !IsWindowVisible(dialog); }, "the dialog to close");
}

COLORREF colour(const std::string& rrggbb) {
    const unsigned long rgb = std::stoul(rrggbb, nullptr, 16);
    return RGB(rgb >> 16, rgb >> 8 & 0xFF, rgb & 0xFF);
}

POINT middle(HWND window, int dx = 0, int dy = 0) {
    RECT r;
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2 + dx, (r.top + r.bottom) / 2 + dy};
}

// Wine may still carry an earlier move of the X pointer to the program: moved until it stays.
void move_pointer(POINT at) {
    int steady = 0;
    wait_until(
        [&] {
            POINT now;
            GetCursorPos(&now);
            steady = now.x == at.x && now.y == at.y ? steady + 1 : 0;
            if (!steady)
                SetCursorPos(at.x, at.y);
            return steady >= 5;
        },
        "the pointer to stay");
}

COLORREF screen_pixel(POINT at) {
    const HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

// The screen as GDI shows it, written by the image library.
void save_screenshot() {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    BITMAPINFO info{{sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void* pixels = nullptr;
    const HDC screen = GetDC(nullptr), dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    SelectObject(dc, bitmap);
    BitBlt(dc, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    const MagickSession library;
    const auto image = new_magick_wand();
    if (pixels && MagickConstituteImage(image.get(), width, height, "BGRP", CharPixel, pixels))
        MagickWriteImage(image.get(), ("PNG:" + library_path(S.screenshot)).c_str());
    DeleteDC(dc);
    DeleteObject(bitmap);
    ReleaseDC(nullptr, screen);
}

void launch(const std::string& folder) {
    const std::string program = folder + "\\ombrel.exe";
    std::wstring command = widen("\"" + program + "\"");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    check(CreateProcessW(widen(program).c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                         widen(S.work).c_str(), &startup, &S.process),
          "cannot start " + program);
    CloseHandle(S.process.hThread);
}

HWND focused() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(target("Ombrel"), nullptr), &info);
    return info.hwndFocus;
}

// A left click in the middle of WINDOW.
void click_middle(HWND window) {
    move_pointer(middle(window));
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

// Keys from the X keyboard, as a user's typing sends them: xdotool plays ARGUMENTS to the window
// with the focus. scripts/e2e-scenario has bound every key a scenario presses before the program
// started. A Shift press goes first: the first key a window of the program gets sets up its input
// context and yields no character.
void xdotool(const std::string& arguments) {
    std::wstring command = widen("xdotool key shift " + arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION typist{};
    check(CreateProcessW(L"Z:\\usr\\bin\\xdotool", &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                         nullptr, &startup, &typist),
          "cannot start xdotool");
    // Wine starts a Unix program without handles to wait for or close: the steps after this one
    // wait for what the keys bring about.
}

// A click gives control the keyboard focus.
void focus_for_typing(HWND control) {
    SetForegroundWindow(target("Ombrel"));
    click_middle(control);
    wait_until([&] { return focused() == control; }, "the focus for typing");
}

void type_into(HWND control, const std::string& text) {
    focus_for_typing(control);
    xdotool("type \"" + text + "\"");
}

// The end of start-up: the main window shown, the focus in the source folder edit.
void ready() {
    wait_until(
        [] {
            const auto w = program_windows();
            return std::any_of(w.begin(), w.end(), [](HWND w) { return text_of(w) == "Ombrel"; });
        },
        "the main window");
    wait_until([] { return focused() == target("SourceFolderEdit"); }, "the end of start-up");
}

void choose_entry(HWND list, const std::string& entry) {
    const std::wstring wide = widen(entry);
    const LRESULT index = SendMessageW(list, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(wide.c_str()));
    check(index >= 0, "no entry " + entry);
    SendMessageW(list, CB_SETCURSEL, index, 0);
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
                 LPARAM(list));
}

// The pages the browser was asked to open, in order; a path names a page of the program's site.
void expect_pages(const Args& a) {
    std::string expected;
    for (std::size_t i = 1; i < a.size(); ++i)
        expected += (a[i][0] == '/' ? "http://" + S.site_host + a[i] : a[i]) + "\n";
    wait_until([&] { return read_file((S.work + "\\pages.log").c_str()) == expected; },
               "the pages " + expected);
}

// The recording browser beside the driver, registered in the test prefix for .html files and
// web URLs, so that no real browser opens; it writes the pages into WORK\pages.log.
void register_browser() {
    const std::string command = "\"" + tests_folder() + "\\record_browser.exe\" \"%1\"";
    for (const auto& [key, value] :
         std::map<std::string, std::string>{{".html", "Ombrel.TestPage"},
                                            {"Ombrel.TestPage\\shell\\open\\command", command},
                                            {"http\\shell\\open\\command", command},
                                            {"https\\shell\\open\\command", command}})
        check(!RegSetValueW(HKEY_CLASSES_ROOT, widen(key).c_str(), REG_SZ, widen(value).c_str(), 0),
              "cannot register the recording browser");
    SetEnvironmentVariableW(L"OMBREL_BROWSER_LOG", widen(S.work + "\\pages.log").c_str());
}

void serve(const std::string& path, const std::string& body) {
    if (!S.site)
        S.site = std::make_unique<TestSite>();
    S.site->serve(path, ok_answer(body));
}

// What a step waits for a TARGET to show.
const std::map<std::string, std::function<std::string(HWND)>> States = {
    {"text", text_of},
    {"checked", [](HWND w) { return SendMessageW(w, BM_GETCHECK, 0, 0) ? "yes" : "no"; }},
    {"enabled", [](HWND w) { return IsWindowEnabled(w) ? "yes" : "no"; }},
    {"shown", [](HWND w) { return IsWindowVisible(w) ? "yes" : "no"; }},
};

using Step = std::function<void(const Args&)>;
const std::map<std::string, Step> Steps = {
    {"locale", [](const Args&) {}},
    {"program", [](const Args&) { S.site_host = "127.0.0.1"; }},
    {"make", [](const Args&) {}},
    {"folder", [](const Args& a) { check(make_directories(a[1]), a[1]); }},
    {"write", [](const Args& a) { check(write_file(a[1].c_str(), a[2]), "cannot write " + a[1]); }},
    {"write-cp936",
     [](const Args& a) {
         check(write_file(a[1].c_str(), utf8_to_gbk(a[2])), "cannot write " + a[1]);
     }},
    {"move",
     [](const Args& a) {
         check(MoveFileW(widen(a[1]).c_str(), widen(a[2]).c_str()), "cannot move " + a[1]);
     }},
    {"copies",
     [](const Args& a) {
         const std::size_t name = a[1].rfind('\\') + 1;
         for (int n = 1; n <= std::stoi(a[2]); ++n) {
             const std::string copy =
                 a[1].substr(0, name) + std::to_string(n) + " " + a[1].substr(name);
             check(CopyFileW(widen(a[1]).c_str(), widen(copy).c_str(), FALSE),
                   "cannot copy " + a[1]);
         }
     }},
    {"serve", [](const Args& a) { serve(a[1], a[2]); }},
    {"banner",
     [](const Args& a) {
         const std::string picture = read_file(a[1].c_str()).value_or("");
         const std::string path = "/" + a[1].substr(a[1].rfind('\\') + 1);
         S.banner_list += "http://127.0.0.1" + path + "\r\n" + std::to_string(picture.size()) +
                          "\r\nhttp://127.0.0.1" + a[2] + "\r\n" + a[3] + "\r\n";
         serve(path, picture);
         serve("/abc.asp?v=3.4", S.banner_list);
     }},
    {"launch", [](const Args& a) { launch(a.size() > 1 ? a[1] : S.program); }},
    {"ready", [](const Args&) { ready(); }},
    {"start", [](const Args&) { launch(S.program), ready(); }},
    {"set",
     [](const Args& a) { SendMessageW(target(a[1]), WM_SETTEXT, 0, LPARAM(widen(a[2]).c_str())); }},
    {"check",
     [](const Args& a) {
         if (!SendMessageW(target(a[1]), BM_GETCHECK, 0, 0))
             SendMessageW(target(a[1]), BM_CLICK, 0, 0);
     }},
    {"choose", [](const Args& a) { choose_entry(target(a[1]), a[2]); }},
    {"click", [](const Args& a) { PostMessageW(target(a[1]), BM_CLICK, 0, 0); }},
    {"menu", [](const Args& a) { PostMessageW(target("Ombrel"), WM_COMMAND, std::stoi(a[1]), 0); }},
    {"close", [](const Args& a) { PostMessageW(target(a[1]), WM_CLOSE, 0, 0); }},
    {"box",
     [](const Args& a) {
         HWND box = nullptr;
         wait_until(
             [&] {
                 for (HWND b : dialogs(0xFFFF, true))
                     box = text_of(GetDlgItem(b, 0xFFFF)) == a[2] ? b : box;
                 return box != nullptr;
             },
             "the message box \"" + a[2] + "\"");
         check_equal(text_of(box), a[1], "the caption of \"" + a[2] + "\"");
         if (a.size() > 3)
             press(box, a[3] == "YES" ? IDYES : a[3] == "NO" ? IDNO : IDOK);
     }},
    {"nobox",
     [](const Args&) {
         const auto boxes = dialogs(0xFFFF, true);
         check(boxes.empty(), "a message box shows \"" +
                                  (boxes.empty() ? "" : text_of(GetDlgItem(boxes[0], 0xFFFF))) +
                                  "\"");
     }},
    {"focus",
     [](const Args& a) {
         wait_until([&] { return focused() == target(a[1]); }, "the focus on " + a[1]);
     }},
    {"exit",
     [](const Args& a) {
         DWORD code = 0;
         check(!WaitForSingleObject(S.process.hProcess, 60000), "the program does not end");
         GetExitCodeProcess(S.process.hProcess, &code);
         check_equal(int(code), std::stoi(a[1]), "the exit code");
     }},
    {"browse",
     [](const Args&) {
         const HWND browser = wait_dialog(IDOK, "the folder browser");
         const HWND tree = FindWindowExW(browser, nullptr, L"SysTreeView32", nullptr);
         wait_until([&] { return SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0) != 0; },
                    "the tree");
         SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET,
                      SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
         wait_until([&] { return IsWindowEnabled(GetDlgItem(browser, IDOK)); }, "OK to be enabled");
         press(browser, IDOK);
     }},
    {"font",
     [](const Args& a) {
         const HWND dialog = wait_dialog(cmb1, "the font dialog");
         choose_entry(GetDlgItem(dialog, cmb1), a[1]);
         choose_entry(GetDlgItem(dialog, cmb3), a[2]);
         press(dialog, IDOK);
     }},
    {"file",
     [](const Args& a) {
         const HWND dialog = wait_dialog(cmb13, "the file dialog");
         SendMessageW(GetDlgItem(dialog, cmb13), WM_SETTEXT, 0, LPARAM(widen(a[1]).c_str()));
         press(dialog, IDOK);
     }},
    {"contains",
     [](const Args& a) {
         wait_until(
             [&] { return read_file(a[1].c_str()).value_or("").find(a[2]) != std::string::npos; },
             a[1] + " to hold \"" + a[2] + "\"");
     }},
    {"pixel",
     [](const Args& a) {
         const MagickSession library;
         const auto image = new_magick_wand();
         const auto c = new_pixel_wand();
         check(MagickReadImage(image.get(), library_path(a[1].c_str()).c_str()),
               "cannot read " + a[1]);
         MagickGetImagePixelColor(image.get(), std::stoi(a[2]), std::stoi(a[3]), c.get());
         check(near_colour(RGB(PixelGetRed(c.get()) * 255, PixelGetGreen(c.get()) * 255,
                               PixelGetBlue(c.get()) * 255),
                           colour(a[4])),
               a[1] + " at " + a[2] + "," + a[3] + " is not " + a[4]);
     }},
    {"screen",
     [](const Args& a) {
         const POINT at = middle(target(a[1]), std::stoi(a[2]), std::stoi(a[3]));
         wait_until([&] { return near_colour(screen_pixel(at), colour(a[4])); },
                    a[1] + " to show " + a[4]);
     }},
    {"help",
     [](const Args& a) {
         SetForegroundWindow(GetAncestor(target(a[1]), GA_ROOT));
         move_pointer(middle(target(a[1])));
         keybd_event(VK_F1, 0, 0, 0);
         keybd_event(VK_F1, 0, KEYEVENTF_KEYUP, 0);
     }},
    {"mouse",
     [](const Args& a) {
         // The window clicked comes to the front, as a window manager brings it.
         SetForegroundWindow(GetAncestor(target(a[1]), GA_ROOT));
         click_middle(target(a[1]));
     }},
    // What the ? of a caption sends when clicked; Wine draws no such ?.
    {"caption-help",
     [](const Args& a) { PostMessageW(target(a[1]), WM_SYSCOMMAND, SC_CONTEXTHELP, 0); }},
    {"type", [](const Args& a) { type_into(target(a[1]), a[2]); }},
    {"keys",
     [](const Args& a) {
         std::string keys = "key --delay 50";
         for (std::size_t i = 2; i < a.size(); ++i)
             keys += " " + a[i];
         focus_for_typing(target(a[1]));
         xdotool(keys);
     }},
    {"pages", expect_pages},
    {"log",
     [](const Args& a) {
         const HWND log = FindWindowExW(target("处理日志"), nullptr, L"Edit", nullptr);
         wait_until([&] { return text_of(log) == a[1]; }, "the log \"" + a[1] + "\"");
     }},
    {"screenshot", [](const Args&) { save_screenshot(); }},
    {"dirty",
     [](const Args& a) {
         const HWND window = target(a[1]);
         RECT r;
         GetClientRect(window, &r);
         const HDC dc = GetDC(window);
         FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
         ReleaseDC(window, dc);
         InvalidateRect(window, nullptr, FALSE);
     }},
};

void play(const Args& a) {
    const auto state = States.find(a[0]);
    if (state != States.end()) {
        std::string seen;
        try {
            // A window not there (yet) reads as hidden, unchecked, disabled and empty.
            wait_until([&] { return (seen = state->second(find_target(a[1]))) == a[2]; },
                       a[1] + " " + a[0] + ": \"" + a[2] + "\"");
        } catch (const CheckFailure& failure) {
            throw CheckFailure(failure.what() + (" (it shows \"" + seen + "\")"));
        }
        return;
    }
    check(Steps.count(a[0]) > 0, "no step " + a[0]);
    Steps.at(a[0])(a);
}

Args words_of(const std::string& line) {
    const std::string desktop = special_folder_path(CSIDL_DESKTOP);
    Args words;
    for (std::size_t i = line.find_first_not_of(' '); i < line.size();
         i = line.find_first_not_of(' ', i)) {
        std::string word;
        if (line[i] != '"') {
            const std::size_t end = std::min(line.find(' ', i), line.size());
            word = line.substr(i, end - i);
            i = end;
        } else {
            for (++i; i < line.size() && line[i] != '"'; ++i) {
                const char next = i + 1 < line.size() ? line[i + 1] : '\0';
                if (line[i] == '\\' && next && std::strchr("nr\"\\", next)) {
                    word += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
                    ++i;
                } else {
                    word += line[i];
                }
            }
            ++i;
        }
        for (const auto& [name, value] : std::map<std::string, std::string>{
                 {"$WORK", S.work}, {"$PROGRAM", S.program}, {"$DESKTOP", desktop}})
            for (std::size_t at; (at = word.find(name)) != std::string::npos;)
                word.replace(at, name.size(), value);
        words.push_back(word);
    }
    return words;
}

} // namespace

// The arguments come as UTF-16, whatever the system's code page: the program's folder has a
// Chinese name.
int wmain(int argc, wchar_t** argv) {
    check(argc == 5, "usage: driver SCENARIO WORK PROGRAM SCREENSHOT");
    S.work = narrow(argv[2]), S.program = narrow(argv[3]), S.screenshot = narrow(argv[4]);
    const std::string scenario = narrow(argv[1]), text = read_file(scenario.c_str()).value_or("");
    int number = 0;
    bool passed = false;
    try {
        check(!text.empty(), "cannot read the scenario " + scenario);
        register_browser();
        for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
            end = std::min(text.find('\n', start), text.size());
            ++number;
            const Args words = words_of(text.substr(start, end - start));
            if (!words.empty() && words[0][0] != '#')
                play(words);
        }
        passed = true;
    } catch (const std::exception& failure) {
        save_screenshot();
        std::printf("line %d: %s\n", number, failure.what());
    }
    TerminateProcess(S.process.hProcess, 1);
    // The site ends with main: at exit its thread and WinSock are gone, and Wine then loses the
    // exit status.
    S.site.reset();
    return passed ? 0 : 1;
}
