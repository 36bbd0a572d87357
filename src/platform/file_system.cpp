#include "platform/file_system.h"

#include <windows.h>
#include <shlobj.h>

#include "platform/file_io.h"
#include "platform/unique_handle.h"

int is_directory(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int file_exists(const char* path) {
    return open_for_reading(path) ? 1 : 0;
}

int64_t file_size(const char* path) {
    const unique_file file = open_for_reading(path);
    LARGE_INTEGER size;
    if (!file || !GetFileSizeEx(file.get(), &size))
        return -1;
    return size.QuadPart;
}

int special_folder_path(int csidl, char* buffer) {
    unique_item_list items;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, items.put())))
        return 0;
    return SHGetPathFromIDListA(items.get(), buffer) ? 1 : 0;
}

std::string full_path(const char* path) {
    const DWORD size = GetFullPathNameA(path, 0, nullptr, nullptr);
    if (size == 0)
        return path;
    std::string full(size, '\0');
    const DWORD length = GetFullPathNameA(path, size, full.data(), nullptr);
    if (length == 0 || length >= size)
        return path;
    full.resize(length);
    return full;
}

// A path that starts at a root (\\server, \\, /) or names a drive is not relative to a folder.
std::string full_path_in(const std::string& folder, const std::string& path) {
    const bool rooted = !path.empty() && (path[0] == '\\' || path[0] == '/');
    const bool has_drive = path.size() >= 2 && path[1] == ':';
    return full_path((rooted || has_drive || folder.empty() ? path : folder + "\\" + path).c_str());
}

bool make_directory(const char* path) {
    return is_directory(path) || CreateDirectoryA(path, nullptr) || is_directory(path);
}

// The shell steps over the double-byte characters of code page 936, whose trail byte may be a
// backslash, as it splits the path into its levels. path is a full path.
bool make_directories(const std::string& path) {
    return is_directory(path.c_str()) ||
           SHCreateDirectoryExA(nullptr, path.c_str(), nullptr) == ERROR_SUCCESS ||
           is_directory(path.c_str());
}

std::optional<std::vector<FolderEntry>> list_folder(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    const unique_find find(FindFirstFileA((folder + "\\*.*").c_str(), &entry));
    if (!find)
        return std::nullopt;
    std::vector<FolderEntry> entries;
    do
        entries.push_back(
            {entry.cFileName, (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    while (FindNextFileA(find.get(), &entry));
    return entries;
}

std::optional<FileId> file_identity(const char* path) {
    const unique_file file(
        CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!file || !GetFileInformationByHandle(file.get(), &info))
        return std::nullopt;
    return FileId{info.dwVolumeSerialNumber,
                  (uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

// From the folder entry: the file is not opened, so a writer holding it does not stop the answer.
std::optional<FileStamp> file_stamp(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return FileStamp{uint64_t(data.nFileSizeHigh) << 32 | data.nFileSizeLow,
                     uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32 |
                         data.ftLastWriteTime.dwLowDateTime};
}
