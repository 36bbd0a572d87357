// Questions to the file system that the whole program asks, and the folders it makes, through
// the wide Win32 calls: paths are UTF-8, of any length (see wide_path).
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

int is_directory(const std::string& path);
// True when the file can be opened for reading (a folder cannot).
int file_exists(const std::string& path);
// Size in bytes, or -1 when the file cannot be opened.
int64_t file_size(const std::string& path);
// The path of a shell folder (a CSIDL value); empty when the system has none.
std::string special_folder_path(int csidl);
// path made absolute against the current directory (a\b, ..\b and b/c alike; a Unix path
// under Wine); path as it is when the system cannot resolve it. For paths a user gave on a
// command line, where the current directory is where the command was started.
std::string full_path(const std::string& path);
// path made absolute against folder (itself a full path) when it is relative; a full path is
// only made plain.
std::string full_path_in(const std::string& folder, const std::string& path);

// Makes the folder at path (one level); true when it is a folder afterwards, made now or before.
bool make_directory(const std::string& path);
// The same with every missing folder above it; path is a full path.
bool make_directories(const std::string& path);

// An entry of a folder listing: its name, and whether it is a folder.
struct FolderEntry {
    std::string name;
    bool is_folder = false;
};
// Every entry of folder in the order the system lists them, "." and ".." among them; nothing when
// the folder cannot be listed.
std::optional<std::vector<FolderEntry>> list_folder(const std::string& folder);

// The volume and index of a file or folder: one for every path that leads to it (through a
// link, in another letter case). Nothing when it cannot be opened.
using FileId = std::pair<unsigned long, uint64_t>;
std::optional<FileId> file_identity(const std::string& path);

// A file's size and last write time: a file whose stamp is unchanged is taken to be unchanged.
// Nothing when the file is missing or a folder.
struct FileStamp {
    uint64_t size = 0;
    uint64_t written = 0;
    bool operator==(const FileStamp& other) const {
        return size == other.size && written == other.written;
    }
    bool operator!=(const FileStamp& other) const { return !(*this == other); }
};
std::optional<FileStamp> file_stamp(const std::string& path);
