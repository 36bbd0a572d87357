// Plays one end-to-end scenario against the staged program, in the program's Wine session:
//   driver.exe SCENARIO WORK PROGRAM SCREENSHOT    (Windows paths)
// A scenario is a text file of steps, one a line (see scenarios/README). The first failing step
// ends it, with a screenshot; "screenshot" takes one on request.
#include <windows.h>

#include <commctrl.h>
#include <dlgs.h>
#include <shlobj.h>

#include <cstdio>
#include <functional>
#include <iterator>
#include <map>
#include <memory>

#include "imaging/magick.h"
#include "net/test_site.h"
#include "platform/file_io.h"
#include "platform/library_path.h"
#include "settings/encoding.h"
#include "support/check.h"

namespace {

// The main window's controls in their creation order.
const char* const Controls[] = {"BannerStatic",       "SourceFolderLabel",  "SourceFolderEdit",
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
                                "ProgressBar",        "StartButton"};

using Args = std::vector<std::string>;

struct Scenario {
    std::string work, program, screenshot, site_host = OMBREL_SITE_HOST;
    PROCESS_INFORMATION process{};
    std::unique_ptr<TestSite> site;
    std::string banner_list;
};
Scenario S;

// Waits up to ten seconds for done(), polling; fails naming what was awaited.
void wait_for(const std::function<bool()>& done, const std::string& what, DWORD ms = 10000) {
    for (const DWORD start = GetTickCount(); !done(); Sleep(20))
        check(GetTickCount() - start < ms, "waited in vain for " + what);
}

std::string text_of(HWND window) {
    std::string text(1024, '\0');
    DWORD_PTR length = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, text.size(), LPARAM(&text[0]), SMTO_ABORTIFHUNG, 5000,
                        &length);
    text.resize(length);
    return text;
}

std::string class_of(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
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

HWND window_titled(const std::string& title) {
    for (HWND window : program_windows())
        if (text_of(window) == title)
            return window;
    return nullptr;
}

// A control by its name, or a top-level window of the program by its caption.
HWND target(const std::string& name) {
    for (std::size_t i = 0; i < std::size(Controls); ++i)
        if (name == Controls[i]) {
            HWND control = GetWindow(window_titled("Ombrel"), GW_CHILD);
            for (std::size_t k = 0; control && k < i; ++k)
                control = GetWindow(control, GW_HWNDNEXT);
            check(control != nullptr, "no control " + name);
            return control;
        }
    const HWND window = window_titled(name);
    check(window != nullptr, "no window " + name);
    return window;
}

HWND child_with_id(HWND parent, int id) {
    return GetDlgItem(parent, id);
}

// The shown dialogs of the program that hold a child with this identifier.
HWND wait_dialog(int child_id, const std::string& what) {
    HWND found = nullptr;
    wait_for(
        [&] {
            for (HWND window : program_windows())
                if (IsWindowVisible(window) && class_of(window) == "#32770" &&
                    child_with_id(window, child_id))
                    return (found = window) != nullptr;
            return false;
        },
        what);
    return found;
}

void press(HWND dialog, int button) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 LPARAM(child_with_id(dialog, button)));
    wait_for([&] { return !IsWindowVisible(dialog); }, "the dialog to close");
}

// The message boxes on show: their text is the static with identifier 0xFFFF, and they hold no
// list or edit as the common dialogs do.
std::vector<HWND> message_boxes() {
    std::vector<HWND> boxes;
    for (HWND window : program_windows())
        if (IsWindowVisible(window) && class_of(window) == "#32770" &&
            child_with_id(window, 0xFFFF) && !FindWindowExA(window, nullptr, "ComboBox", nullptr) &&
            !FindWindowExA(window, nullptr, "SysTreeView32", nullptr))
            boxes.push_back(window);
    return boxes;
}

