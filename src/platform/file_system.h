// Questions to the file system that the whole program asks, through Win32 so that paths mean
// what they mean to the rest of the program (code page 936, the Win32 current directory).
#pragma once
#include <cstdint>

int is_directory(const char* path);
// True when the file can be opened for reading (a folder cannot).
int file_exists(const char* path);
// Size in bytes, or -1 when the file cannot be opened.
int64_t file_size(const char* path);
// The path of a shell folder (a CSIDL value) into buffer of MAX_PATH bytes.
int special_folder_path(int csidl, char* buffer);
