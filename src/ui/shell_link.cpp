#include "ui/shell_link.h"

#include <string>

#include <shlobj.h>
#include <shobjidl.h>

#include "base/program.h"
#include "base/utf.h"
#include "core/captions.h"
#include "platform/file_system.h"
#include "platform/win32_scopes.h"
#include "ui/installation.h"
#include "ui/window_helpers.h"

namespace {

bool is_empty(const char* s) {
    return !s || !*s;
}

HRESULT save_link(IShellLinkW* link, const char* link_path) {
    unique_com<IPersistFile> file;
    const HRESULT queried = link->QueryInterface(IID_IPersistFile, file.put());
    if (FAILED(queried))
        return queried;
    return file->Save(widen(link_path).c_str(), TRUE);
}

} // namespace

HRESULT create_shell_link(const char* target_path, const char* arguments, const char* link_path,
                          const char* description, int show_command, const char* working_folder,
                          const char* icon_path, int icon_index) {
    if (is_empty(target_path) || !arguments || is_empty(link_path) || !description ||
        show_command < 0 || !working_folder || !icon_path || icon_index < 0)
        return E_INVALIDARG;
    unique_com<IShellLinkW> link;
    const HRESULT created = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                             IID_IShellLinkW, link.put());
    if (FAILED(created))
        return created;
    link->SetPath(widen(target_path).c_str());
    link->SetArguments(widen(arguments).c_str());
    if (*description)
        link->SetDescription(widen(description).c_str());
    if (show_command != 0)
        link->SetShowCmd(show_command);
    if (*working_folder)
        link->SetWorkingDirectory(widen(working_folder).c_str());
    if (*icon_path)
        link->SetIconLocation(widen(icon_path).c_str(), icon_index);
    return save_link(link.get(), link_path);
}

void create_desktop_shortcut(HWND main_window) {
    const std::string desktop = special_folder_path(CSIDL_DESKTOP);
    // Without a desktop folder the link would land in the root of the current drive.
    if (desktop.empty())
        return;
    const std::string program = executable_path();
    const std::string link_path = shortcut_path(desktop);
    const ComScope com;
    if (SUCCEEDED(create_shell_link(program.c_str(), "", link_path.c_str(), "", SW_SHOW,
                                    ProgramFolder.c_str(), program.c_str(), 0)))
        message_box(main_window, "在桌面上成功创建了一个快捷方式", NoticeCaption,
                    MB_ICONINFORMATION);
}