int button_id(const std::string& name) {
    const std::map<std::string, int> buttons{{"OK", IDOK}, {"YES", IDYES}, {"NO", IDNO}};
    check(buttons.count(name) > 0, "no button " + name);
    return buttons.at(name);
}

// A Win32 colour as six hexadecimal digits, RRGGBB.
bool near_colour(COLORREF shown, const std::string& expected) {
    const unsigned long rgb = std::stoul(expected, nullptr, 16);
    const int want[] = {int(rgb >> 16), int(rgb >> 8 & 0xFF), int(rgb & 0xFF)};
    const int got[] = {GetRValue(shown), GetGValue(shown), GetBValue(shown)};
    for (int i = 0; i < 3; ++i)
        if (std::abs(want[i] - got[i]) > 40)
            return false;
    return true;
}

POINT middle(HWND window, int dx = 0, int dy = 0) {
    RECT r;
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2 + dx, (r.top + r.bottom) / 2 + dy};
}

// Puts the pointer there and waits until it stays: Wine may still carry an earlier move of the
// X pointer to the program.
void move_pointer(POINT at) {
    int steady = 0;
    wait_for(
        [&] {
            POINT now;
            GetCursorPos(&now);
            if (now.x == at.x && now.y == at.y)
                return ++steady >= 5;
            SetCursorPos(at.x, at.y);
            steady = 0;
            return false;
        },
        "the pointer to stay");
}

COLORREF screen_pixel(POINT at) {
    const HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

// The whole screen as a PNG file.
void save_screenshot() {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<unsigned char> bgra(std::size_t(width) * height * 4);
    GetDIBits(memory, bitmap, 0, height, bgra.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    const MagickSession library;
    const auto image = new_magick_wand();
    MagickConstituteImage(image.get(), width, height, "BGRA", CharPixel, bgra.data());
    MagickSetImageAlphaChannel(image.get(), DeactivateAlphaChannel);
    MagickWriteImage(image.get(), ("PNG:" + library_path(S.screenshot.c_str())).c_str());
}

void launch(const std::string& folder) {
    const std::string program = folder + "\\ombrel.exe.so";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string command = "\"" + program + "\"";
    check(CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                         S.work.c_str(), &startup, &S.process),
          "cannot start " + program);
    CloseHandle(S.process.hThread);
}

void ready() {
    wait_for([] { return window_titled("Ombrel") && IsWindowVisible(window_titled("Ombrel")); },
             "the main window", 30000);
    const HWND edit = target("SourceFolderEdit");
    wait_for(
        [&] {
            GUITHREADINFO info{};
            info.cbSize = sizeof info;
            return GetGUIThreadInfo(GetWindowThreadProcessId(edit, nullptr), &info) &&
                   info.hwndFocus == edit;
        },
        "the end of start-up (the focus on SourceFolderEdit)", 30000);
}

HWND focused() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(target("Ombrel"), nullptr), &info);
    return info.hwndFocus;
}

void choose_entry(HWND combo, const std::string& entry) {
    const int length = MultiByteToWideChar(936, 0, entry.c_str(), -1, nullptr, 0);
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(936, 0, entry.c_str(), -1, &wide[0], length);
    const LRESULT index = SendMessageW(combo, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(wide.c_str()));
    check(index >= 0, "no entry " + entry);
    SendMessageA(combo, CB_SETCURSEL, index, 0);
    SendMessageA(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 LPARAM(combo));
}

// The pages the browser was asked to open; a path is a page of the program's web site.
void expect_pages(const Args& a) {
    Args expected;
    for (std::size_t i = 1; i < a.size(); ++i)
        expected.push_back(a[i][0] == '/' ? "http://" + S.site_host + a[i] : a[i]);
    Args opened;
    wait_for(
        [&] {
            opened.clear();
            const std::string log = read_file((S.work + "\\pages.log").c_str()).value_or("");
            for (std::size_t start = 0, end; (end = log.find('\n', start)) != log.npos;
                 start = end + 1)
                opened.push_back(log.substr(start, end - start));
            return opened == expected;
        },
        "the pages " + std::to_string(expected.size()) + ", " + std::to_string(opened.size()) +
            " opened");
}

