#include "net/web_page.h"

#include <windows.h>
#include <shellapi.h>

#include "base/program.h"
#include "base/utf.h"
#include "net/site_host.h"
#include "net/web_page_launch.h"
#include "platform/file_io.h"

namespace {

// An empty "temp.html" in the executable's folder, kept there: it only serves to ask the system
// which program opens .html files. The folder is found once.
const std::string& probe_file() {
    static const std::string path = [] {
        const std::string folder = executable_folder();
        return folder.empty() ? std::string("temp.html") : folder + "\\temp.html";
    }();
    return path;
}

// The program registered for .html files, or an empty text when there is none.
std::string registered_browser() {
    create_if_missing(probe_file());
    wchar_t browser[MAX_PATH] = {};
    const auto found =
        reinterpret_cast<INT_PTR>(FindExecutableW(widen(probe_file()).c_str(), nullptr, browser));
    return found > 32 ? narrow(browser) : "";
}

bool shell_open(const ShellLaunch& launch) {
    const std::wstring parameters = widen(launch.parameters);
    return reinterpret_cast<INT_PTR>(ShellExecuteW(
               nullptr, L"open", widen(launch.file).c_str(),
               parameters.empty() ? nullptr : parameters.c_str(), nullptr, SW_SHOW)) > 32;
}

} // namespace

void open_web_page(const char* url) {
    for (const ShellLaunch& launch : web_page_launches(registered_browser(), url))
        if (shell_open(launch))
            return;
}

std::string site_url(const char* path) {
    return std::string("http://") + site_host() + path;
}

void open_site_page(const char* path) {
    open_web_page(site_url(path).c_str());
}
