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