// The recording browser beside the driver, registered in the test prefix for .html files and
// web URLs, so that no real browser opens; it writes the pages into WORK\pages.log.
void register_browser() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string folder(self, std::string(self).rfind('\\'));
    const std::string command = "\"" + folder + "\\record_browser.exe\" \"%1\"";
    for (const auto& key : {std::pair<const char*, std::string>{".html", "Ombrel.TestPage"},
                            {"Ombrel.TestPage\\shell\\open\\command", command},
                            {"http\\shell\\open\\command", command},
                            {"https\\shell\\open\\command", command}})
        check(RegSetValueA(HKEY_CLASSES_ROOT, key.first, REG_SZ, key.second.c_str(),
                           DWORD(key.second.size())) == ERROR_SUCCESS,
              "cannot register the recording browser");
    SetEnvironmentVariableA("OMBREL_BROWSER_LOG", (S.work + "\\pages.log").c_str());
}

using Step = std::function<void(const Args&)>;
const std::map<std::string, Step> Steps = {
    {"program",
     [](const Args& a) { S.site_host = a[1] == "loopback" ? "127.0.0.1" : S.site_host; }},
    {"make", [](const Args&) {}}, // pictures, made by the one picture maker before the driver
    {"folder",
     [](const Args& a) { check(SHCreateDirectoryExA(nullptr, a[1].c_str(), nullptr) == 0, a[1]); }},
    {"write", [](const Args& a) { check(write_file(a[1].c_str(), a[2]), "cannot write " + a[1]); }},
    {"move", [](const Args& a) { check(MoveFileA(a[1].c_str(), a[2].c_str()), "cannot move"); }},
    {"serve",
     [](const Args& a) {
         if (!S.site)
             S.site = std::make_unique<TestSite>();
         S.site->serve(a[1], ok_answer(a[2]));
     }},
    {"banner",
     [](const Args& a) {
         const std::string picture = read_file(a[1].c_str()).value_or("");
         const std::string path = a[1].substr(a[1].rfind('\\')).replace(0, 1, "/");
         S.banner_list += "http://127.0.0.1" + path + "\r\n" + std::to_string(picture.size()) +
                          "\r\nhttp://127.0.0.1" + a[2] + "\r\n" + a[3] + "\r\n";
         Steps.at("serve")({"serve", path, picture});
         Steps.at("serve")({"serve", "/abc.asp?v=3.4", S.banner_list});
     }},
    {"launch", [](const Args& a) { launch(a.size() > 1 ? a[1] : S.program); }},
    {"ready", [](const Args&) { ready(); }},
    {"start",
     [](const Args&) {
         launch(S.program);
         ready();
     }},
    {"set", [](const Args& a) { SendMessageA(target(a[1]), WM_SETTEXT, 0, LPARAM(a[2].c_str())); }},
    {"check",
     [](const Args& a) {
         if (SendMessageA(target(a[1]), BM_GETCHECK, 0, 0) != BST_CHECKED)
             SendMessageA(target(a[1]), BM_CLICK, 0, 0);
     }},
    {"choose", [](const Args& a) { choose_entry(target(a[1]), a[2]); }},
    {"click", [](const Args& a) { PostMessageA(target(a[1]), BM_CLICK, 0, 0); }},
    {"menu", [](const Args& a) { PostMessageA(target("Ombrel"), WM_COMMAND, std::stoi(a[1]), 0); }},
    {"close", [](const Args& a) { PostMessageA(target(a[1]), WM_CLOSE, 0, 0); }},
    {"box",
     [](const Args& a) {
         HWND box = nullptr;
         std::string shown;
         wait_for(
             [&] {
                 shown.clear();
                 for (HWND b : message_boxes()) {
                     shown += " \"" + text_of(child_with_id(b, 0xFFFF)) + "\"";
                     if (text_of(child_with_id(b, 0xFFFF)) == a[2])
                         box = b;
                 }
                 return box != nullptr;
             },
             "the message box \"" + a[2] + "\"; shown:" + shown);
         check_equal(text_of(box), a[1], "the caption of \"" + a[2] + "\"");
         if (a.size() > 3)
             press(box, button_id(a[3]));
     }},
    {"nobox",
     [](const Args&) {
         for (HWND box : message_boxes())
             check(false, "a message box shows \"" + text_of(child_with_id(box, 0xFFFF)) + "\"");
     }},
    {"text",
     [](const Args& a) {
         wait_for([&] { return text_of(target(a[1])) == a[2]; },
                  a[1] + " to show \"" + a[2] + "\", not \"" + text_of(target(a[1])) + "\"");
     }},
    {"checked",
     [](const Args& a) {
         wait_for(
             [&] {
                 return (SendMessageA(target(a[1]), BM_GETCHECK, 0, 0) == BST_CHECKED) ==
                        (a[2] == "yes");
             },
             a[1] + " checked: " + a[2]);
     }},
    {"enabled",
     [](const Args& a) {
         wait_for([&] { return bool(IsWindowEnabled(target(a[1]))) == (a[2] == "yes"); },
                  a[1] + " enabled: " + a[2]);
     }},
    {"shown",
     [](const Args& a) {
         wait_for([&] { return bool(IsWindowVisible(target(a[1]))) == (a[2] == "yes"); },
                  a[1] + " shown: " + a[2]);
     }},
    {"focus",
     [](const Args& a) {
         wait_for([&] { return focused() == target(a[1]); }, "the focus on " + a[1]);
     }},
    {"exit",
     [](const Args& a) {
         check(WaitForSingleObject(S.process.hProcess, 15000) == WAIT_OBJECT_0,
               "the program runs on");
         DWORD code = 0;
         GetExitCodeProcess(S.process.hProcess, &code);
         check_equal(int(code), std::stoi(a[1]), "the exit code");
     }},
    {"browse",
     [](const Args& a) {
         const HWND browser = wait_dialog(IDOK, "the folder browser");
         if (a[1] == "cancel")
             return press(browser, IDCANCEL);
         const HWND tree = FindWindowExA(browser, nullptr, "SysTreeView32", nullptr);
         LRESULT root = 0;
         wait_for([&] { return (root = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)) != 0; },
                  "the browser's tree");
         SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, root);
         wait_for([&] { return IsWindowEnabled(child_with_id(browser, IDOK)); },
                  "OK to be enabled");
         press(browser, IDOK);
     }},
    {"font",
     [](const Args& a) {
         const HWND dialog = wait_dialog(cmb1, "the font dialog");
         choose_entry(child_with_id(dialog, cmb1), a[1]);
         choose_entry(child_with_id(dialog, cmb3), a[2]);
         press(dialog, IDOK);
     }},
    {"file",
     [](const Args& a) {
         const HWND dialog = wait_dialog(cmb13, "the file dialog");
         SendMessageA(child_with_id(dialog, cmb13), WM_SETTEXT, 0, LPARAM(a[1].c_str()));
         press(dialog, IDOK);
     }},
    {"contains",
     [](const Args& a) {
         wait_for(
             [&] { return read_file(a[1].c_str()).value_or("").find(a[2]) != std::string::npos; },
             a[1] + " to hold \"" + a[2] + "\"");
     }},
    {"pixel",
     [](const Args& a) {
         const MagickSession library;
         const auto image = new_magick_wand();
         check(MagickReadImage(image.get(), library_path(a[1].c_str()).c_str()),
               "cannot read " + a[1]);
         const auto colour = new_pixel_wand();
         MagickGetImagePixelColor(image.get(), std::stoi(a[2]), std::stoi(a[3]), colour.get());
         const COLORREF shown =
             RGB(PixelGetRed(colour.get()) * 255, PixelGetGreen(colour.get()) * 255,
                 PixelGetBlue(colour.get()) * 255);
         check(near_colour(shown, a[4]), a[1] + " at " + a[2] + "," + a[3] + " is not " + a[4]);
     }},
    {"screen",
     [](const Args& a) {
         const POINT at = middle(target(a[1]), std::stoi(a[2]), std::stoi(a[3]));
         wait_for([&] { return near_colour(screen_pixel(at), a[4]); },
                  "the screen to show " + a[4] + " in " + a[1]);
     }},
    {"help",
     [](const Args& a) {
         SetForegroundWindow(target("Ombrel"));
         move_pointer(middle(target(a[1])));
         keybd_event(VK_F1, 0, 0, 0);
         keybd_event(VK_F1, 0, KEYEVENTF_KEYUP, 0);
     }},
    {"mouse",
     [](const Args& a) {
         move_pointer(middle(target(a[1])));
         mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
         mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
     }},
    {"pages", expect_pages},
    {"log",
     [](const Args& a) {
         const HWND log = FindWindowExA(target("处理日志"), nullptr, "Edit", nullptr);
         wait_for([&] { return text_of(log) == a[1]; }, "the log \"" + a[1] + "\"");
     }},
    {"screenshot", [](const Args&) { save_screenshot(); }},
};

