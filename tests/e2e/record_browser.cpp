// The tests' browser: registered in the test prefix for .html files and web URLs, it only appends
// the page it was asked to open (its arguments, one line per start) to the file named by
// OMBREL_BROWSER_LOG.
#include <windows.h>

#include <string>

int main(int argc, char** argv) {
    char log[MAX_PATH] = {};
    GetEnvironmentVariableA("OMBREL_BROWSER_LOG", log, MAX_PATH);
    std::string line;
    for (int i = 1; i < argc; ++i)
        line += (i > 1 ? " " : "") + std::string(argv[i]);
    line += "\n";
    const HANDLE file = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    const bool recorded = WriteFile(file, line.data(), DWORD(line.size()), &written, nullptr);
    CloseHandle(file);
    return recorded ? 0 : 1;
}
