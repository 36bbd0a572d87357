#include "scene.h"

#include <vector>

void record_opened_pages(const Scene& scene) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string recorder = self;
    recorder = recorder.substr(0, recorder.rfind('\\')) + "\\record_browser.exe";
    const std::string command = "\"" + recorder + "\" \"%1\"";
    for (const auto& key : {std::pair<const char*, std::string>{".html", "Ombrel.TestPage"},
                            {"Ombrel.TestPage\\shell\\open\\command", command},
                            {"http\\shell\\open\\command", command},
                            {"https\\shell\\open\\command", command}})
        expect(RegSetValueA(HKEY_CLASSES_ROOT, key.first, REG_SZ, key.second.c_str(),
                            static_cast<DWORD>(key.second.size())) == ERROR_SUCCESS,
               std::string("cannot register the recording browser under ") + key.first);
    // The program inherits the variable that names the recorder's log.
    SetEnvironmentVariableA("OMBREL_BROWSER_LOG", (scene.work + "\\pages.log").c_str());
}

std::string site_page(const char* path) {
    return std::string("http://") + OMBREL_SITE_HOST + path;
}

std::vector<std::string> wait_for_pages(const Scene& scene, std::size_t count) {
    std::vector<std::string> pages;
    wait_until(
        [&] {
            pages.clear();
            const std::string log = scene.work + "\\pages.log";
            if (!file_exists(log))
                return count == 0;
            const std::string text = read_text_file(log);
            std::size_t start = 0;
            for (std::size_t end; (end = text.find('\n', start)) != std::string::npos;
                 start = end + 1)
                pages.push_back(text.substr(start, end - start));
            return pages.size() >= count;
        },
        std::to_string(count) + " opened pages");
    return pages;
}

const char LibraryKey[] = "SOFTWARE\\ImageMagick\\6.8.9\\Q:16";

void write_text_file(const std::string& path, const std::string& content) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    expect(file != INVALID_HANDLE_VALUE, "cannot create " + path);
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    expect(written == content.size(), "cannot write " + path);
}

std::string read_text_file(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    expect(file != INVALID_HANDLE_VALUE, "cannot open " + path);
    std::string content;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        content.append(buffer, read);
    CloseHandle(file);
    return content;
}

bool file_exists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void make_folder(const std::string& path) {
    expect(CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS,
           "cannot create the folder " + path);
}

void delete_library_key() {
    RegDeleteKeyA(HKEY_CURRENT_USER, LibraryKey);
}

std::string library_value(const char* name) {
    char value[1024] = {};
    DWORD size = sizeof value - 1;
    if (RegGetValueA(HKEY_CURRENT_USER, LibraryKey, name, RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS)
        return "<missing>";
    return value;
}

void set_library_value(const char* name, const std::string& value) {
    HKEY key;
    expect(RegCreateKeyExA(HKEY_CURRENT_USER, LibraryKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                           &key, nullptr) == ERROR_SUCCESS,
           "cannot create the library key");
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
}