// Splits a line into words; a word in double quotes may hold spaces and the escapes \n, \r, \"
// and \\ (any other backslash stays, as in paths). $WORK, $PROGRAM and $DESKTOP stand for those
// folders.
Args words_of(const std::string& line) {
    Args words;
    for (std::size_t i = 0; i < line.size();) {
        if (line[i] == ' ') {
            ++i;
            continue;
        }
        std::string word;
        if (line[i] == '"') {
            for (++i; i < line.size() && line[i] != '"'; ++i) {
                const char next = i + 1 < line.size() ? line[i + 1] : 0;
                if (line[i] == '\\' &&
                    (next == 'n' || next == 'r' || next == '"' || next == '\\')) {
                    word += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
                    ++i;
                } else {
                    word += line[i];
                }
            }
            ++i;
        } else {
            const std::size_t end = std::min(line.find(' ', i), line.size());
            word = line.substr(i, end - i);
            i = end;
        }
        char desktop[MAX_PATH] = {};
        SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOP, FALSE);
        for (const auto& [name, value] : {std::pair<std::string, std::string>{"$WORK", S.work},
                                          {"$PROGRAM", S.program},
                                          {"$DESKTOP", desktop}})
            for (std::size_t at; (at = word.find(name)) != std::string::npos;)
                word.replace(at, name.size(), value);
        words.push_back(word);
    }
    return words;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: driver SCENARIO WORK PROGRAM SCREENSHOT\n");
        return 2;
    }
    S.work = argv[2];
    S.program = argv[3];
    S.screenshot = argv[4];
    const std::string text = utf8_to_gbk(read_file(argv[1]).value_or(""));
    int number = 0;
    try {
        check(!text.empty(), std::string("cannot read the scenario ") + argv[1]);
        register_browser();
        for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
            end = std::min(text.find('\n', start), text.size());
            ++number;
            const Args words = words_of(text.substr(start, end - start));
            if (words.empty() || words[0][0] == '#')
                continue;
            check(Steps.count(words[0]) > 0, "no step " + words[0]);
            Steps.at(words[0])(words);
        }
    } catch (const std::exception& failure) {
        save_screenshot();
        std::printf("line %d: %s\n", number, gbk_to_utf8(failure.what()).c_str());
        TerminateProcess(S.process.hProcess, 1);
        return 1;
    }
    TerminateProcess(S.process.hProcess, 0);
    return 0;
}
