// The one place where a program path becomes a path the image library can open.
#pragma once
#include <string>

// path is a Windows path in code page 936. Under Wine the library is a Linux library and
// needs the Unix name of the file; on Windows it takes UTF-8.
std::string library_path(const char* path);

// A path given on a command line, as the program works with it: under Wine a Unix path
// (beginning with "/") becomes its Windows name; anything else stays as it is.
std::string program_path(const char* argument);
