// Tests on paths that the whole program uses.
#pragma once
#include <cstdint>

int is_directory(const char* path);
// True when the file can be opened for reading (a folder cannot).
int file_exists(const char* path);
// Size in bytes, or -1 when the file cannot be opened.
int64_t file_size(const char* path);
// The path of a shell folder (a CSIDL value) into buffer of MAX_PATH bytes.
int special_folder_path(int csidl, char* buffer);
