// Questions to the file system that the whole program asks, through Win32 so that paths mean
// what they mean to the rest of the program (code page 936, the Win32 current directory).
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

int is_directory(const char* path);
// True when the file can be opened for reading (a folder cannot).
int file_exists(const char* path);
// Size in bytes, or -1 when the file cannot be opened.
int64_t file_size(const char* path);
// The path of a shell folder (a CSIDL value) into buffer of MAX_PATH bytes.
int special_folder_path(int csidl, char* buffer);
// path made absolute against the current directory (a\b, ..\b and b/c alike); path as it is
// when the system cannot resolve it.
std::string full_path(const char* path);

// The volume and index of a file or folder: one for every path that leads to it (through a
// link, in another letter case). Nothing when it cannot be opened.
using FileId = std::pair<unsigned long, uint64_t>;
std::optional<FileId> file_identity(const char* path);

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
std::optional<FileStamp> file_stamp(const char* path);
