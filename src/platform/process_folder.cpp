#include "platform/process_folder.h"

#include <vector>

#include <windows.h>

#include "base/utf.h"
#include "platform/unique_handle.h"
#include "platform/wide_path.h"

namespace {

// A process holds its folder by an exclusive lock on the file "lock" inside it, which the system
// lets go when the process ends, however it ends. Wine keeps such a lock as a Unix record lock,
// so that a run in another Wine session sees it too.
unique_file locked_file(const std::string& folder, DWORD disposition) {
    unique_file file(CreateFileW(wide_path(folder + "\\lock").c_str(), GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
    OVERLAPPED first_byte{};
    if (file && !LockFileEx(file.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1,
                            0, &first_byte))
        return {};
    return file;
}

// Removal never starts from a relative or empty path, which would reach whatever folder is
// current.
bool is_absolute(const std::string& path) {
    return (path.size() > 3 && path[1] == ':' && path[2] == '\\') || path.rfind("\\\\", 0) == 0;
}

// The names of the entries of folder with attributes matching want (directory or not).
std::vector<std::string> entries(const std::string& folder, bool directories) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW entry;
    const unique_find find(FindFirstFileW(wide_path(folder + "\\*").c_str(), &entry));
    if (!find)
        return names;
    do
        if (bool(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == directories &&
            entry.cFileName[0] != '.')
            names.push_back(narrow(entry.cFileName));
    while (FindNextFileW(find.get(), &entry));
    return names;
}

// The files directly inside, then the folder itself; never anything deeper (the program makes
// no subfolders there, and a folder that still holds one stays).
void remove_folder_of_files(const std::string& folder) {
    for (const std::string& name : entries(folder, false))
        DeleteFileW(wide_path(folder + "\\" + name).c_str());
    RemoveDirectoryW(wide_path(folder).c_str());
}

// Only folders named as this program names them ("1234" or "1234-2") whose lock nobody holds.
void remove_folders_of_ended_processes(const std::string& base) {
    for (const std::string& name : entries(base, true)) {
        const std::string folder = base + "\\" + name;
        if (name.find_first_not_of("0123456789-") != std::string::npos ||
            !locked_file(folder, OPEN_EXISTING))
            continue;
        remove_folder_of_files(folder);
    }
}

} // namespace

ProcessFolder::ProcessFolder(const std::string& base) {
    if (!is_absolute(base) || (!CreateDirectoryW(wide_path(base).c_str(), nullptr) &&
                               GetLastError() != ERROR_ALREADY_EXISTS))
        return;
    remove_folders_of_ended_processes(base);
    // A process of another Wine session may have the same identifier.
    const std::string id = std::to_string(GetCurrentProcessId());
    for (int n = 0; n < 100; ++n) {
        const std::string folder = base + "\\" + id + (n ? "-" + std::to_string(n) : "");
        if (!CreateDirectoryW(wide_path(folder).c_str(), nullptr)) {
            if (GetLastError() == ERROR_ALREADY_EXISTS)
                continue;
            return;
        }
        lock_ = locked_file(folder, CREATE_NEW);
        if (lock_)
            path_ = folder;
        else
            RemoveDirectoryW(wide_path(folder).c_str());
        return;
    }
}

ProcessFolder::~ProcessFolder() {
    if (path_.empty())
        return;
    lock_.reset();
    remove_folder_of_files(path_);
}
