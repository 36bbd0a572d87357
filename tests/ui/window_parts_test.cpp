// The window parts that can be tried on their own: the progress range, shell links, the log
// window and the client-height fit. Needs a display (scripts/test provides one).
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "platform/win32_scopes.h"
#include "support/temp_folder.h"
#include "ui/app.h"
#include "ui/log_window.h"
#include "ui/main_window.h"
#include "ui/shell_link.h"
#include "ui/window_helpers.h"

namespace {

std::string text_of(HWND window) {
    std::string text(GetWindowTextLengthA(window) + 1, '\0');
    text.resize(GetWindowTextA(window, &text[0], static_cast<int>(text.size())));
    return text;
}

void register_program_class() {
    WNDCLASSEXA window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = main_window_proc;
    window_class.hInstance = GetModuleHandleA(nullptr);
    window_class.lpszClassName = MainWindowClass;
    RegisterClassExA(&window_class); // once per process; later calls fail harmlessly
}

} // namespace

TEST(ProgressRange, KeepsRangesAbove65535) {
    INITCOMMONCONTROLSEX common{sizeof common, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&common);
    const HWND bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_POPUP, 0, 0, 100, 20, nullptr,
                                     nullptr, nullptr, nullptr);
    ASSERT_TRUE(bar);
    for (int maximum : {0, 3, 65535, 65536, 70000, 2000000}) {
        set_progress_range(bar, maximum);
        EXPECT_EQ(SendMessageA(bar, PBM_GETRANGE, FALSE, 0), maximum) << maximum;
        EXPECT_EQ(SendMessageA(bar, PBM_GETRANGE, TRUE, 0), 0) << maximum;
    }
    DestroyWindow(bar);
}

TEST(ShellLink, RefusesMissingArguments) {
    TempFolder folder;
    const std::string link = folder / "x.lnk";
    const char* t = "C:\\windows\\notepad.exe";
    const struct {
        const char *target, *arguments, *link, *description;
        int show;
        const char *working, *icon;
        int index;
    } cases[] = {
        {nullptr, "", link.c_str(), "", 1, "", "", 0},
        {"", "", link.c_str(), "", 1, "", "", 0},
        {t, nullptr, link.c_str(), "", 1, "", "", 0},
        {t, "", nullptr, "", 1, "", "", 0},
        {t, "", "", "", 1, "", "", 0},
        {t, "", link.c_str(), nullptr, 1, "", "", 0},
        {t, "", link.c_str(), "", -1, "", "", 0},
        {t, "", link.c_str(), "", 1, nullptr, "", 0},
        {t, "", link.c_str(), "", 1, "", nullptr, 0},
        {t, "", link.c_str(), "", 1, "", "", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(create_shell_link(c.target, c.arguments, c.link, c.description, c.show, c.working,
                                    c.icon, c.index),
                  E_INVALIDARG);
    EXPECT_EQ(GetFileAttributesA(link.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(ShellLink, WritesTargetWorkingFolderAndIcon) {
    TempFolder folder;
    const std::string link = folder / "快捷方式.lnk";
    const ComScope com;
    // (Wine's link files do not keep the show command, so it is not read back here.)
    ASSERT_GE(create_shell_link("C:\\windows\\notepad.exe", "", link.c_str(), "", SW_SHOW,
                                folder.path().c_str(), "C:\\windows\\notepad.exe", 0),
              0);

    unique_com<IShellLinkA> shell_link;
    ASSERT_GE(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                               shell_link.put()),
              0);
    unique_com<IPersistFile> file;
    ASSERT_GE(shell_link->QueryInterface(IID_IPersistFile, file.put()), 0);
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH);
    ASSERT_GE(file->Load(wide, STGM_READ), 0);
    char text[MAX_PATH] = {};
    shell_link->GetPath(text, MAX_PATH, nullptr, 0);
    EXPECT_STREQ(text, "C:\\windows\\notepad.exe");
    shell_link->GetWorkingDirectory(text, MAX_PATH);
    EXPECT_EQ(std::string(text), folder.path());
    int icon = -1;
    shell_link->GetIconLocation(text, MAX_PATH, &icon);
    EXPECT_STREQ(text, "C:\\windows\\notepad.exe");
    EXPECT_EQ(icon, 0);
}

TEST(LogWindow, ShowsOnALineHidesOnCloseAndKeepsItsText) {
    register_program_class();
    App app;
    app.Instance = GetModuleHandleA(nullptr);
    create_log_window(app, nullptr);
    const HWND LogWindow = app.LogWindow, LogEdit = app.LogEdit;
    ASSERT_TRUE(LogWindow && LogEdit);
    EXPECT_FALSE(IsWindowVisible(LogWindow));
    EXPECT_EQ(text_of(LogWindow), "处理日志");

    append_log_line(app, "读取 Z:\\a.jpg 出错");
    EXPECT_TRUE(IsWindowVisible(LogWindow));
    EXPECT_EQ(text_of(LogEdit), "读取 Z:\\a.jpg 出错\r\n");
    append_log_line(app, ""); // an empty text adds only a line break
    EXPECT_EQ(text_of(LogEdit), "读取 Z:\\a.jpg 出错\r\n\r\n");

    SendMessageA(LogWindow, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(LogWindow));
    EXPECT_TRUE(IsWindow(LogWindow));
    append_log_line(app, "two\r\nlines");
    EXPECT_TRUE(IsWindowVisible(LogWindow));
    EXPECT_EQ(text_of(LogEdit), "读取 Z:\\a.jpg 出错\r\n\r\ntwo\r\nlines\r\n");

    // Resized, the edit fills the new client area exactly.
    MoveWindow(LogWindow, 10, 10, 600, 300, TRUE);
    RECT client, edit;
    GetClientRect(LogWindow, &client);
    GetWindowRect(LogEdit, &edit);
    MapWindowPoints(nullptr, LogWindow, reinterpret_cast<POINT*>(&edit), 2);
    EXPECT_EQ(edit.left, 0);
    EXPECT_EQ(edit.top, 0);
    EXPECT_EQ(edit.right, client.right);
    EXPECT_EQ(edit.bottom, client.bottom);
}

TEST(FitClientHeight, LeavesAClientArea44PixelsLowerThanTheOuterHeight) {
    register_program_class();
    const HMENU menu = CreateMenu();
    AppendMenuA(menu, MF_STRING, 1, "文件(&F)");
    const HWND window =
        CreateWindowExA(WS_EX_APPWINDOW, MainWindowClass, "fit", WS_SYSMENU | WS_MINIMIZEBOX,
                        CW_USEDEFAULT, CW_USEDEFAULT, 687, 558, nullptr, menu, nullptr, nullptr);
    ASSERT_TRUE(window);
    fit_client_height(window, 687, 558);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.bottom, 514);
    EXPECT_EQ(fit_client_height(window, 687, 558), 0); // fitted once, it needs no more
    DestroyWindow(window);
}
