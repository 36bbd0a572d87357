// A stand-in browser for the tests: registered in the test prefix as the program for .html files
// and for http and https URLs, it only appends the page it was asked to open (its arguments, one
// line per start) to the file named by OMBREL_BROWSER_LOG, or to record_browser.log beside itself.
#include <windows.h>

#include <string>

#include "base/program.h"

int main(int argc, char** argv) {
    char log[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("OMBREL_BROWSER_LOG", log, MAX_PATH)) {
        char self[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        lstrcpynA(log, (folder_of_module_path(self) + "\\record_browser.log").c_str(), MAX_PATH);
    }
    std::string line;
    for (int i = 1; i < argc; ++i)
        line += (i > 1 ? " " : "") + std::string(argv[i]);
    line += "\n";
    const HANDLE file = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
    return 0;
}
