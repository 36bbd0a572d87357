#include "platform/file_system.h"

#include <windows.h>
#include <shlobj.h>

#include "base/utf.h"
#include "platform/file_io.h"
#include "platform/unique_handle.h"
#include "platform/wide_path.h"

int is_directory(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(wide_path(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int file_exists(const std::string& path) {
    return open_for_reading(path) ? 1 : 0;
}

int64_t file_size(const std::string& path) {
    const unique_file file = open_for_reading(path);
    LARGE_INTEGER size;
    if (!file || !GetFileSizeEx(file.get(), &size))
        return -1;
    return size.QuadPart;
}

std::string special_folder_path(int csidl) {
    wchar_t path[MAX_PATH] = {}; // the shell's own limit for these folders
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)))
        return {};
    return narrow(path);
}

std::string full_path(const std::string& path) {
    return narrow(full_wide_path(widen(path)));
}

// A path that starts at a root (\\server, \\, /) or names a drive is not relative to a folder.
std::string full_path_in(const std::string& folder, const std::string& path) {
    const bool rooted = !path.empty() && (path[0] == '\\' || path[0] == '/');
    const bool has_drive = path.size() >= 2 && path[1] == ':';
    return full_path(rooted || has_drive || folder.empty() ? path : folder + "\\" + path);
}

bool make_directory(const std::string& path) {
    return is_directory(path) || CreateDirectoryW(wide_path(path).c_str(), nullptr) ||
           is_directory(path);
}

// Level by level from the first missing one; a folder another process makes meanwhile counts.
// path is a full path.
bool make_directories(const std::string& path) {
    if (is_directory(path))
        return true;
    const std::size_t last = path.find_last_of('\\');
    if (last != std::string::npos && last > 0 && path[last - 1] != ':' && path[last - 1] != '\\' &&
        !make_directories(path.substr(0, last)))
        return false;
    return make_directory(path);
}

std::optional<std::vector<FolderEntry>> list_folder(const std::string& folder) {
    WIN32_FIND_DATAW entry;
    const unique_find find(FindFirstFileW(wide_path(folder + "\\*.*").c_str(), &entry));
    if (!find)
        return std::nullopt;
    std::vector<FolderEntry> entries;
    do
        entries.push_back(
            {narrow(entry.cFileName), (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    while (FindNextFileW(find.get(), &entry));
    return entries;
}

std::optional<FileId> file_identity(const std::string& path) {
    const unique_file file(CreateFileW(
        wide_path(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!file || !GetFileInformationByHandle(file.get(), &info))
        return std::nullopt;
    return FileId{info.dwVolumeSerialNumber,
                  (uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

// From the folder entry: the file is not opened, so a writer holding it does not stop the answer.
std::optional<FileStamp> file_stamp(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(wide_path(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return FileStamp{uint64_t(data.nFileSizeHigh) << 32 | data.nFileSizeLow,
                     uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32 |
                         data.ftLastWriteTime.dwLowDateTime};
}
