// The one place where a program path becomes a path the image library can open.
#pragma once
#include <string>

// path is a Windows path in code page 936. Under Wine the library is a Linux library and
// needs the Unix name of the file; on Windows it takes UTF-8.
std::string library_path(const char* path);
