#include "support/temp_folder.h"

#include <filesystem>
#include <stdexcept>

#include <windows.h>

#include "platform/file_io.h"
#include "platform/library_path.h"

TempFolder::TempFolder() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    static unsigned counter;
    for (;;) {
        char name[MAX_PATH];
        wsprintfA(name, "%sombrel-%lu-%u", base, GetCurrentProcessId(), counter++);
        if (CreateDirectoryA(name, nullptr)) {
            path_ = name;
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot create a temporary folder");
    }
}

// Removed on the Unix side, which does not follow folder links (some tests make loops).
TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(library_path(path_.c_str()), ignored);
}

void make_folder(const std::string& path) {
    if (!CreateDirectoryA(path.c_str(), nullptr))
        throw std::runtime_error("cannot create folder " + path);
}

void make_file(const std::string& path, const std::string& content) {
    if (!write_file(path.c_str(), content))
        throw std::runtime_error("cannot write " + path);
}

std::string read_whole_file(const std::string& path) {
    auto data = read_file(path.c_str());
    if (!data)
        throw std::runtime_error("cannot read " + path);
    return *data;
}
