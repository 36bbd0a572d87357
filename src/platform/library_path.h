// The one place where the Winelib build and the Windows build differ: how a program path
// reaches the image library, how a command-line path becomes a program path, and where the
// files of the system's fonts are found. Under Wine the libraries are Linux libraries and the
// Wine-only calls live in library_path_wine.cpp; library_path_windows.cpp serves Windows.
#pragma once
#include <string>

// path is a Windows path in code page 936. Under Wine the library needs the Unix name of the
// file; on Windows it takes UTF-8.
std::string library_path(const char* path);

// A path given on a command line, as the program works with it: under Wine a Unix path
// (beginning with "/") becomes its Windows name; anything else stays as it is.
std::string program_path(const char* argument);

// The file of the font whose family (UTF-8) is exactly family, ignoring case, taken in its bold
// or italic variant when the family has one; empty when no font has that family. Under Wine
// fontconfig answers, which also knows the localised family names that the font dialog shows
// (such as a Chinese name of a CJK font); on Windows the image library finds family names
// itself, so the answer is empty there.
std::string system_font_file(const std::string& family, bool bold, bool italic);

// A Latin sans-serif font file for text whose face the library cannot use at all; empty where
// the library has a default font of its own.
std::string fallback_font_file();
